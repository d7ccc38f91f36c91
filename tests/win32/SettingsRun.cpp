#include "SettingsRun.h"

#include "DialogWatcher.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "Taps.h"
#include "PluginRun.h"
#include "TestConfig.h"
#include "config/ConfigLint.h"
#include "config/Folders.h"
#include "config/Page.h"
#include "ui/ListView.h"

#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr DWORD kPollMs = 20;

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = L"";
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[1024] = L"";
    ::InternalGetWindowText(hwnd, text, 1024);
    return text;
}

struct CFind {
    const std::wstring* caption;
    HWND found = nullptr;
    int count = 0;
    bool all = false;  // count them all instead of stopping at the first
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM param)
{
    auto* find = reinterpret_cast<CFind*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd) || ClassOf(hwnd) != L"#32770")
        return TRUE;
    if (find->caption && TextOf(hwnd) != *find->caption)
        return TRUE;
    find->found = hwnd;
    ++find->count;
    return find->all ? TRUE : FALSE;
}

// A modal dialog (one with an owner: editors, messages) is cancelled; the
// main dialog, which has none, stays.
BOOL CALLBACK CancelDialog(HWND hwnd, LPARAM)
{
    CFind any{nullptr};
    MatchDialog(hwnd, reinterpret_cast<LPARAM>(&any));
    if (any.found && ::GetWindow(hwnd, GW_OWNER))
        ::PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

}  // namespace

CSettingsSession::CSettingsSession(SettingsScreen screen, std::map<int, std::string> settings)
    : m_desktop(CTestDesktop::Mode::pumping, screen.width, screen.height)
{
    settings.emplace(Set::LanguageMode, "2");
    WriteSampleInstallation(m_dev, settings);
    SHInitExtraControls();
}

CSettingsSession::~CSettingsSession() { m_pMain.reset(); }

::testing::AssertionResult CSettingsSession::Open()
{
    m_pMain = std::make_unique<CDlgMain>();
    m_pMain->Create(nullptr);
    if (!m_pMain->Hwnd())
        return ::testing::AssertionFailure() << "the main dialog did not stay open";
    ::ShowWindow(m_pMain->Hwnd(), SW_SHOW);
    ::UpdateWindow(m_pMain->Hwnd());
    return ::testing::AssertionSuccess();
}

std::string CSettingsSession::File(const std::wstring& name) const
{
    return m_dev.ReadFile(std::wstring(kInstallFolder) + L"\\" + name);
}

void CSettingsSession::WriteFile(const std::wstring& name, const std::string& bytes) const
{
    m_dev.WriteFile(std::wstring(kInstallFolder) + L"\\" + name, bytes);
}

void CSettingsSession::SelectTab(int index) { TapTab(m_pMain->Item(IDC_TAB), index); }

std::wstring TapAndRun(CDlgMain& main, int key, DWORD giveUpMs)
{
    CDialogWatcher message(L"Orvane");
    TapSoftKey(main.CurrentPage()->Hwnd(), key);
    PumpMessagesUntil([&] { return main.Hwnd() == nullptr; }, giveUpMs);
    // A message of the ending came in this thread's loop: it is answered.
    return message.Stop() ? message.Text() : L"";
}

::testing::AssertionResult EndsWith(CDlgMain& main, int key, const std::wstring& message, DWORD giveUpMs)
{
    const std::wstring shown = TapAndRun(main, key, giveUpMs);
    if (main.Hwnd())
        return ::testing::AssertionFailure() << "the main dialog is still open; message \"" << NarrowText(shown)
                                             << "\"";
    if (shown != message)
        return ::testing::AssertionFailure() << "message \"" << NarrowText(shown) << "\"";
    return ::testing::AssertionSuccess();
}

std::map<std::wstring, std::string> FolderFiles(const std::wstring& folder)
{
    std::map<std::wstring, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(CDeviceSandbox::Host(folder))) {
        if (!e.is_regular_file())
            continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        files[fs::relative(e.path(), CDeviceSandbox::Host(folder)).wstring()] = all.str();
    }
    return files;
}

HWND WaitForDialog(const std::wstring& caption, DWORD giveUpMs)
{
    const ULONGLONG end = ::GetTickCount64() + giveUpMs;
    for (;;) {
        CFind find{&caption};
        ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&find));
        if (find.found || ::GetTickCount64() >= end)
            return find.found;
        ::Sleep(kPollMs);
    }
}

int CountDialogs(const std::wstring& caption)
{
    CFind find{&caption, nullptr, 0, true};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&find));
    return find.count;
}

std::wstring DialogText(HWND dialog)
{
    std::wstring text;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (::lstrcmpiW(ClassOf(c).c_str(), L"Static") == 0 && !TextOf(c).empty())
            text += (text.empty() ? L"" : L"\n") + TextOf(c);
    return text;
}

