#include "device/GDeviceClasses.h"

#include "device/GPJL.h"
#include "device/GPeripheralComposite.h"
#include "device/GPeripheralProxy.h"
#include "device/GPrinter.h"
#include "job/GJobClasses.h"
#include "model/MPersistentClass.h"

void GRegisterDeviceClasses() {
    GRegisterJobClasses();
    GAddToFactory<GPeripheralComposite>();
    GAddToFactory<GPrinter>();
    GAddToFactory<GPJL>();
    GAddToFactory<GPeripheralProxy>();
}
