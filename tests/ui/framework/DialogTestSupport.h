#pragma once
// Doubles for the dialog tests: a feature whose state and lock the test
// sets, a check-box wrapper over it that logs what the dialog asks of it,
// and a page built over a PageLink, as the extension set gives one.
#include <memory>
#include <string>
#include <vector>

#include "driver/PageLink.h"
#include "tests/ui/framework/ResourceLibraryDoubles.h"
#include "tests/ui/framework/UIModelTestSupport.h"
#include "ui/framework/GValueFeature.h"
#include "ui/framework/GWrapper.h"
#include "winapi/WinCommonUI.h"
#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinWindow.h"

namespace dialogtest {

// Templates and controls of DIALOGS.DLL.
constexpr WORD kPageTemplate = 200;
constexpr WORD kDetailsTemplate = 300;
constexpr WORD kNoticeTemplate = 310;
constexpr int kComboId = 201;
constexpr int kListId = 202;
constexpr int kDuplexBoxId = 203;
constexpr int kCollateBoxId = 204;
constexpr int kEditId = 205;
constexpr int kMirrorBoxId = 301;

// A value feature whose availability state the test sets.
class StateFeature : public GValueFeature {
public:
    StateFeature(GUIModel* model, uint32_t id) : GValueFeature(model, id) {}
    uint16_t GetState() override { return state; }
    uint16_t state = kEnabled;
};

// A check box (its table's first control) showing a value feature: checked
// for a non-zero value. Logs "<name>.Init<value>", "<name>.Take" and the
// messages it is handed ("<name>.<message>") into a shared log.
class CheckBoxDouble : public GWrapper {
public:
    CheckBoxDouble(std::string name, GValueFeature* feature, const GControlHelpPair* table,
                   std::vector<std::string>& log)
        : GWrapper(feature, table), name_(std::move(name)), feature_(feature), log_(log) {}

    void Init(uint32_t value) override {
        log_.push_back(name_ + ".Init" + std::to_string(value));
        GWrapper::Init(value);
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        log_.push_back(name_ + "." + std::to_string(message));
        return message == WM_SETCURSOR ? setCursorAnswer : GWrapper::HandleMessage(message, wParam, lParam);
    }
    void ShowValue(uint32_t) override {
        CheckDlgButton(Dialog(), static_cast<int>(ControlId(0)),
                       feature_->GetValue() != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    void TakeValue() override {
        log_.push_back(name_ + ".Take");
        feature_->SetValue(IsDlgButtonChecked(Dialog(), static_cast<int>(ControlId(0))) == BST_CHECKED ? 1
                                                                                                       : 0);
    }
    void Refresh() override { SetState(feature_->GetState()); }

    LRESULT setCursorAnswer = 0;

private:
    std::string name_;
    GValueFeature* feature_;
    std::vector<std::string>& log_;
};

// A page record as the extension set hands it out: 40 bytes' worth of
// record with a PageLink on its parameter.
struct PageRecord {
    PageRecord() {
        record.dwSize = 40;
        record.lParam = reinterpret_cast<LPARAM>(&link);
    }
    PageLink link;
    PROPSHEETPAGEW record{};
};

// The messages of a window's procedure, each with the procedure's answer.
struct Delivered {
    UINT message;
    INT_PTR answer;
};

} // namespace dialogtest
