#include "log/SystemFileMap.h"

void CSystemFileMap::File::addSection(const char* section) {
    if (m_known.insert(section).second) sections.emplace_back(section);
}

uint32_t CSystemFileMap::Hash(const char* name) {
    uint32_t hash = 0;
    for (const char* c = name; *c; ++c) hash = hash * 33 + static_cast<uint32_t>(static_cast<signed char>(*c));
    return hash;
}

CSystemFileMap::File* CSystemFileMap::declare(const char* name, bool bySections) {
    auto& bucket = m_buckets[Hash(name) % kBuckets];
    for (const auto& file : bucket)
        if (file->name == name) return file->whole ? nullptr : file.get();
    auto file = std::make_unique<File>();
    file->name = name;
    file->whole = !bySections;
    bucket.push_back(std::move(file));
    return bySections ? bucket.back().get() : nullptr;
}
