#include "winapi/internal/WinPropertySheet.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "winapi/WinError.h"
#include "winapi/WinModule.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/internal/WinDialogBuilder.h"
#include "winapi/internal/WinTextRules.h"
#include "winapi/internal/WinUiScriptQueue.h"
#include "winapi/internal/WinUiScriptRunner.h"

namespace {
constexpr uint64_t kSheetTag = uint64_t{0x5053} << 32;
constexpr uint64_t kPageTag = uint64_t{0x5047} << 32;
constexpr size_t kMaxPageRecord = 4096; // a dwSize beyond this is refused
constexpr LONG kMargin = 6;
constexpr LONG kButtonWidth = 75, kButtonHeight = 23;

struct Registry {
    std::mutex mutex;
    uint64_t next = 0;
    std::map<uintptr_t, WinPropertySheet*> sheets; // by sheet handle
    std::map<HWND, WinPropertySheet*> frames;
    std::string pictureFolder;
};

Registry& Sheets() {
    static auto* registry = new Registry; // outlives static destructors
    return *registry;
}

HANDLE NextHandle(uint64_t tag) {
    std::lock_guard<std::mutex> hold(Sheets().mutex);
    Sheets().next += 4;
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(tag | Sheets().next));
}

WinPropertySheet* SheetOf(HANDLE handle) {
    std::lock_guard<std::mutex> hold(Sheets().mutex);
    auto found = Sheets().sheets.find(reinterpret_cast<uintptr_t>(handle));
    return found != Sheets().sheets.end() ? found->second : nullptr;
}

WinPropertySheet* SheetOfFrame(HWND frame) {
    std::lock_guard<std::mutex> hold(Sheets().mutex);
    auto found = Sheets().frames.find(frame);
    return found != Sheets().frames.end() ? found->second : nullptr;
}

std::u16string Title(const PROPSHEETUI_INFO_HEADER& header) {
    std::u16string title;
    if (header.pTitle != nullptr && IS_INTRESOURCE(header.pTitle)) {
        WCHAR buffer[256] = {};
        LoadStringW(header.hInst, static_cast<UINT>(reinterpret_cast<uintptr_t>(header.pTitle)), buffer, 256);
        title = WinText::View(buffer);
    } else {
        title = WinText::View(header.pTitle);
    }
    if ((header.Flags & PSUIHDRF_EXACT_PTITLE) != 0) return title;
    if ((header.Flags & PSUIHDRF_DEFTITLE) != 0) title += u" Default";
    if ((header.Flags & PSUIHDRF_PROPTITLE) != 0) title += u" Properties";
    return title;
}
} // namespace

WinPropertySheet::WinPropertySheet(HWND owner, PFNPROPSHEETUI function, LPARAM lParam)
    : owner_(owner), function_(function), lParam_(lParam) {
    handle_ = NextHandle(kSheetTag);
    std::lock_guard<std::mutex> hold(Sheets().mutex);
    Sheets().sheets[reinterpret_cast<uintptr_t>(handle_)] = this;
}

WinPropertySheet::~WinPropertySheet() {
    std::lock_guard<std::mutex> hold(Sheets().mutex);
    Sheets().sheets.erase(reinterpret_cast<uintptr_t>(handle_));
    Sheets().frames.erase(frame_);
}

void WinPropertySheet::SetPictureFolder(std::string folder) {
    std::lock_guard<std::mutex> hold(Sheets().mutex);
    Sheets().pictureFolder = std::move(folder);
}

LONG WinPropertySheet::Call(WORD reason, LPARAM lParam) {
    info_.Reason = reason;
    return function_(&info_, lParam);
}

