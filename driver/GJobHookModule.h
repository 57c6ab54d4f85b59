#pragma once
// The job hook module: an optional module, looked for by file name, that is
// told when a print job begins, at every page end and when the job ends.
// Load keeps it loaded only when it has "ksEndPage", "ksEndJob" and at least
// one of "ksBeginJobEx" and "ksBeginJob"; a module lacking any of them is
// unloaded again at once and never called.
//
// The entries, as this module calls them (C functions; texts are
// NUL-terminated UTF-16; the job is the begin entry's nonzero result):
//   uint32_t ksBeginJobEx(application, document, printer, output, output,
//                         const uint32_t jobBlock[7])      preferred
//   uint32_t ksBeginJob(document, output, output, const uint32_t jobBlock[7])
//   uint32_t ksEndPage(uint32_t job, const void* pageBlock)
//   uint32_t ksEndJob(uint32_t job, uint32_t cancel)   cancel: 0 or 1
// The page block is 16 bytes: u16 16 (its size), u16 0, then 12 bytes 0.
#include <cstdint>

#include "rw/RWWString.h"
#include "winapi/WinTypes.h"

class GJobHookModule {
public:
    static constexpr const char16_t* kDefaultName = u"davevu32.dll";
    static constexpr uint32_t kJobBlockWords = 7;
    static constexpr uint16_t kPageBlockSize = 16;

    using BeginJobProc = uint32_t (*)(const WCHAR* document, const WCHAR* output, const WCHAR* outputAgain,
                                      const uint32_t* jobBlock);
    using BeginJobExProc = uint32_t (*)(const WCHAR* application, const WCHAR* document, const WCHAR* printer,
                                        const WCHAR* output, const WCHAR* outputAgain,
                                        const uint32_t* jobBlock);
    using EndPageProc = uint32_t (*)(uint32_t job, const void* pageBlock);
    using EndJobProc = uint32_t (*)(uint32_t job, uint32_t cancel);

    // Not loaded; the default module name.
    GJobHookModule();
    explicit GJobHookModule(const RWWString& name);
    // Copies the name only: the copy is not loaded.
    GJobHookModule(const GJobHookModule& other);
    // Unloads, then takes the other's name.
    GJobHookModule& operator=(const GJobHookModule& other);
    // The same module name, character for character.
    bool operator==(const GJobHookModule& other) const;
    ~GJobHookModule();

    // Unloads, then loads the module when its file exists and keeps it when
    // it is usable: 1 when usable, else 0.
    int Load();
    // Loads and opens a job with the begin entry (the six-text one when
    // there is one). A null job block (a6), a missing entry or a begin that
    // answers 0 opens no job and unloads the module: 1 when a job is open.
    int BeginJob(const WCHAR* application, const WCHAR* document, const WCHAR* printer, const WCHAR* output,
                 const WCHAR* outputAgain, const uint32_t* jobBlock);
    // 1 when a page end was reported to the open job.
    int EndPage();
    // Reports the end of the open job (cancel 1: aborted) and unloads the
    // module in every case: 1 when an end was reported.
    int EndJob(uint32_t cancel);
    // Frees the module and forgets its entries and job: 1.
    int Unload();

    int IsLoaded() const { return module_ != nullptr ? 1 : 0; }
    uint32_t GetJob() const { return job_; }
    const RWWString& GetName() const { return name_; }

private:
    HMODULE module_ = nullptr;
    uint32_t job_ = 0;
    RWWString name_;
    BeginJobProc begin_ = nullptr;
    BeginJobExProc beginEx_ = nullptr;
    EndPageProc endPage_ = nullptr;
    EndJobProc endJob_ = nullptr;
};
