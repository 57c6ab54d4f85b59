#include "device/GDeviceClasses.h"

#include "device/GBin.h"
#include "device/GCustomMediaSize.h"
#include "device/GFormToTrayAssociation.h"
#include "device/GFormToTrayDatabase.h"
#include "device/GMarginPool.h"
#include "device/GMedia.h"
#include "device/GMediaPool.h"
#include "device/GPJL.h"
#include "device/GPaperHandlingDevice.h"
#include "device/GPeripheralComposite.h"
#include "device/GPeripheralProxy.h"
#include "device/GPrinter.h"
#include "device/GTray.h"
#include "job/GJobClasses.h"
#include "model/MPersistentClass.h"

void GRegisterDeviceClasses() {
    GAddToFactory<GMedia>();
    GAddToFactory<GMediaPool>();
    GAddToFactory<GMarginPool>();
    GAddToFactory<GTray>();
    GAddToFactory<GBin>();
    GAddToFactory<GPaperHandlingDevice>();
    GAddToFactory<GFormToTrayDatabase>();
    GAddToFactory<GFormToTrayAssociation>();
    GAddToFactory<GCustomMediaSize>();
    GAddToFactory<GPeripheralComposite>();
    GAddToFactory<GPrinter>();
    GAddToFactory<GPJL>();
    GAddToFactory<GPeripheralProxy>();
    // The chain plays job commands: a stored chain and its commands restore
    // together.
    GRegisterJobClasses();
}