LONG WinPropertySheet::Run(LPDWORD result) {
    info_ = {sizeof(PROPSHEETUI_INFO),
             PROPSHEETUI_INFO_VERSION,
             PSUIINFO_UNICODE,
             0,
             handle_,
             ComPropSheet,
             lParam_,
             0,
             0};
    Call(PROPSHEETUI_REASON_BEFORE_INIT, lParam_);
    if (Call(PROPSHEETUI_REASON_INIT, lParam_) < 1) {
        Call(PROPSHEETUI_REASON_DESTROY, 0);
        SetLastError(ERROR_INVALID_FUNCTION);
        return ERR_CPSUI_GETLASTERROR;
    }
    PROPSHEETUI_INFO_HEADER header{};
    header.cbSize = sizeof header;
    header.Flags = PSUIHDRF_PROPTITLE;
    header.hWndParent = owner_;
    Call(PROPSHEETUI_REASON_GET_INFO_HEADER, reinterpret_cast<LPARAM>(&header));
    if (pages_.empty()) {
        Call(PROPSHEETUI_REASON_DESTROY, 0);
        SetLastError(ERROR_INVALID_DATA);
        return ERR_CPSUI_GETLASTERROR;
    }
    const HWND parent = header.hWndParent;
    const bool disableParent = parent != nullptr && IsWindowEnabled(parent);
    if (disableParent) EnableWindow(parent, FALSE);
    MakeFrame(Title(header), parent, (header.Flags & PSUIHDRF_NOAPPLYNOW) == 0);
    WinUiScriptRunner::PushModal(frame_);
    size_t first = 0;
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i]->handle == start_) first = i;
    for (size_t step = 0; step < pages_.size() && !current_; ++step)
        ShowPage((first + step) % pages_.size());
    const WinUiScript script = WinUiScriptQueue::Instance().TakeSheetScript();
    WinUiScriptRunner::Play(
        script,
        [this] {
            return current_ && pages_[*current_]->window != nullptr ? pages_[*current_]->window : frame_;
        },
        [this] { return closed_; }, "property sheet");
    if (!closed_) Close(false);
    WinUiScriptRunner::PopModal();
    if (!resultDelivered_) DeliverResult(handle_, ok_ ? CPSUI_OK : CPSUI_CANCEL);
    if (disableParent && IsWindow(parent)) EnableWindow(parent, TRUE);
    Teardown();
    Call(PROPSHEETUI_REASON_DESTROY, 1);
    if (result != nullptr) *result = static_cast<DWORD>(info_.Result);
    return ok_ ? CPSUI_OK : CPSUI_CANCEL;
}

LONG_PTR WinPropertySheet::ComPropSheet(HANDLE handle, UINT function, LPARAM lParam1, LPARAM lParam2) {
    WinPropertySheet* sheet = SheetOf(handle);
    if (sheet == nullptr) return function == CPSFUNC_SET_RESULT ? -1 : 0;
    switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW:
        return reinterpret_cast<LONG_PTR>(sheet->AddPage(reinterpret_cast<const PROPSHEETPAGEW*>(lParam1)));
    case CPSFUNC_SET_HSTARTPAGE: {
        Page* page = sheet->FindPage(reinterpret_cast<HANDLE>(lParam1));
        if (page == nullptr) return 0;
        sheet->start_ = page->handle;
        return 1;
    }
    case CPSFUNC_SET_RESULT:
        return sheet->SetResult(reinterpret_cast<HANDLE>(lParam1), static_cast<LRESULT>(lParam2));
    default:
        return 0;
    }
}

HPROPSHEETPAGE WinPropertySheet::AddPage(const PROPSHEETPAGEW* page) {
    if (page == nullptr || page->dwSize < sizeof(PROPSHEETPAGEW) || page->dwSize > kMaxPageRecord) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto added = std::make_unique<Page>();
    const auto* bytes = reinterpret_cast<const BYTE*>(page);
    added->description.assign(bytes, bytes + page->dwSize);
    added->handle = reinterpret_cast<HPROPSHEETPAGE>(NextHandle(kPageTag));
    const HPROPSHEETPAGE handle = added->handle;
    pages_.push_back(std::move(added));
    return handle;
}

WinPropertySheet::Page* WinPropertySheet::FindPage(HANDLE handle) {
    for (auto& page : pages_)
        if (reinterpret_cast<HANDLE>(page->handle) == handle) return page.get();
    return nullptr;
}

