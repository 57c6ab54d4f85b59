#pragma once
// What the test driver queues for the headless interface to answer with:
// a script per dialog template (taken, first in first out, by each modal
// run of that template), scripts for property sheets (taken by each
// CommonPropertySheetUIW) and answers for message boxes. Emptied when the
// host store is reset.
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>

#include "winapi/host/WinUiScript.h"

class WinUiScriptQueue {
public:
    static WinUiScriptQueue& Instance();

    void QueueDialogScript(WORD templateId, WinUiScript script);
    // The next script of the template; an empty script when none is queued.
    WinUiScript TakeDialogScript(WORD templateId);
    void QueueSheetScript(WinUiScript script);
    WinUiScript TakeSheetScript();
    void QueueMessageBoxAnswer(int answer);
    bool TakeMessageBoxAnswer(int& answer);
    void Clear();

private:
    WinUiScriptQueue() = default;
    void CheckGeneration();

    std::mutex mutex_;
    uint64_t generation_ = 0;
    std::map<WORD, std::deque<WinUiScript>> dialogs_;
    std::deque<WinUiScript> sheets_;
    std::deque<int> answers_;
};
