#pragma once
// Helpers of the user-interface tests: the double module with dialog
// templates (tests/winapi/modules/qvdialogs.cpp) loaded for each test, and
// a dialog procedure that records every message it is sent.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "winapi/WinDialog.h"
#include "winapi/WinHandle.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinHostStore.h"

struct RecordedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records messages sent to dialogs that use RecordingProc; `answer`, when
// set, decides what the procedure returns.
class MessageLog {
public:
    static std::vector<RecordedMessage>& Messages() {
        static std::vector<RecordedMessage> messages;
        return messages;
    }
    static std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>& Answer() {
        static std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> answer;
        return answer;
    }
    static void Clear() {
        Messages().clear();
        Answer() = nullptr;
    }
    static INT_PTR CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Messages().push_back({window, message, wParam, lParam});
        if (Answer()) return Answer()(window, message, wParam, lParam);
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    // The WM_COMMAND notifications in order: {control id, code, control}.
    struct Command {
        WORD id;
        WORD code;
        HWND control;
    };
    static std::vector<Command> Commands() {
        std::vector<Command> commands;
        for (const RecordedMessage& m : Messages())
            if (m.message == WM_COMMAND)
                commands.push_back({LOWORD(static_cast<DWORD>(m.wParam)),
                                    HIWORD(static_cast<DWORD>(m.wParam)), reinterpret_cast<HWND>(m.lParam)});
        return commands;
    }
    static size_t Count(UINT message) {
        size_t count = 0;
        for (const RecordedMessage& m : Messages())
            count += m.message == message ? 1 : 0;
        return count;
    }
};

class WinUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        MessageLog::Clear();
        WinHostStore::Instance().AddModuleFolder(QV_TEST_MODULE_DIR);
        module_.Reset(LoadLibraryW(u"QVDIALOGS.DLL"));
        ASSERT_TRUE(module_);
    }
    void TearDown() override { MessageLog::Clear(); }

    HINSTANCE Module() const { return module_.Get(); }
    // A modeless dialog, shown as its owner would show it.
    HWND Open(WORD id, HWND parent = nullptr) {
        const HWND dialog =
            CreateDialogParamW(Module(), MAKEINTRESOURCEW(id), parent, MessageLog::RecordingProc, 0x1234);
        if (dialog != nullptr) ShowWindow(dialog, SW_SHOW);
        return dialog;
    }

private:
    WinScopedModule module_;
};
