#include "model/GFeatureValueAccessors.h"

#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GCountedPtr.h"
#include "model/GSettingIds.h"
#include "model/GStringAttribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentObject.h"

namespace {

// Attribute 295 when it is (kind of) Class, else null.
template <typename Class> const Class* FindChromalist(MPersistentObject* settings) {
    if (settings == nullptr) {
        return nullptr;
    }
    return dynamic_cast<const Class*>(settings->FindById(GSettingId::kColourControl));
}

// One code through Class's own accessors; a cell without a stored code is a
// miss as well (it has nothing to answer).
template <typename Class> uint16_t ReadOption(int32_t kind, int32_t field, MPersistentObject* settings) {
    const Class* attribute = FindChromalist<Class>(settings);
    if (attribute == nullptr || !attribute->HasStoredOption(kind, field)) {
        return kFeatureValueMissing;
    }
    uint8_t code = 0;
    if (attribute->GetOption(kind, field, code) == 0) {
        return kFeatureValueMissing;
    }
    return code;
}

uint16_t ModeOption(int32_t kind, int32_t field, MPersistentObject* settings, uint8_t mode) {
    return mode == kChromalistEnhancedMode ? chromalistEnhancedOption(kind, field, settings)
                                           : chromalistVer2Option(kind, field, settings);
}

// The value stored under key in table id, or null.
MPersistentObject* FindTableValue(uint32_t id, const GCountedPtr& settings, uint16_t key) {
    if (!settings) {
        return nullptr;
    }
    auto* table = dynamic_cast<MAssociationList*>(settings->FindById(id));
    if (table == nullptr) {
        return nullptr;
    }
    const GValueAttribute keyObject(key, 0);
    return table->FindValue(&keyObject);
}

} // namespace

uint16_t featureValueAt(int32_t kind, int32_t field, MPersistentObject* settings) {
    return ReadOption<GChromalistAttribute>(kind, field, settings);
}

uint16_t chromalistEnhancedOption(int32_t kind, int32_t field, MPersistentObject* settings) {
    return ReadOption<GChromalistEnhancedAttribute>(kind, field, settings);
}

uint16_t chromalistVer2Option(int32_t kind, int32_t field, MPersistentObject* settings) {
    return ReadOption<GChromalistEnhancedAttributeVer2>(kind, field, settings);
}

uint16_t chromalistOptionK0F0(MPersistentObject* settings) {
    return featureValueAt(0, 0, settings);
}
uint16_t chromalistOptionK1F0(MPersistentObject* settings) {
    return featureValueAt(1, 0, settings);
}
uint16_t chromalistOptionK2F0(MPersistentObject* settings) {
    return featureValueAt(2, 0, settings);
}
uint16_t chromalistOptionK0F1(MPersistentObject* settings) {
    return featureValueAt(0, 1, settings);
}
uint16_t chromalistOptionK1F1(MPersistentObject* settings) {
    return featureValueAt(1, 1, settings);
}
uint16_t chromalistOptionK2F1(MPersistentObject* settings) {
    return featureValueAt(2, 1, settings);
}

uint16_t chromalistVer2OptionK0F3(MPersistentObject* settings) {
    return chromalistVer2Option(0, 3, settings);
}
uint16_t chromalistVer2OptionK1F3(MPersistentObject* settings) {
    return chromalistVer2Option(1, 3, settings);
}
uint16_t chromalistVer2OptionK2F3(MPersistentObject* settings) {
    return chromalistVer2Option(2, 3, settings);
}

uint16_t chromalistModeOptionK0F0(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(0, 0, settings, mode);
}
uint16_t chromalistModeOptionK1F0(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(1, 0, settings, mode);
}
uint16_t chromalistModeOptionK2F0(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(2, 0, settings, mode);
}
uint16_t chromalistModeOptionK0F1(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(0, 1, settings, mode);
}
uint16_t chromalistModeOptionK1F1(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(1, 1, settings, mode);
}
uint16_t chromalistModeOptionK2F1(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(2, 1, settings, mode);
}
uint16_t chromalistModeOptionK3F2(MPersistentObject* settings, uint8_t mode) {
    return ModeOption(3, 2, settings, mode);
}

uint16_t chromalistEnhancedOptionK3F3(MPersistentObject* settings) {
    return chromalistEnhancedOption(3, 3, settings);
}

int16_t featureChildValue(uint32_t id, const GCountedPtr& settings, uint16_t key) {
    const auto* value = dynamic_cast<const GValueAttribute*>(FindTableValue(id, settings, key));
    return value != nullptr ? static_cast<int16_t>(value->GetValue()) : 0;
}

RWCString featureChildString(uint32_t id, const GCountedPtr& settings, uint16_t key) {
    const auto* value = dynamic_cast<const GStringAttribute*>(FindTableValue(id, settings, key));
    return value != nullptr ? value->GetValue() : RWCString();
}

int16_t featureChildValue533(const GCountedPtr& settings, uint16_t key) {
    return featureChildValue(GSettingId::kFeatureTable533, settings, key);
}
int16_t featureChildValue537(const GCountedPtr& settings, uint16_t key) {
    return featureChildValue(GSettingId::kFeatureTable537, settings, key);
}
int16_t featureChildValue543(const GCountedPtr& settings, uint16_t key) {
    return featureChildValue(GSettingId::kColourTranslation543, settings, key);
}
int16_t featureChildValue545(const GCountedPtr& settings, uint16_t key) {
    return featureChildValue(GSettingId::kColourTranslation545, settings, key);
}
int16_t featureChildValue552(const GCountedPtr& settings, uint16_t key) {
    return featureChildValue(GSettingId::kColourTranslation552, settings, key);
}
int16_t featureChildValue552b(const GCountedPtr& settings, uint16_t key) {
    return featureChildValue(GSettingId::kColourTranslation552, settings, key);
}
