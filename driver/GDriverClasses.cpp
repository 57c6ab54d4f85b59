#include "driver/GDriverClasses.h"

#include "driver/GDynamicLibrary.h"
#include "driver/GLocaleInfo.h"
#include "model/MPersistentClass.h"
#include "paper/GPaperClasses.h"
#include "pipeline/GPipelineClasses.h"

void GRegisterDriverClasses() {
    GRegisterPipelineClasses();
    GRegisterPaperClasses();
    GAddToFactory<GLocaleInfo>();
    GAddToFactory<GDynamicLibrary>();
}
