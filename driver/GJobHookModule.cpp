#include "driver/GJobHookModule.h"

#include <cstring>

#include "winapi/WinFile.h"
#include "winapi/WinModule.h"

namespace {

// The page block handed to every page end.
struct PageBlock {
    uint16_t size;
    uint16_t reserved;
    uint8_t zero[12];
};
static_assert(sizeof(PageBlock) == GJobHookModule::kPageBlockSize);

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

GJobHookModule::GJobHookModule() : name_(kDefaultName) {}

GJobHookModule::GJobHookModule(const RWWString& name) : name_(name) {}

GJobHookModule::GJobHookModule(const GJobHookModule& other) : name_(other.name_) {}

GJobHookModule& GJobHookModule::operator=(const GJobHookModule& other) {
    if (this == &other) return *this;
    Unload();
    name_ = other.name_;
    return *this;
}

bool GJobHookModule::operator==(const GJobHookModule& other) const {
    return name_ == other.name_;
}

GJobHookModule::~GJobHookModule() {
    Unload();
}

int GJobHookModule::Load() {
    Unload();
    if (!ModuleFileExists(name_)) return 0;
    module_ = LoadLibraryW(name_.Data());
    if (module_ == nullptr) return 0;
    begin_ = Resolve<BeginJobProc>(module_, "ksBeginJob");
    beginEx_ = Resolve<BeginJobExProc>(module_, "ksBeginJobEx");
    endPage_ = Resolve<EndPageProc>(module_, "ksEndPage");
    endJob_ = Resolve<EndJobProc>(module_, "ksEndJob");
    const bool usable =
        (begin_ != nullptr || beginEx_ != nullptr) && endPage_ != nullptr && endJob_ != nullptr;
    if (!usable) Unload();
    return usable ? 1 : 0;
}

int GJobHookModule::Unload() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
    job_ = 0;
    begin_ = nullptr;
    beginEx_ = nullptr;
    endPage_ = nullptr;
    endJob_ = nullptr;
    return 1;
}

int GJobHookModule::BeginJob(const WCHAR* application, const WCHAR* document, const WCHAR* printer,
                             const WCHAR* output, const WCHAR* outputAgain, const uint32_t* jobBlock) {
    Load();
    // The entries read every text: a missing one is an empty text.
    auto text = [](const WCHAR* value) { return value != nullptr ? value : u""; };
    if (beginEx_ != nullptr && jobBlock != nullptr) {
        job_ = beginEx_(text(application), text(document), text(printer), text(output), text(outputAgain),
                        jobBlock);
    } else if (begin_ != nullptr && jobBlock != nullptr) {
        job_ = begin_(text(document), text(output), text(outputAgain), jobBlock);
    } else {
        job_ = 0;
    }
    if (job_ == 0) Unload();
    return job_ != 0 ? 1 : 0;
}

int GJobHookModule::EndPage() {
    if (job_ == 0 || endPage_ == nullptr) return 0;
    PageBlock block{};
    block.size = kPageBlockSize;
    endPage_(job_, &block);
    return 1;
}

int GJobHookModule::EndJob(uint32_t cancel) {
    int reported = 0;
    if (job_ != 0 && endJob_ != nullptr) {
        endJob_(job_, cancel == 1 ? 1 : 0);
        job_ = 0;
        reported = 1;
    }
    Unload();
    return reported;
}
