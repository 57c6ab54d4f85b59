#include "paper/GPaperClasses.h"

#include "model/GModelClasses.h"
#include "model/MPersistentClass.h"
#include "paper/GBin.h"
#include "paper/GCustomMediaSize.h"
#include "paper/GFormToTrayAssociation.h"
#include "paper/GFormToTrayDatabase.h"
#include "paper/GMarginPool.h"
#include "paper/GMedia.h"
#include "paper/GMediaPool.h"
#include "paper/GPaperHandlingDevice.h"
#include "paper/GTray.h"

void GRegisterPaperClasses() {
    GRegisterModelClasses();
    GAddToFactory<GMedia>();
    GAddToFactory<GMediaPool>();
    GAddToFactory<GMarginPool>();
    GAddToFactory<GTray>();
    GAddToFactory<GBin>();
    GAddToFactory<GPaperHandlingDevice>();
    GAddToFactory<GFormToTrayDatabase>();
    GAddToFactory<GFormToTrayAssociation>();
    GAddToFactory<GCustomMediaSize>();
}
