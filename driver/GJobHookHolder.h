#pragma once
// The driver instance's holder of one open hook job: the document events
// tell the job hook module (GJobHookModule) that a job begins, that a page ended
// and that the job ended or was aborted.
//
// Job block handed to the hook's begin (seven 32-bit words):
//   0  0
//   1  4
//   2  low half: the major half of the module's first version word (4);
//      high half: the copies (setting 291 in node 364 of the settings; 1
//      when missing or without settings)
//   3  low half: the printer's setting 434 (in the printer node, id 76, of
//      the configuration; 2 when missing); high half 0
//   4 to 6  0
#include <array>
#include <cstdint>
#include <memory>

#include "driver/GJobHookModule.h"

class GDriverContext;
class MPersistentObject;
struct DOCINFOW;

class GJobHookHolder {
public:
    using JobBlock = std::array<uint32_t, GJobHookModule::kJobBlockWords>;

    GJobHookHolder();
    GJobHookHolder(const GJobHookHolder&) = delete;
    GJobHookHolder& operator=(const GJobHookHolder&) = delete;
    ~GJobHookHolder();

    // Drops any open hook job without an end call, then opens a new one:
    // "Application", the document name, the printer name and the output
    // (the document's, else the context's port name) twice, and the job
    // block. A hook that cannot begin is dropped.
    void BeginJob(GDriverContext* context, MPersistentObject* settings, const DOCINFOW* document);
    // With an open job: tells the hook a page ended.
    void EndPage(GDriverContext* context, MPersistentObject* settings);
    // With an open job: ends it normally (EndJob) or as aborted (AbortJob)
    // and drops the hook.
    void EndJob(GDriverContext* context, MPersistentObject* settings);
    void AbortJob(GDriverContext* context, MPersistentObject* settings);

    bool HasOpenJob() const { return hook_ != nullptr; }

    static JobBlock MakeJobBlock(GDriverContext* context, MPersistentObject* settings);

private:
    void Finish(uint32_t aborted);

    std::unique_ptr<GJobHookModule> hook_;
};
