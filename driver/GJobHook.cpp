#include "driver/GJobHook.h"

GJobHook::GJobHook() = default;

GJobHook::GJobHook(const RWWString& moduleName) : module_(moduleName) {}

GJobHook::~GJobHook() = default;

int GJobHook::Begin(const WCHAR* application, const WCHAR* document, const WCHAR* printer,
                    const WCHAR* output, const WCHAR* outputAgain, const uint32_t jobBlock[kJobBlockWords]) {
    return module_.BeginJob(application, document, printer, output, outputAgain, jobBlock);
}

int GJobHook::EndPage() {
    return module_.EndPage();
}

int GJobHook::EndJob(uint32_t aborted) {
    return module_.EndJob(aborted);
}
