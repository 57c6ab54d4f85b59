#include "ui/framework/GMediaTypeNames.h"

#include <cstring>

namespace GMediaTypeNames {
namespace {

struct NameId {
    const char* name;
    uint16_t id;
};

// Tested in this order; the first equal name wins.
constexpr NameId kNames[] = {
    {"", kAutoSelect},       {"Plain", 11102},      {"Preprinted", 11103},  {"Letterhead", 11104},
    {"Transparency", 11105}, {"Prepunched", 11106}, {"Labels", 11107},      {"Bond", 11108},
    {"Recycled", 11109},     {"Color", 11110},      {"Card Stock", 11111},  {"Rough", 11112},
    {"Heavy", 11119},        {"Glossy", 11121},     {"28 lb Type1", 11122}, {"28 lb Type2", 11123},
    {"Envelope", 11120},
};

constexpr uint16_t kTransparency = 11105;
constexpr uint16_t kLabels = 11107;
constexpr uint16_t kCardStock = 11111;
constexpr uint16_t kHeavy = 11119;
constexpr uint16_t kEnvelope = 11120;

} // namespace

uint16_t StringIdOf(const RWCString& name) {
    for (const NameId& entry : kNames)
        if (name.Length() == std::strlen(entry.name) && name == entry.name) return entry.id;
    return kOtherType;
}

const char* NameOf(uint16_t id) {
    for (const NameId& entry : kNames)
        if (entry.id == id) return entry.name;
    return nullptr;
}

bool IsThickOrFilm(const RWCString& name) {
    const uint16_t id = StringIdOf(name);
    return id == kTransparency || id == kLabels || id == kHeavy || id == kEnvelope || id == kCardStock;
}

bool IsRefusedByFinisher(const RWCString& name) {
    const uint16_t id = StringIdOf(name);
    return id == kCardStock || id == kLabels || id == kTransparency;
}

} // namespace GMediaTypeNames
