#pragma once
// The base of every property page and sub-dialog of the sheet: it owns a
// list of control wrappers, routes its dialog's messages to them, runs the
// UI model's change propagation after a control has acted, and answers
// help requests with WinHelpA: the Help button (control 9) and PSN_HELP
// open the page's help context, F1 and the context menu on a control the
// help table joined from the wrappers' {control id, help id} rows.
//
// A message for a control runs inside BeginUpdate / EndUpdate on the UI
// model: when the control acted (or the settings were changed anyway) the
// rules run and every control is shown again; the changed flag is cleared
// at the end.
#include <cstdint>
#include <memory>
#include <vector>

#include "rw/RWCString.h"
#include "ui/framework/GWrapper.h"
#include "winapi/WinTypes.h"

class GUIModel;

class GDialog {
public:
    // The Help button of every dialog.
    static constexpr int kHelpButton = 9;

    // hasHelp is for the kinds (a page's Help flag); the base keeps none.
    GDialog(uint16_t templateId, GUIModel* model, uint32_t hasHelp, uint16_t pageHelpId);
    GDialog(const GDialog&) = delete;
    GDialog& operator=(const GDialog&) = delete;
    // Deletes every wrapper.
    virtual ~GDialog();

    // The dialog owns the wrapper from now on; a null one is not added.
    virtual void AddControl(std::unique_ptr<GWrapper> wrapper);
    // Every wrapper: Attach to the window, then Init(0).
    virtual void AttachControls();
    virtual void InitControls(uint32_t value);
    // Every wrapper's HandleMessage inside an update; their answers ORed.
    virtual LRESULT BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The wrapper that owns the window handles the message, inside an update.
    virtual LRESULT DispatchToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DispatchToId(uint16_t controlId, UINT message, WPARAM wParam, LPARAM lParam);
    // The routing of the dialog's messages; the dialog procedure's answer.
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual HWND Window() const { return window_; }
    // Help for a control (command HELP_WM_HELP or HELP_CONTEXTMENU): 1 when
    // WinHelpA was called with a table.
    virtual int32_t ShowHelp(HWND control, UINT command);
    virtual GWrapper* FindByWindow(HWND window) const;
    // The first wrapper owning the window whose table has a help id.
    virtual GWrapper* FindByHelpWindow(HWND window) const;
    // Joins the wrappers' tables, in list order, into one help table ended
    // by {0, 0}; it replaces the one built before.
    virtual void BuildHelpTable();
    virtual void SetWindow(HWND window) { window_ = window; }
    // After a control message: propagation and a new showing of the
    // controls when the control acted or the settings changed; then the
    // update ends and the changed flag is cleared.
    virtual void AfterControlMessage(LRESULT handled);

    GUIModel* Model() const { return model_; }
    // A checked link to this dialog: it expires when the dialog is deleted,
    // so that an object which may outlive it (a rule) never reaches a
    // deleted one.
    std::weak_ptr<GDialog* const> Link() const { return self_; }
    uint16_t TemplateId() const { return templateId_; }
    uint16_t PageHelpId() const { return pageHelpId_; }
    const RWCString& HelpFile() const { return helpFile_; }
    // The joined table, null before BuildHelpTable.
    const GControlHelpPair* HelpTable() const { return helpTable_.empty() ? nullptr : helpTable_.data(); }
    size_t ControlCount() const { return wrappers_.size(); }

protected:
    // WinHelpA with the page's help context (the Help button, PSN_HELP).
    void ShowPageHelp();

private:
    INT_PTR RouteNotify(WPARAM wParam, LPARAM lParam);
    void RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowEveryControl();

    GUIModel* model_;
    uint16_t templateId_;
    std::vector<GControlHelpPair> helpTable_;
    uint16_t pageHelpId_;
    HWND window_ = nullptr;
    RWCString helpFile_;
    std::vector<std::unique_ptr<GWrapper>> wrappers_;
    std::shared_ptr<GDialog* const> self_;
};
