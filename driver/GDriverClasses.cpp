#include "driver/GDriverClasses.h"

#include "driver/GDynamicLibrary.h"
#include "driver/GLocaleInfo.h"
#include "model/MPersistentClass.h"

void GRegisterDriverClasses() {
    GAddToFactory<GLocaleInfo>();
    GAddToFactory<GDynamicLibrary>();
}
