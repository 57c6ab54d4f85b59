#include "tools/printerdesc/DataFileClasses.h"

const std::vector<RWClassID>& DataFileClassIds() {
    static const std::vector<RWClassID> kIds = {
        752,  // MPersistentComposite
        759,  // GConfiguration
        757,  // GAttributeComposite
        758,  // GState
        764,  // GEnumAttribute
        763,  // GValueAttribute
        789,  // GValue32Attribute
        762,  // GRangeAttribute
        776,  // GStringAttribute
        786,  // GDisplayString
        787,  // GDisplayStringAttribute
        1008, // GSelectionString
        4,    // GBinaryData
        1003, // GCapabilities
        771,  // MPersistentAssociation
        772,  // MAssociationList
        1004, // GResourceMapping
        1005, // GResourceMappingList
        792,  // GChromalistAttribute
        797,  // GChromalistEnhancedAttribute
        1201, // GChromalistEnhancedAttributeVer2
        796,  // GOptMediaComposite
        794,  // GBookletComposite
        1002, // GMedia
        1006, // GMediaPool
        1001, // GTray
        1009, // GBin
        1010, // GPaperHandlingDevice
        1012, // GFormToTrayDatabase
        1013, // GFormToTrayAssociation
        775,  // GCustomMediaSize
        1014, // GMarginPool
    };
    return kIds;
}
