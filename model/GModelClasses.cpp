#include "model/GModelClasses.h"

#include "model/GAttributeComposite.h"
#include "model/GBinaryData.h"
#include "model/GBookletComposite.h"
#include "model/GCapabilities.h"
#include "model/GChromalistAttribute.h"
#include "model/GChromalistEnhancedAttribute.h"
#include "model/GChromalistEnhancedAttributeVer2.h"
#include "model/GConfiguration.h"
#include "model/GCountedPtr.h"
#include "model/GDisplayString.h"
#include "model/GDisplayStringAttribute.h"
#include "model/GEnumAttribute.h"
#include "model/GOptMediaComposite.h"
#include "model/GPMDVersionInfo.h"
#include "model/GPMLDescriptor.h"
#include "model/GPersistableLong.h"
#include "model/GPersistableULong.h"
#include "model/GRangeAttribute.h"
#include "model/GRecord.h"
#include "model/GRecordComposite.h"
#include "model/GRecordProxy.h"
#include "model/GResourceMapping.h"
#include "model/GResourceMappingList.h"
#include "model/GSelectionString.h"
#include "model/GState.h"
#include "model/GStringAttribute.h"
#include "model/GValue32Attribute.h"
#include "model/GValueAttribute.h"
#include "model/MAssociationList.h"
#include "model/MPersistentAssociation.h"
#include "model/MPersistentClass.h"
#include "model/MPersistentComposite.h"
#include "model/MPersistentCompositeOnDisk.h"
#include "model/MPersistentCompositeOnDiskImp.h"
#include "rw/RWLibraryClasses.h"

void GRegisterModelClasses() {
    RWRegisterLibraryClasses();
    // One line per class: RWAddToFactory(create function, class id, "Name").
    // Classes declared with MPERSISTENT_CLASS_MEMBERS: GAddToFactory<Class>().
    GAddToFactory<GCountedPtr>();
    GAddToFactory<MPersistentComposite>();
    GAddToFactory<GAttributeComposite>();
    GAddToFactory<GState>();
    GAddToFactory<GValueAttribute>();
    GAddToFactory<GValue32Attribute>();
    GAddToFactory<GRangeAttribute>();
    GAddToFactory<GStringAttribute>();
    GAddToFactory<GDisplayString>();
    GAddToFactory<GDisplayStringAttribute>();
    GAddToFactory<GEnumAttribute>();
    GAddToFactory<GConfiguration>();
    GAddToFactory<GCapabilities>();
    GAddToFactory<MPersistentAssociation>();
    GAddToFactory<MAssociationList>();
    GAddToFactory<GResourceMapping>();
    GAddToFactory<GResourceMappingList>();
    GAddToFactory<GBinaryData>();
    GAddToFactory<GSelectionString>();
    GAddToFactory<GPMDVersionInfo>();
    GAddToFactory<GPMLDescriptor>();
    GAddToFactory<GPersistableLong>();
    GAddToFactory<GPersistableULong>();
    GAddToFactory<GOptMediaComposite>();
    GAddToFactory<GBookletComposite>();
    GAddToFactory<GChromalistAttribute>();
    GAddToFactory<GChromalistEnhancedAttribute>();
    GAddToFactory<GChromalistEnhancedAttributeVer2>();
    GAddToFactory<MPersistentCompositeOnDisk>();
    GAddToFactory<MPersistentCompositeOnDiskImp>();
    GAddToFactory<GRecord>();
    GAddToFactory<GRecordProxy>();
    GAddToFactory<GRecordComposite>();
}
