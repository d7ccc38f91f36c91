// The task list's Windows half on real windows: the walk over the desktop's
// chain with windows of this process, switching to and closing them, the
// menus in Orvane.dll, and the hold gesture's stand-in.
#include "Gesture_win.h"
#include "TodayHostRun.h"
#include "engine/LaunchCore.h"
#include "engine/WindowChain_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_APP)
        ::SetPropW(hwnd, L"OrvSeen", reinterpret_cast<HANDLE>(1));
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Top-level windows of this process, destroyed at the end.
class CProbeWindows {
public:
    ~CProbeWindows()
    {
        for (HWND hwnd : m_windows)
            if (::IsWindow(hwnd))
                ::DestroyWindow(hwnd);
    }
    HWND Open(const std::wstring& cls, const std::wstring& title, bool visible = true)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = cls.c_str();
        ::RegisterClassW(&wc);  // again for a class already there: no harm
        HWND hwnd = ::CreateWindowExW(0, cls.c_str(), title.c_str(), WS_OVERLAPPED | (visible ? WS_VISIBLE : 0), 0, 0,
                                      100, 100, nullptr, nullptr, wc.hInstance, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }

private:
    std::vector<HWND> m_windows;
};

WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

const IconEntry* TaskOf(const TaskListState& tasks, HWND hwnd)
{
    for (const IconEntry& e : tasks.list.entries)
        if (e.nAppType == APP_RUNNING_TASK && e.TaskWindow == Handle(hwnd))
            return &e;
    return nullptr;
}

}  // namespace

