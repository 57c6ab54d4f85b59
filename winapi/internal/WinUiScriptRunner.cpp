#include "winapi/internal/WinUiScriptRunner.h"

#include <vector>

#include "winapi/internal/WinUiLog.h"

namespace {
thread_local std::vector<HWND> t_modal;
}

void WinUiScriptRunner::Play(const WinUiScript& script, const std::function<HWND()>& target,
                             const std::function<bool()>& done, const std::string& context) {
    for (size_t i = 0; i < script.size(); ++i) {
        if (done()) return;
        const WinUiAction& action = script[i];
        if (!action.run || !action.run(target()))
            WinUiLog::Instance().AddFailure(context + ": action " + std::to_string(i + 1) + " \"" +
                                            action.description + "\" could not be done");
    }
}

void WinUiScriptRunner::PushModal(HWND dialog) {
    t_modal.push_back(dialog);
}

void WinUiScriptRunner::PopModal() {
    if (!t_modal.empty()) t_modal.pop_back();
}

HWND WinUiScriptRunner::InnermostModal() {
    return t_modal.empty() ? nullptr : t_modal.back();
}
