#include "job/GJobClasses.h"

#include "driver/GDriverClasses.h"
#include "job/GDocumentEnd.h"
#include "job/GDocumentStart.h"
#include "job/GDownloadHeaderCommand.h"
#include "job/GJobAbort.h"
#include "job/GNullCommand.h"
#include "job/GPageEnd.h"
#include "job/GPageStart.h"
#include "job/GPassThroughCommand.h"
#include "model/MPersistentClass.h"

void GRegisterJobClasses() {
    GRegisterDriverClasses();
    GAddToFactory<GPassThroughCommand>();
    GAddToFactory<GDownloadHeaderCommand>();
    GAddToFactory<GDocumentStart>();
    GAddToFactory<GDocumentEnd>();
    GAddToFactory<GPageStart>();
    GAddToFactory<GPageEnd>();
    GAddToFactory<GNullCommand>();
    GAddToFactory<GJobAbort>();
}
