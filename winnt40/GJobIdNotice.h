#pragma once
// The job-ID notice thread of one driver instance: started when a document
// has started, waited for without limit when the document ends or is
// aborted, when its device context is deleted and when the instance goes
// away, so it never outlives the instance whose settings it reads.
#include "winapi/WinTypes.h"

class GJobIdNotice {
public:
    using Body = unsigned (*)(void* argument);

    GJobIdNotice() = default;
    GJobIdNotice(const GJobIdNotice&) = delete;
    GJobIdNotice& operator=(const GJobIdNotice&) = delete;
    ~GJobIdNotice() { Wait(); }

    // Waits for a thread still pending, then runs body(argument) on a new
    // thread. False when the thread could not be started.
    bool Start(Body body, void* argument);
    // Waits for the pending thread, closes its handle and forgets it; does
    // nothing when none is pending.
    void Wait();
    bool IsPending() const { return thread_ != nullptr; }

private:
    HANDLE thread_ = nullptr;
};
