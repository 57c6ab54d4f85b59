#include "pipeline/GPipelineClasses.h"

#include "model/GModelClasses.h"
#include "model/MPersistentClass.h"
#include "pipeline/GCommandComposite.h"
#include "pipeline/GErrorCommand.h"
#include "pipeline/GNoCommand.h"

void GRegisterPipelineClasses() {
    GRegisterModelClasses();
    GAddToFactory<GCommandComposite>();
    GAddToFactory<GErrorCommand>();
    GAddToFactory<GNoCommand>();
}
