#pragma once
// Reads the catalogue of setting ids (model/GSettingIds.h) as text: its
// constants in order, each with the section it stands under. A section line
// "// --- P/369/*: ..." names the place in the data file where the id table
// lists the ids below it; "// --- Not in the id table: ..." holds ids the
// table must not list. The check and the tests read the header this way
// because C++ cannot list a namespace's constants.
#include <cstdint>
#include <string>
#include <vector>

struct SettingIdEntry {
    std::string name;
    uint32_t value;
    int line;
    // The section's place in the id table's terms ("P", "S/246/249");
    // empty under a section the table does not list.
    std::string anchor;
};

struct SettingIdCatalogue {
    std::vector<SettingIdEntry> entries;
    // "<line>: ..." for a constant the reader cannot take, or one before
    // the first section.
    std::vector<std::string> errors;
};

// The catalogue's path under the source root.
inline constexpr const char* kSettingIdCataloguePath = "model/GSettingIds.h";

SettingIdCatalogue ReadSettingIdCatalogue(const std::string& text);
