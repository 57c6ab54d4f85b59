#pragma once
// Plays a script of user actions (winapi/host/WinUiScript.h) until it runs out or
// the dialog or sheet it drives is done, and keeps, per thread, the stack of
// modal dialogs that are running so the test driver can find the innermost.
#include <functional>
#include <string>

#include "winapi/host/WinUiScript.h"

class WinUiScriptRunner {
public:
    // `target` gives the window each action acts on; `done` ends the play
    // early. Failed actions are logged (winapi/internal/WinUiLog.h) with `context`.
    static void Play(const WinUiScript& script, const std::function<HWND()>& target,
                     const std::function<bool()>& done, const std::string& context);

    // The modal dialogs running on this thread, innermost last.
    static void PushModal(HWND dialog);
    static void PopModal();
    static HWND InnermostModal();
};
