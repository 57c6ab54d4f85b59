#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "winapi/WinDialog.h"
#include "winapi/WinError.h"
#include "winapi/WinTime.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/host/WinUiDriver.h"

namespace {
std::vector<std::pair<HWND, UINT>>& Seen() {
    static std::vector<std::pair<HWND, UINT>> seen;
    return seen;
}

LRESULT CALLBACK Recording(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Seen().emplace_back(window, message);
    if (message == WM_NCCREATE || message == WM_CREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (create->lpCreateParams == reinterpret_cast<LPVOID>(uintptr_t{13}) && message == WM_CREATE)
            return -1;
    }
    if (message == WM_USER + 1) return static_cast<LRESULT>(wParam + lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

ATOM Register(const char16_t* name, int extra = 0) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Recording;
    windowClass.lpszClassName = name;
    windowClass.cbWndExtra = extra;
    return RegisterClassW(&windowClass);
}

HWND Create(const char16_t* className, DWORD style, HWND parent, int id = 0, RECT rect = {0, 0, 100, 50},
            LPVOID param = nullptr) {
    return CreateWindowExW(0, className, u"", style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<uintptr_t>(id)), nullptr, param);
}

class WinWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { Seen().clear(); }
};

WNDPROC g_previous = nullptr;
std::vector<UINT> g_subclassSeen;

LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    g_subclassSeen.push_back(message);
    if (message == WM_CHAR && wParam == u'x') return 0; // swallowed
    return CallWindowProcW(g_previous, window, message, wParam, lParam);
}
} // namespace