TEST(DesktopWindows, TheWalkListsThisProcesssWindowsWithItsPath)
{
    CProbeWindows probes;
    HWND first = probes.Open(L"OrvTaskProbe", L"Probe first");
    HWND second = probes.Open(L"OrvTaskProbe", L"Probe second");
    HWND longTitle = probes.Open(L"OrvTaskProbe", std::wstring(300, L'L'));
    const std::map<HWND, const char*> left = {
        {probes.Open(L"OrvTaskProbe", L"Probe hidden", false), "hidden"},
        {probes.Open(L"OrvTaskProbe", L""), "untitled"},
        {probes.Open(L"Worker", L"Probe worker"), "a shell class"},
        {probes.Open(L"OrvTaskProbe", L"DuraruZur"), "excluded by title"},
    };
    CDesktopWindows windows;
    TaskListState tasks;
    ASSERT_TRUE(RefreshTaskList(tasks, windows, {L"DuraruZur"}));

    const IconEntry* a = TaskOf(tasks, first);
    const IconEntry* b = TaskOf(tasks, second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(L"Probe first", a->Name);
    EXPECT_LT(b->TaskOrder, a->TaskOrder) << "the window made later lies above";
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    EXPECT_EQ(0, ::lstrcmpiW(self, a->Path.c_str()));
    ASSERT_TRUE(TaskOf(tasks, longTitle));
    EXPECT_EQ(254u, TaskOf(tasks, longTitle)->Name.size());
    for (const auto& [hwnd, what] : left)
        EXPECT_EQ(nullptr, TaskOf(tasks, hwnd)) << what;
    EXPECT_EQ(Handle(::GetWindow(::GetDesktopWindow(), GW_CHILD)), tasks.firstWindow);

    // Switching brings a window forward; closing posts it WM_CLOSE, and the
    // next walk frees its entry.
    windows.Activate(Handle(first));
    EXPECT_EQ(first, ::GetForegroundWindow());
    windows.PostClose(Handle(second));
    Pump();
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_FALSE(windows.IsWindow(Handle(second)));
    EXPECT_TRUE(RefreshTaskList(tasks, windows, {L"DuraruZur"}));
    EXPECT_EQ(nullptr, TaskOf(tasks, second));
}

TEST(TaskMenus, OrvaneHoldsBothLanguagesMenusWithTheEnginesCommands)
{
    HMODULE dll = ::LoadLibraryExW(BuildFile(L"Orvane.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, dll);
    const std::string switchTask = "\xe3\x82\xbf\xe3\x82\xb9\xe3\x82\xaf\xe5\x88\x87\xe6\x9b\xbf";  // タスク切替
    const std::string closeApp = "\xe3\x82\xa2\xe3\x83\x97\xe3\x83\xaa\xe7\xb5\x82\xe4\xba\x86";    // アプリ終了
    const std::string cancel = "\xe3\x82\xad\xe3\x83\xa3\xe3\x83\xb3\xe3\x82\xbb\xe3\x83\xab";      // キャンセル
    struct Case {
        unsigned id;
        std::vector<std::pair<unsigned, std::string>> items;
    } cases[] = {
        {101, {{CMD_TASK_SWITCH, switchTask}, {CMD_TASK_CLOSE, closeApp}, {CMD_TASK_CANCEL, cancel}}},
        {102, {{CMD_TASK_CLOSE, closeApp}, {CMD_TASK_CANCEL, cancel}}},
        {130, {{CMD_TASK_SWITCH, "Switch Task"}, {CMD_TASK_CLOSE, "Close App"}, {CMD_TASK_CANCEL, "Cancel"}}},
        {129, {{CMD_TASK_CLOSE, "Close App"}, {CMD_TASK_CANCEL, "Cancel"}}},
    };
    for (const Case& c : cases) {
        HMENU menu = ::LoadMenuW(dll, MAKEINTRESOURCEW(c.id));
        ASSERT_NE(nullptr, menu) << c.id;
        HMENU popup = ::GetSubMenu(menu, 0);
        ASSERT_NE(nullptr, popup) << c.id;
        std::vector<std::pair<unsigned, std::string>> items;
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            wchar_t text[64] = {};
            ::GetMenuStringW(popup, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            char utf8[192] = {};
            ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
            items.emplace_back(::GetMenuItemID(popup, i), utf8);
        }
        EXPECT_EQ(c.items, items) << c.id;
        ::DestroyMenu(menu);
    }
    ::FreeLibrary(dll);
}

// The stand-in of the shell's hold gesture: what is queued when it is asked
// decides, and what ends the gesture stays queued for the window.
TEST(HoldGesture, HeldStillIsAHoldAReleaseOrAMoveAwayIsNot)
{
    const int slack = ::GetSystemMetrics(SM_CXDRAG);
    struct Case {
        const char* what;
        UINT msg;  // 0: nothing queued
        int dx;
        DWORD result;
        bool leftQueued;
    } cases[] = {
        {"held", 0, 0, GN_CONTEXTMENU, false},
        {"released", WM_LBUTTONUP, 0, 0, true},
        {"moved within the slack", WM_MOUSEMOVE, slack, GN_CONTEXTMENU, false},
        {"moved away", WM_MOUSEMOVE, slack + 1, 0, true},
        {"another window's message meanwhile", WM_APP, 0, GN_CONTEXTMENU, false},
    };
    CProbeWindows probes;
    HWND client = probes.Open(L"OrvGestureProbe", L"Gesture");
    HWND other = probes.Open(L"OrvGestureProbe", L"Other");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pump();
        ::RemovePropW(other, L"OrvSeen");
        if (c.msg == WM_APP)
            ::PostMessageW(other, WM_APP, 0, 0);
        else if (c.msg)
            ::PostMessageW(client, c.msg, 0, MAKELPARAM(20 + c.dx, 30));
        SHRGINFO info = {sizeof(info), client, {20, 30}, SHRG_RETURNCMD};
        EXPECT_EQ(c.result, SHRecognizeGesture(&info));
        MSG msg;
        EXPECT_EQ(c.leftQueued, ::PeekMessageW(&msg, client, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) != FALSE);
        if (c.leftQueued) {
            EXPECT_EQ(c.msg, msg.message);
        }
        EXPECT_EQ(c.msg == WM_APP, ::GetPropW(other, L"OrvSeen") != nullptr) << "dispatched while waiting";
    }
    SHRGINFO gone = {sizeof(gone), nullptr, {0, 0}, SHRG_RETURNCMD};
    EXPECT_EQ(0u, SHRecognizeGesture(&gone));
}
