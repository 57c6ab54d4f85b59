#include "driver/GJobHook.h"

#include <cstring>

#include "winapi/WinFile.h"
#include "winapi/WinModule.h"

namespace {

// The page block handed to every page end.
struct PageBlock {
    uint16_t size;
    uint8_t zero[14];
};
static_assert(sizeof(PageBlock) == 16);

bool ModuleFileExists(const RWWString& name) {
    RWCString narrow;
    if (!name.ToMultiByte(narrow)) return false;
    OFSTRUCT info{};
    return OpenFile(narrow.Data(), &info, OF_EXIST) != HFILE_ERROR;
}

// An entry as the function type it is called through (by way of the
// generic function type, which any function pointer may be cast to).
template <typename Proc> Proc Resolve(HMODULE module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace

GJobHook::GJobHook() : moduleName_(kDefaultModuleName) {}

GJobHook::GJobHook(const RWWString& moduleName) : moduleName_(moduleName) {}

GJobHook::~GJobHook() {
    Unload();
}

bool GJobHook::Load() {
    Unload();
    if (!ModuleFileExists(moduleName_)) return false;
    module_ = LoadLibraryW(moduleName_.Data());
    if (module_ == nullptr) return false;
    begin_ = Resolve<BeginJobProc>(module_, "ksBeginJob");
    beginEx_ = Resolve<BeginJobExProc>(module_, "ksBeginJobEx");
    endPage_ = Resolve<EndPageProc>(module_, "ksEndPage");
    endJob_ = Resolve<EndJobProc>(module_, "ksEndJob");
    const bool usable =
        (begin_ != nullptr || beginEx_ != nullptr) && endPage_ != nullptr && endJob_ != nullptr;
    if (!usable) Unload();
    return usable;
}

void GJobHook::Unload() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
    job_ = 0;
    begin_ = nullptr;
    beginEx_ = nullptr;
    endPage_ = nullptr;
    endJob_ = nullptr;
}

int GJobHook::Begin(const WCHAR* application, const WCHAR* document, const WCHAR* printer,
                    const WCHAR* output, const WCHAR* outputAgain, const uint32_t jobBlock[kJobBlockWords]) {
    if (!Load()) return 0;
    if (begin_ != nullptr) {
        job_ = begin_(document, output, outputAgain, jobBlock);
    } else {
        job_ = beginEx_(application, document, printer, output, outputAgain, jobBlock);
    }
    if (job_ == 0) Unload();
    return job_ != 0 ? 1 : 0;
}

int GJobHook::EndPage() {
    if (job_ == 0 || endPage_ == nullptr) return 0;
    PageBlock block{};
    block.size = sizeof block;
    endPage_(job_, &block);
    return 1;
}

int GJobHook::EndJob(uint32_t aborted) {
    int reported = 0;
    if (job_ != 0 && endJob_ != nullptr) {
        endJob_(job_, aborted == 1 ? 1 : 0);
        reported = 1;
    }
    Unload();
    return reported;
}