TEST_F(WinWindowsTest, TopLevelWindowsOfRegisteredClassesAreFoundByNameAndAnswerMessages) {
    ASSERT_NE(Register(u"rozid"), 0);
    EXPECT_EQ(Register(u"ROZID"), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    const HWND agent = Create(u"rozid", WS_OVERLAPPED, nullptr);
    ASSERT_NE(agent, nullptr);
    EXPECT_EQ(FindWindowW(u"ROZID", nullptr), agent);
    EXPECT_EQ(FindWindowW(u"rozid", u"other title"), nullptr);
    EXPECT_EQ(FindWindowW(u"NoSuchClass", nullptr), nullptr);

    const UINT message = RegisterWindowMessageW(u"ROZID_CLIENT_REQUEST");
    EXPECT_GE(message, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(u"rozid_client_request"), message);
    EXPECT_NE(RegisterWindowMessageW(u"SOMETHING_ELSE"), message);
    EXPECT_EQ(RegisterWindowMessageW(u""), 0u);

    EXPECT_EQ(SendMessageW(agent, WM_USER + 1, 3, 6), 9);
    ASSERT_TRUE(DestroyWindow(agent));
    EXPECT_EQ(FindWindowW(u"rozid", nullptr), nullptr);
    EXPECT_EQ(SendMessageW(agent, WM_USER + 1, 3, 6), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(UnregisterClassW(u"NoSuchClass", nullptr));
    EXPECT_TRUE(UnregisterClassW(u"rozid", nullptr));
}

TEST_F(WinWindowsTest, CreationAndDestructionMessagesComeInOrderAndHandlesAreNotReused) {
    ASSERT_NE(Register(u"Plain"), 0);
    const HWND parent = Create(u"Plain", WS_OVERLAPPED, nullptr);
    const HWND child = Create(u"Plain", WS_CHILD, parent, 5);
    const HWND grandchild = Create(u"Plain", WS_CHILD, child, 6);
    const std::vector<std::pair<HWND, UINT>> created = {{parent, WM_NCCREATE},     {parent, WM_CREATE},
                                                        {child, WM_NCCREATE},      {child, WM_CREATE},
                                                        {grandchild, WM_NCCREATE}, {grandchild, WM_CREATE}};
    EXPECT_EQ(Seen(), created);
    Seen().clear();
    ASSERT_TRUE(DestroyWindow(parent));
    // WM_DESTROY to a window while its children still exist, WM_NCDESTROY last.
    const std::vector<std::pair<HWND, UINT>> destroyed = {
        {parent, WM_DESTROY},       {child, WM_DESTROY},   {grandchild, WM_DESTROY},
        {grandchild, WM_NCDESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(Seen(), destroyed);
    for (HWND window : {parent, child, grandchild})
        EXPECT_FALSE(IsWindow(window));
    const HWND again = Create(u"Plain", WS_OVERLAPPED, nullptr);
    for (HWND window : {parent, child, grandchild})
        EXPECT_NE(again, window);
    // A WM_CREATE answering -1 refuses the window; a child needs a parent.
    EXPECT_EQ(
        Create(u"Plain", WS_OVERLAPPED, nullptr, 0, {0, 0, 1, 1}, reinterpret_cast<LPVOID>(uintptr_t{13})),
        nullptr);
    EXPECT_EQ(Create(u"Plain", WS_CHILD, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
    EXPECT_FALSE(DestroyWindow(GetDesktopWindow()));
}

TEST_F(WinWindowsTest, SlotsArePointerSizedAndExtraBytesAreBounded) {
    ASSERT_NE(Register(u"Extra", 16), 0);
    const HWND window = Create(u"Extra", WS_OVERLAPPED, nullptr);
    const auto pointer = reinterpret_cast<LONG_PTR>(&window);
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_USERDATA, pointer), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), pointer);
    SetWindowLongPtrW(window, 8, pointer);
    EXPECT_EQ(GetWindowLongPtrW(window, 8), pointer);
    EXPECT_EQ(GetWindowLongPtrW(window, 9), 0); // 9 + 8 > 16
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(GetWindowLongPtrW(window, -100), 0);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), WS_OVERLAPPED);
    DestroyWindow(window);
}

TEST_F(WinWindowsTest, SubclassingThroughTheProcedureSlotChainsToTheControl) {
    const HWND parent = Create(u"#32770", WS_POPUP | WS_VISIBLE, nullptr);
    const HWND edit = Create(u"Edit", WS_CHILD | WS_VISIBLE, parent, 10);
    ASSERT_NE(edit, nullptr);
    g_subclassSeen.clear();
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    ASSERT_NE(g_previous, nullptr);
    for (char16_t c : std::u16string(u"axb"))
        SendMessageW(edit, WM_CHAR, c, 0);
    EXPECT_EQ(WinUiDriver::WindowText(edit), u"ab");
    EXPECT_EQ(g_subclassSeen.size(), 3u + 2u); // three characters, WM_GETTEXTLENGTH and WM_GETTEXT
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
    SendMessageW(edit, WM_CHAR, u'x', 0);
    EXPECT_EQ(WinUiDriver::WindowText(edit), u"abx");
    DestroyWindow(parent);
}

TEST_F(WinWindowsTest, GeometryThroughNestedParents) {
    ASSERT_NE(Register(u"Plain"), 0);
    const HWND top = Create(u"Plain", WS_POPUP | WS_VISIBLE, nullptr, 0, {100, 50, 400, 300});
    const HWND panel = Create(u"Plain", WS_CHILD | WS_VISIBLE, top, 1, {10, 20, 210, 120});
    const HWND button = Create(u"Button", WS_CHILD | WS_VISIBLE, panel, 2, {5, 5, 55, 25});
    POINT point{1, 2};
    ASSERT_TRUE(ClientToScreen(button, &point));
    EXPECT_EQ(point.x, 100 + 10 + 5 + 1);
    EXPECT_EQ(point.y, 50 + 20 + 5 + 2);
    ASSERT_TRUE(ScreenToClient(panel, &point));
    EXPECT_EQ(point.x, 6);
    EXPECT_EQ(point.y, 7);
    EXPECT_EQ(ChildWindowFromPoint(panel, {6, 7}), button);
    EXPECT_EQ(ChildWindowFromPoint(panel, {100, 90}), panel);
    EXPECT_EQ(ChildWindowFromPoint(panel, {300, 90}), nullptr);
    ShowWindow(button, SW_HIDE);
    EXPECT_EQ(ChildWindowFromPoint(panel, {6, 7}), button); // hidden children count

    const int before = WinUiDriver::Invalidations(button);
    MoveWindow(button, 30, 40, 20, 10, FALSE);
    EXPECT_EQ(WinUiDriver::Invalidations(button), before);
    SetWindowPos(button, nullptr, 31, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(WinUiDriver::Invalidations(button), before + 1);
    WINDOWPLACEMENT placement{};
    ASSERT_TRUE(GetWindowPlacement(button, &placement));
    EXPECT_EQ(placement.rcNormalPosition.left, 31);
    EXPECT_EQ(placement.rcNormalPosition.top, 41);
    EXPECT_EQ(placement.rcNormalPosition.right, 51);
    EXPECT_EQ(placement.rcNormalPosition.bottom, 51);
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_HIDE));
    DestroyWindow(top);
}

