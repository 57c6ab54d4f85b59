#pragma once
// A script of user actions for the headless interface: what the user of a
// modal dialog or a property sheet does, one action after the other. Each
// action is played against a target window: the dialog it was queued for,
// or the page a property sheet shows at that moment. An action answers
// false when the user could not have done it (the control is missing,
// hidden or disabled, the item does not exist); the failure is logged and
// the script goes on.
#include <functional>
#include <string>
#include <vector>

#include "winapi/WinTypes.h"

struct WinUiAction {
    std::string description; // as a script line would say it, e.g. "click 1021"
    std::function<bool(HWND target)> run;
};

using WinUiScript = std::vector<WinUiAction>;