LONG_PTR WinPropertySheet::SetResult(HANDLE which, LRESULT value) {
    if (which != nullptr && which != handle_ && FindPage(which) == nullptr) return -1;
    DeliverResult(which != nullptr ? which : handle_, value);
    return 1; // the one sheet function called
}

void WinPropertySheet::DeliverResult(HANDLE which, LRESULT value) {
    SETRESULT_INFO result{sizeof(SETRESULT_INFO), 0, which, value};
    resultDelivered_ = true;
    Call(PROPSHEETUI_REASON_SET_RESULT, reinterpret_cast<LPARAM>(&result));
}

void WinPropertySheet::MakeFrame(const std::u16string& title, HWND parent, bool apply) {
    // The frame holds the largest page, with the buttons below it.
    LONG width = 200, height = 150;
    for (auto& page : pages_) {
        WinDialogTemplate dialogTemplate;
        WORD id = 0;
        if (WinDialogBuilder::Load(page->Description()->hInstance, page->Description()->pszTemplate,
                                   dialogTemplate, id)) {
            width = std::max(width, WinDialogBuilder::UnitsToPixelsX(dialogTemplate.width));
            height = std::max(height, WinDialogBuilder::UnitsToPixelsY(dialogTemplate.height));
        }
    }
    const LONG frameWidth = width + 2 * kMargin, frameHeight = height + 3 * kMargin + kButtonHeight;
    frame_ = CreateWindowExW(0, u"#32770", title.c_str(), WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0,
                             frameWidth, frameHeight, parent, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(frame_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(FrameProcedure));
    {
        std::lock_guard<std::mutex> hold(Sheets().mutex);
        Sheets().frames[frame_] = this;
    }
    struct Button {
        int id;
        const char16_t* text;
        DWORD style;
    };
    std::vector<Button> buttons = {{IDOK, u"OK", BS_DEFPUSHBUTTON}, {IDCANCEL, u"Cancel", BS_PUSHBUTTON}};
    if (apply) buttons.push_back({ID_APPLY_NOW, u"&Apply", BS_PUSHBUTTON});
    buttons.push_back({IDHELP, u"Help", BS_PUSHBUTTON});
    LONG x = frameWidth - kMargin - static_cast<LONG>(buttons.size()) * (kButtonWidth + kMargin) + kMargin;
    const HFONT font = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Button& button : buttons) {
        const HWND control =
            CreateWindowExW(0, WC_BUTTONW, button.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | button.style, x,
                            frameHeight - kMargin - kButtonHeight, kButtonWidth, kButtonHeight, frame_,
                            reinterpret_cast<HMENU>(static_cast<uintptr_t>(button.id)), nullptr, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        x += kButtonWidth + kMargin;
    }
}

bool WinPropertySheet::CreatePageWindow(Page& page) {
    PROPSHEETPAGEW* description = page.Description();
    if ((description->dwFlags & PSP_USECALLBACK) != 0 && description->pfnCallback != nullptr &&
        description->pfnCallback(nullptr, PSPCB_CREATE, description) == 0)
        return false;
    WinDialogTemplate dialogTemplate;
    WORD id = 0;
    if ((description->dwFlags & PSP_DLGINDIRECT) != 0 ||
        !WinDialogBuilder::Load(description->hInstance, description->pszTemplate, dialogTemplate, id))
        return false;
    dialogTemplate.style = (dialogTemplate.style | WS_CHILD | DS_CONTROL) & ~(WS_POPUP | WS_CAPTION);
    const HWND window = WinDialogBuilder::Create(description->hInstance, dialogTemplate, id, frame_,
                                                 description->pfnDlgProc, false);
    if (window == nullptr) return false;
    SetWindowPos(window, nullptr, kMargin, kMargin, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
    page.window = window;
    page.created = true;
    WinDialogBuilder::Initialize(window, reinterpret_cast<LPARAM>(description), false);
    return true;
}

LONG_PTR WinPropertySheet::Notify(HWND page, UINT code, LPARAM lParam) {
    if (!IsWindow(page)) return 0;
    PSHNOTIFY notify{{frame_, 0, code}, lParam};
    return SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

bool WinPropertySheet::ShowPage(size_t index) {
    if (index >= pages_.size() || pages_[index]->refused) return false;
    if (current_ && *current_ == index) return true;
    if (current_) {
        Page& leaving = *pages_[*current_];
        if (Notify(leaving.window, PSN_KILLACTIVE, 0) != 0) return false; // the page keeps the focus
        Picture(*current_);
        ShowWindow(leaving.window, SW_HIDE);
    }
    Page& page = *pages_[index];
    if (!page.created && !CreatePageWindow(page)) {
        page.refused = true;
        if (current_) ShowWindow(pages_[*current_]->window, SW_SHOW);
        return false;
    }
    current_ = index;
    Notify(page.window, PSN_SETACTIVE, 0);
    ShowWindow(page.window, SW_SHOW);
    EnableWindow(GetDlgItem(frame_, IDHELP), (page.Description()->dwFlags & PSP_HASHELP) != 0);
    return true;
}

bool WinPropertySheet::Apply(bool closing) {
    resultDelivered_ = false;
    if (current_ && Notify(pages_[*current_]->window, PSN_KILLACTIVE, 0) != 0) return false;
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (!pages_[i]->created) continue;
        const LONG_PTR answer = Notify(pages_[i]->window, PSN_APPLY, closing ? TRUE : FALSE);
        if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) {
            if (answer == PSNRET_INVALID) ShowPage(i);
            return false;
        }
    }
    return true;
}

void WinPropertySheet::Close(bool ok) {
    if (current_) Picture(*current_);
    if (ok) {
        if (!Apply(true)) return;
    } else {
        for (auto& page : pages_)
            if (page->created) Notify(page->window, PSN_RESET, FALSE);
    }
    closed_ = true;
    ok_ = ok;
}

void WinPropertySheet::Picture(size_t index) {
    std::string folder;
    {
        std::lock_guard<std::mutex> hold(Sheets().mutex);
        folder = Sheets().pictureFolder;
    }
    if (folder.empty() || index >= pages_.size() || !IsWindow(pages_[index]->window)) return;
    WinUiDriver::RenderToPng(pages_[index]->window, folder + "/page-" + std::to_string(index + 1) + ".png");
}

void WinPropertySheet::Teardown() {
    if (IsWindow(frame_)) DestroyWindow(frame_);
    for (auto& page : pages_) {
        PROPSHEETPAGEW* description = page->Description();
        if ((description->dwFlags & PSP_USECALLBACK) != 0 && description->pfnCallback != nullptr)
            description->pfnCallback(nullptr, PSPCB_RELEASE, description);
    }
}

INT_PTR CALLBACK WinPropertySheet::FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM) {
    WinPropertySheet* sheet = SheetOfFrame(frame);
    if (sheet == nullptr) return FALSE;
    if (message == PSM_SETCURSEL) {
        SetWindowLongPtrW(frame, DWLP_MSGRESULT, sheet->ShowPage(static_cast<size_t>(wParam)) ? TRUE : FALSE);
        return TRUE;
    }
    if (message == PSM_GETCURRENTPAGEHWND) {
        const HWND page = sheet->current_ ? sheet->pages_[*sheet->current_]->window : nullptr;
        SetWindowLongPtrW(frame, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(page));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(static_cast<DWORD>(wParam))) {
    case IDOK:
        sheet->Close(true);
        return TRUE;
    case IDCANCEL:
        sheet->Close(false);
        return TRUE;
    case ID_APPLY_NOW:
        sheet->Apply(false);
        return TRUE;
    case IDHELP:
        if (sheet->current_) sheet->Notify(sheet->pages_[*sheet->current_]->window, PSN_HELP, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

LONG CommonPropertySheetUIW(HWND owner, PFNPROPSHEETUI function, LPARAM lParam, LPDWORD result) {
    if (function == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERR_CPSUI_GETLASTERROR;
    }
    WinPropertySheet sheet(owner, function, lParam);
    return sheet.Run(result);
}
