// A fresh directory under the temporary directory for one test, removed with its files after.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class ScratchDirectory {
public:
    ScratchDirectory() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        static unsigned serial = 0;
        m_path = std::string(temp) + "zkunit" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(++serial);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Creates (or replaces) a file with that content; false when it cannot.
inline bool WriteTextFile(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(file.write(content.data(), static_cast<std::streamsize>(content.size())).flush());
}

// The file's content; empty when it cannot be read.
inline std::string ReadTextFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
