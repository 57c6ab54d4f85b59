#include "ui/pages/GPaperTypeKeys.h"

#include "ui/framework/GMediaTypeNames.h"

namespace {

// The paper-type entries of the source list that force a type of their own.
constexpr uint16_t kForcingSources[] = {GPaperType::kTransparency, GPaperType::kLabels, GPaperType::kBond,
                                        GPaperType::kCardStock,    GPaperType::kRough,  GPaperType::kHeavy};

} // namespace

uint16_t GPaperType::IdOfKey(const RWCString& key) {
    return GMediaTypeNames::StringIdOf(key);
}

bool GPaperType::KeyOfId(uint16_t id, RWCString& key) {
    if (id == kRough) return false;
    const char* name = GMediaTypeNames::NameOf(id);
    key = name != nullptr ? name : "";
    return true;
}

bool GPaperType::IsSourceEntry(int32_t source) {
    return source >= kAutoSelect && source <= kLastSourceEntry;
}

RWCString GPaperType::ForcedKeyOfSource(uint16_t source) {
    for (const uint16_t forcing : kForcingSources)
        if (forcing == source) return GMediaTypeNames::NameOf(source);
    return "Plain";
}
