#include "FuzzedParsers.h"

#include <cstring>
#include <string>
#include <vector>

#include "registry/SettingsFormat.h"
#include "testlib/KeyPattern.h"
#include "testlib/LibraryFormat.h"

namespace {

// Touches every byte that a parser hands out, so that the sanitizer sees a text without its
// zero byte or a default that runs past the end.
volatile size_t g_touched;

void Touch(const char* text) { g_touched = g_touched + std::strlen(text); }

void Touch(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) g_touched = g_touched + bytes[i];
}

class TouchingWriter : public SettingValueWriter {
public:
    long setDword(const char* name, uint32_t value) override {
        Touch(name);
        g_touched = g_touched + value;
        return 0;
    }
    long setString(const char* name, const char* text) override {
        Touch(name);
        Touch(text);
        return 0;
    }
    long setBinary(const char* name, const void* data, uint32_t size) override {
        Touch(name);
        Touch(data, size);
        return 0;
    }
};

bool TouchEntry(const CSettingEntry& entry, void* context) {
    entry.writeDefault(*static_cast<TouchingWriter*>(context));
    return true;
}

void FuzzSettingsTable(const uint8_t* data, size_t size) {
    TouchingWriter writer;
    WalkSettingsTable(data, size, TouchEntry, &writer);
    if (const char* name = FindSettingName(data, size, 1000)) Touch(name);
}

bool TouchNode(const SettingsTreeNode& node, void* context) {
    if (node.name) Touch(node.name);
    *static_cast<uint32_t*>(context) = node.id;
    return true;
}

void FuzzSettingsTree(const uint8_t* data, size_t size) {
    SettingsTreeNode node;
    uint32_t lastId = 0;
    WalkSettingsTree(data, size, node, TouchNode, &lastId);
    uint32_t root = 0;
    std::string path;
    if (lastId != 0 && FindSettingsKeyPath(data, size, lastId, root, path)) Touch(path.c_str());
}

void TouchKey(const KeyRecord& key) {
    Touch(key.name);
    Touch(key.subkey);
    if (key.description) Touch(key.description);
    // A wildcard key expands against subkey names; its own path stands in for one here.
    std::string name, path;
    if (auto pattern = KeyPattern::Parse(key.name, key.subkey)) {
        if (pattern->Expand(key.subkey, name, path)) Touch(path.c_str());
    }
}

void FuzzLibrary(const uint8_t* data, size_t size) {
    LibraryDescription library;
    if (!ParseLibraryResource(data, size, library)) return;
    Touch(library.name);
    for (const auto& key : library.editorKeys) TouchKey(key);
    for (const auto& test : library.tests) Touch(test.name);
    for (const auto& key : library.loggedKeys) TouchKey(key);
    for (const auto& file : library.systemFiles) Touch(file.fileName);
}

void FuzzSectionList(const uint8_t* data, size_t size) {
    std::vector<const char*> sections;
    if (!ParseSectionList(data, size, sections)) return;
    for (const char* section : sections) Touch(section);
}

void FuzzEditTable(const uint8_t* data, size_t size) {
    std::vector<EditDescription> values;
    if (!ParseEditTable(data, size, values)) return;
    for (const auto& value : values) {
        Touch(value.label);
        Touch(value.valueName);
        Touch(value.description);
        for (const char* label : value.choiceLabels) Touch(label);
        for (const char* text : value.stringChoices) Touch(text);
    }
}

}  // namespace

const FuzzedParser kFuzzedParsers[] = {
    {"ZKRC_REGKEY", FuzzSettingsTable},
    {"ZKRC_REGTREE", FuzzSettingsTree},
    {"ZKRC_LIBRARY", FuzzLibrary},
    {"ZKRC_INI", FuzzSectionList},
    {"ZKRC_REGEDIT", FuzzEditTable},
};
const size_t kFuzzedParserCount = sizeof kFuzzedParsers / sizeof kFuzzedParsers[0];
