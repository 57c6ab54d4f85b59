// GNTDriverBase: the printer-interface operations that later work builds.
// Each answers what its export answers when no instance can be had.
#include "driver/GNTDriverBase.h"

int32_t GNTDriverBase::RegisterExtension(LPCSTR, DWORD) {
    return 1; // not built in this module yet: the export's answer without an instance
}