std::wstring ControlText(HWND control)
{
    wchar_t text[512] = L"";
    ::SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

void TypeInto(HWND dialog, int id, const std::wstring& text)
{
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ChooseItem(HWND dialog, int id, const std::wstring& text)
{
    HWND combo = ::GetDlgItem(dialog, id);
    const LRESULT at = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

namespace {

// The entries of a combo or list box, by its count and text messages.
std::vector<std::wstring> Entries(HWND control, UINT count, UINT text)
{
    std::vector<std::wstring> items;
    for (LRESULT i = 0, n = ::SendMessageW(control, count, 0, 0); i < n; ++i) {
        wchar_t item[300] = L"";
        ::SendMessageW(control, text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

}  // namespace

std::vector<std::wstring> ComboItems(HWND dialog, int id)
{
    return Entries(::GetDlgItem(dialog, id), CB_GETCOUNT, CB_GETLBTEXT);
}

std::vector<std::wstring> ListBoxItems(HWND listBox) { return Entries(listBox, LB_GETCOUNT, LB_GETTEXT); }

void TapSoftKey(HWND dialog, int key) { PostSoftKeyTap(FindMenuBar(dialog), key); }

void PostCommand(HWND dialog, int id) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

void ClickButton(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

bool WaitGone(HWND hwnd, DWORD giveUpMs)
{
    const ULONGLONG end = ::GetTickCount64() + giveUpMs;
    while (::IsWindow(hwnd) && ::GetTickCount64() < end)
        ::Sleep(kPollMs);
    return !::IsWindow(hwnd);
}

std::wstring WaitForText(HWND control, const std::wstring& expected, DWORD giveUpMs)
{
    const ULONGLONG end = ::GetTickCount64() + giveUpMs;
    while (ControlText(control) != expected && ::GetTickCount64() < end)
        ::Sleep(kPollMs);
    return ControlText(control);
}

std::wstring AnswerDialog(const std::wstring& caption, int button, DWORD giveUpMs)
{
    HWND box = WaitForDialog(caption, giveUpMs);
    if (!box)
        return L"";
    const std::wstring text = DialogText(box);
    PostCommand(box, button);
    WaitGone(box);
    return text;
}

std::wstring TapOkAndAnswer(HWND editor, const std::wstring& caption, int answer)
{
    TapSoftKey(editor, 0);
    HWND box = nullptr;
    for (int i = 0; i < 250 && ::IsWindow(editor) && !box; ++i)
        box = WaitForDialog(caption, kPollMs);
    if (!box)
        return L"";
    const std::wstring text = DialogText(box);
    const bool question = ::GetDlgItem(box, IDYES) != nullptr;
    PostCommand(box, question ? answer : IDOK);
    WaitGone(box, 2000);
    // The editor ends after the answer, or stays refused.
    ::Sleep(100);
    if (::IsWindow(editor))
        TapSoftKey(editor, 1);
    return text;
}

SettingDef MakeDef(EditorKind kind, const std::wstring& label, const std::wstring& params, const std::wstring& help)
{
    SettingDef def;
    def.editor = kind;
    def.label = label;
    def.params = params;
    def.help = help;
    return def;
}

std::vector<std::wstring> PageNames(const CPageMng& pages)
{
    std::vector<std::wstring> names;
    for (const PageOrderEntry& o : pages.m_Order)
        names.push_back(o.name);
    return names;
}

::testing::AssertionResult InstallationPassesLint()
{
    CDiagList lint;
    LintInstallation(lint);
    if (lint.Items().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << NarrowText(Reasons(lint));
}

CDriver::CDriver(std::function<void()> work)
    : m_thread([work] {
          // Pictures are written through WIC.
          const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
          work();
          if (com)
              ::CoUninitialize();
          // Whatever the work left open goes, so that the test thread's
          // modal loops end even when a step failed.
          ::EnumWindows(CancelDialog, 0);
      })
{
}

CDriver::CDriver(const std::wstring& caption, std::function<void(HWND)> work, DWORD giveUpMs)
    : CDriver([caption, work = std::move(work), giveUpMs] {
          if (HWND dialog = WaitForDialog(caption, giveUpMs))
              work(dialog);
      })
{
}

CDriver::~CDriver() { Join(); }

void CDriver::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

INT_PTR RunModal(CDialog& dialog, HWND owner, const std::wstring& caption, const std::function<void(HWND)>& work)
{
    CDriver driver(caption, work);
    const INT_PTR result = dialog.DoModal(owner);
    driver.Join();
    return result;
}

namespace {

// Lets the window's thread (maybe another one) catch up with its messages.
void Settle(HWND hwnd)
{
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
        ::Sleep(30);
    }
}

}  // namespace

CPixels CaptureWindow(HWND hwnd)
{
    Settle(hwnd);
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Settle(hwnd);
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    HDC dc = ::GetWindowDC(hwnd);
    CPixels shot = ReadPixels(dc, rc.right - rc.left, rc.bottom - rc.top);
    ::ReleaseDC(hwnd, dc);
    return shot;
}

namespace {

void CheckInside(HWND parent, std::wostringstream& out)
{
    RECT client;
    ::GetClientRect(parent, &client);
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        // The focus edit waits out of sight on purpose.
        if (!::IsWindowVisible(c) || ::GetDlgCtrlID(c) == IDC_FOCUS_WRAP)
            continue;
        RECT rc;
        ::GetWindowRect(c, &rc);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        if (rc.left < 0 || rc.top < 0 || rc.right > client.right || rc.bottom > client.bottom)
            out << L"control " << ::GetDlgCtrlID(c) << L" (" << ClassOf(c) << L" \"" << TextOf(c) << L"\") at "
                << rc.left << L"," << rc.top << L"-" << rc.right << L"," << rc.bottom << L" outside " << client.right
                << L"x" << client.bottom << L"\n";
        CheckInside(c, out);
    }
}

}  // namespace

::testing::AssertionResult ChildrenInside(HWND dialog)
{
    std::wostringstream out;
    CheckInside(dialog, out);
    if (out.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << NarrowText(out.str());
}
