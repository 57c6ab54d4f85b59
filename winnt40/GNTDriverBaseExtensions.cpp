// GNTDriverBase: plug-in extensions. Their registry belongs to the plug-in
// host, which the module does not carry yet; until it does, a registration
// answers the export's failure status as when no instance can be had.
#include "winnt40/GNTDriverBase.h"

int32_t GNTDriverBase::RegisterExtension(LPCSTR, DWORD) {
    return 1;
}
