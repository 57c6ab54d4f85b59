#include "winnt40/GHeldResourceModule.h"

#include "winapi/WinModule.h"

HMODULE GHeldResourceModule::Get(const RWWString& path) {
    if (module_ && path_ == path) return module_.Get();
    Free();
    if (path.IsNull()) return nullptr;
    module_.Reset(LoadLibraryW(path.Data()));
    if (module_) path_ = path;
    return module_.Get();
}

void GHeldResourceModule::Free() {
    module_.Reset();
    path_ = RWWString();
}