TEST_F(WinWindowsTest, VisibilityFollowsParentsWhileEnabledIsTheWindowsOwn) {
    ASSERT_NE(Register(u"Plain"), 0);
    const HWND top = Create(u"Plain", WS_POPUP, nullptr);
    const HWND child = Create(u"Plain", WS_CHILD | WS_VISIBLE, top, 1);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));
    Seen().clear();
    EXPECT_FALSE(EnableWindow(top, FALSE)); // was enabled
    EXPECT_TRUE(EnableWindow(top, FALSE));  // was disabled; no second WM_ENABLE
    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_EQ(Seen(), (std::vector<std::pair<HWND, UINT>>{{top, WM_ENABLE}}));
    EXPECT_EQ(GetTopWindow(nullptr), top);
    DestroyWindow(top);
}

TEST_F(WinWindowsTest, FocusChangesAreToldToBothWindows) {
    ASSERT_NE(Register(u"Plain"), 0);
    const HWND top = Create(u"Plain", WS_POPUP | WS_VISIBLE, nullptr);
    const HWND a = Create(u"Plain", WS_CHILD | WS_VISIBLE, top, 1);
    const HWND b = Create(u"Plain", WS_CHILD | WS_VISIBLE, top, 2);
    SetFocus(a);
    Seen().clear();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(Seen(), (std::vector<std::pair<HWND, UINT>>{{a, WM_KILLFOCUS}, {b, WM_SETFOCUS}}));
    DestroyWindow(top);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WinWindowsTest, TimersFireOnTheLayersClockInOrderOfTime) {
    std::vector<std::pair<UINT_PTR, DWORD>> fired;
    static std::vector<std::pair<UINT_PTR, DWORD>>* log = nullptr;
    log = &fired;
    WNDCLASSW windowClass{};
    windowClass.lpszClassName = u"Timed";
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_TIMER) log->emplace_back(wParam, GetTickCount());
        return DefWindowProcW(window, message, wParam, lParam);
    };
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    const HWND window = Create(u"Timed", WS_OVERLAPPED, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_EQ(SetTimer(window, 19283, 250, nullptr), 19283u);
    EXPECT_EQ(SetTimer(window, 7, 400, nullptr), 7u);
    WinUiDriver::AdvanceClock(1000);
    const std::vector<std::pair<UINT_PTR, DWORD>> expected = {{19283, start + 250}, {7, start + 400},
                                                              {19283, start + 500}, {19283, start + 750},
                                                              {7, start + 800},     {19283, start + 1000}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(GetTickCount(), start + 1000);
    EXPECT_TRUE(KillTimer(window, 19283));
    EXPECT_FALSE(KillTimer(window, 19283));
    fired.clear();
    WinUiDriver::AdvanceClock(400);
    EXPECT_EQ(fired, (std::vector<std::pair<UINT_PTR, DWORD>>{{7, start + 1200}}));
    DestroyWindow(window); // its timers go with it
    fired.clear();
    WinUiDriver::AdvanceClock(1000);
    EXPECT_TRUE(fired.empty());
}

TEST_F(WinWindowsTest, HelpContextMenusAndCursorsGoToTheParentFirst) {
    std::vector<UINT> parentSeen;
    static std::vector<UINT>* log = nullptr;
    log = &parentSeen;
    WNDCLASSW windowClass{};
    windowClass.lpszClassName = u"Parent";
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        log->push_back(message);
        if (message == WM_SETCURSOR) return TRUE;
        return DefWindowProcW(window, message, wParam, lParam);
    };
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    const HWND parent = Create(u"Parent", WS_POPUP | WS_VISIBLE, nullptr);
    const HWND button = Create(u"Button", WS_CHILD | WS_VISIBLE, parent, 3);
    parentSeen.clear();
    SendMessageW(button, WM_HELP, 0, 0);
    SendMessageW(button, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button), 0);
    EXPECT_EQ(SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, 0)),
              TRUE);
    EXPECT_EQ(parentSeen, (std::vector<UINT>{WM_HELP, WM_CONTEXTMENU, WM_SETCURSOR}));

    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), arrow);
    EXPECT_NE(LoadCursorW(nullptr, IDC_WAIT), arrow);
    EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(11270)), nullptr);
    SetCursor(arrow);
    EXPECT_EQ(SetCursor(nullptr), arrow);
    DestroyWindow(parent);
}

TEST_F(WinWindowsTest, AFreshHostStoreStartsWithoutWindows) {
    ASSERT_NE(Register(u"Plain"), 0);
    const HWND window = Create(u"Plain", WS_OVERLAPPED, nullptr);
    ASSERT_TRUE(IsWindow(window));
    WinHostStore::Instance().Reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowW(u"Plain", nullptr), nullptr);
    EXPECT_EQ(Create(u"Plain", WS_OVERLAPPED, nullptr), nullptr); // the class went too
    EXPECT_NE(Create(u"Button", WS_OVERLAPPED, nullptr), nullptr);
}
