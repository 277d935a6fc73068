// A private key per test, HKEY_CURRENT_USER\Software\ZelkorTests\<test>, recreated empty before
// the test and removed after it. Made with the plain API so that the code under test does not
// prepare its own ground.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class ScratchKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = std::string("Software\\ZelkorTests\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &m_scratch, nullptr));
    }
    void TearDown() override {
        if (m_scratch) RegCloseKey(m_scratch);
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }

    HKEY scratch() const { return m_scratch; }

    // Creates a subkey path below the scratch key (intermediate keys included).
    void createKey(const char* path) {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(m_scratch, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
            << path;
        RegCloseKey(key);
    }

    bool keyExists(const char* path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExA(m_scratch, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

private:
    std::string m_path;
    HKEY m_scratch = nullptr;
};
