#include "driver/GResourceStringResolver.h"

#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"

RWWString GResourceStringResolver::Resolve() const {
    if (descriptor_ == nullptr) return RWWString();
    RWWString text(descriptor_->GetText1(), RWWString::MultiByte);
    const UINT id = descriptor_->GetStringId();
    if (id == 0) return text;
    RWWString loaded;
    int count = 0;
    if (!descriptor_->GetText2().IsNull())
        count = LoadFromLibrary(descriptor_->GetText2(), id, loaded);
    else if (module_ != nullptr)
        count = LoadFromModule(module_, id, loaded);
    return count != 0 ? loaded : text;
}

RWWString GResourceStringResolver::ResolveFor(const GDisplayString* descriptor) {
    descriptor_ = descriptor;
    return Resolve();
}

int GResourceStringResolver::LoadFromModule(HMODULE module, UINT id, RWWString& out) {
    if (module == nullptr) return 0;
    WCHAR buffer[kBufferSize] = {};
    const int count = LoadStringW(module, id, buffer, kBufferSize);
    if (count > 0) out = RWWString(buffer, static_cast<size_t>(count));
    return count;
}

int GResourceStringResolver::LoadFromLibrary(const RWCString& moduleName, UINT id, RWWString& out) {
    const RWWString name(moduleName, RWWString::MultiByte);
    WinScopedModule module(LoadLibraryW(name.Data()));
    if (!module) return 0;
    return LoadFromModule(module.Get(), id, out);
}
