// The system files declared by the test libraries, merged: each file once, either whole or as
// a list of its sections (each once, in the order first declared). The first declaration of a
// file decides which. Iterated in a fixed order: 17 buckets by name hash, newest first within
// a bucket.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CSystemFileMap {
public:
    struct File {
        std::string name;
        bool whole = true;
        std::vector<std::string> sections;  // only when not whole

        void addSection(const char* section);

    private:
        std::unordered_set<std::string> m_known;
    };

    static constexpr size_t kBuckets = 17;
    // hash * 33 + c over the name's bytes taken as signed, in 32-bit unsigned arithmetic.
    static uint32_t Hash(const char* name);

    // Declares a file (names compare exactly). Returns the file when it is kept by sections, so
    // the caller adds the declared sections; null when it is kept whole.
    File* declare(const char* name, bool bySections);

    // Every file in iteration order.
    template <class Visitor>
    void forEach(Visitor visit) const {
        for (const auto& bucket : m_buckets)
            for (auto file = bucket.rbegin(); file != bucket.rend(); ++file) visit(**file);
    }

private:
    std::vector<std::unique_ptr<File>> m_buckets[kBuckets];
};
