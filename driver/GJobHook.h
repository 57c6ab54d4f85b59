#pragma once
// The job hook as the driver instance's holder uses it: created empty;
// Begin loads the job hook module (GJobHookModule) by name and opens a job;
// EndPage and EndJob report to it; destruction unloads the module.
#include <cstdint>

#include "driver/GJobHookModule.h"
#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GJobHook {
public:
    static constexpr const char16_t* kDefaultModuleName = GJobHookModule::kDefaultName;
    static constexpr uint32_t kJobBlockWords = GJobHookModule::kJobBlockWords;

    // Not loaded; the module is the default one.
    GJobHook();
    explicit GJobHook(const RWWString& moduleName);
    GJobHook(const GJobHook&) = delete;
    GJobHook& operator=(const GJobHook&) = delete;
    ~GJobHook();

    // Loads the module (when its file exists) and opens a job: nonzero on
    // success. A module without a begin entry or without either end entry
    // is unloaded again without being called; so is one whose begin fails.
    int Begin(const WCHAR* application, const WCHAR* document, const WCHAR* printer, const WCHAR* output,
              const WCHAR* outputAgain, const uint32_t jobBlock[kJobBlockWords]);
    // 1 when a page end was reported to an open job.
    int EndPage();
    // Reports the end of the open job (aborted: 0 normal, 1 aborted) and
    // unloads the module: 1 when it was reported.
    int EndJob(uint32_t aborted);

    int IsLoaded() const { return module_.IsLoaded(); }

private:
    GJobHookModule module_;
};
