#include "model/GSettingsClassFilter.h"

#include <algorithm>
#include <array>

namespace {

// Sorted. Value and composite classes of the settings model, and the value
// classes of the paper and font models that settings trees carry (numbers
// only: those classes live above this folder).
constexpr std::array<RWClassID, 38> kSettingsClasses = {
    4,    // GBinaryData
    752,  // MPersistentComposite
    757,  // GAttributeComposite
    758,  // GState
    759,  // GConfiguration
    762,  // GRangeAttribute
    763,  // GValueAttribute
    764,  // GEnumAttribute
    771,  // MPersistentAssociation
    772,  // MAssociationList
    775,  // GCustomMediaSize
    776,  // GStringAttribute
    777,  // GPersistableLong
    778,  // GPersistableULong
    786,  // GDisplayString
    787,  // GDisplayStringAttribute
    789,  // GValue32Attribute
    792,  // GChromalistAttribute
    794,  // GBookletComposite
    796,  // GOptMediaComposite
    797,  // GChromalistEnhancedAttribute
    856,  // GDeviceFontList
    873,  // GDeviceFontListComposite
    956,  // GPMLDescriptor
    1001, // GTray
    1002, // GMedia
    1003, // GCapabilities
    1004, // GResourceMapping
    1005, // GResourceMappingList
    1006, // GMediaPool
    1008, // GSelectionString
    1009, // GBin
    1010, // GPaperHandlingDevice
    1012, // GFormToTrayDatabase
    1013, // GFormToTrayAssociation
    1014, // GMarginPool
    1051, // GPMDVersionInfo
    1201, // GChromalistEnhancedAttributeVer2
};
static_assert(std::is_sorted(kSettingsClasses.begin(), kSettingsClasses.end()));

} // namespace

GSettingsClassFilter::GSettingsClassFilter() : filter_(&GSettingsClassFilter::IsSettingsClass) {}

bool GSettingsClassFilter::IsSettingsClass(RWClassID id) {
    return std::binary_search(kSettingsClasses.begin(), kSettingsClasses.end(), id);
}
