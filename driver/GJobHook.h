#pragma once
// The job hook module: an optional module that is told when a print job
// begins, at every page end and when the job ends or is aborted. Created
// empty; Begin loads the module by name, uses it when it has a begin entry
// ("ksBeginJob", else "ksBeginJobEx") and both "ksEndPage" and "ksEndJob",
// and calls the begin entry. Destruction unloads the module.
//
// The entries, as this module calls them (C functions; texts are
// NUL-terminated UTF-16; the job is the begin entry's nonzero result):
//   uint32_t ksBeginJob(document, output, output, const uint32_t jobBlock[7])
//   uint32_t ksBeginJobEx(application, document, printer, output, output,
//                         const uint32_t jobBlock[7])
//   uint32_t ksEndPage(uint32_t job, const void* pageBlock)
//   uint32_t ksEndJob(uint32_t job, uint32_t cancel)   cancel: 0 or 1
// The page block is 16 bytes: u16 16 (its size), then 14 bytes 0.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GJobHook {
public:
    static constexpr const char16_t* kDefaultModuleName = u"davevu32.dll";
    static constexpr uint32_t kJobBlockWords = 7;

    using BeginJobProc = uint32_t (*)(const WCHAR* document, const WCHAR* output, const WCHAR* outputAgain,
                                      const uint32_t* jobBlock);
    using BeginJobExProc = uint32_t (*)(const WCHAR* application, const WCHAR* document, const WCHAR* printer,
                                        const WCHAR* output, const WCHAR* outputAgain,
                                        const uint32_t* jobBlock);
    using EndPageProc = uint32_t (*)(uint32_t job, const void* pageBlock);
    using EndJobProc = uint32_t (*)(uint32_t job, uint32_t cancel);

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

    int IsLoaded() const { return module_ != nullptr ? 1 : 0; }

private:
    bool Load();
    void Unload();

    RWWString moduleName_;
    HMODULE module_ = nullptr;
    uint32_t job_ = 0;
    BeginJobProc begin_ = nullptr;
    BeginJobExProc beginEx_ = nullptr;
    EndPageProc endPage_ = nullptr;
    EndJobProc endJob_ = nullptr;
};
