#include "DialogWatcher.h"

#include <utility>

namespace {

constexpr DWORD kPollMs = 20;
constexpr int kMessageTextId = 0xFFFF;

// Reads the text the window holds without sending it a message, so that a
// window whose thread is busy cannot stall the watcher.
std::wstring HeldText(HWND hwnd)
{
    wchar_t text[1024] = L"";
    int n = ::InternalGetWindowText(hwnd, text, static_cast<int>(sizeof(text) / sizeof(text[0])));
    return std::wstring(text, static_cast<size_t>(n > 0 ? n : 0));
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = L"";
    int n = ::GetClassNameW(hwnd, name, static_cast<int>(sizeof(name) / sizeof(name[0])));
    return std::wstring(name, static_cast<size_t>(n > 0 ? n : 0));
}

struct CSearch {
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<CSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd) || ClassOf(hwnd) != L"#32770" ||
        HeldText(hwnd) != *search->caption)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK AddStaticText(HWND hwnd, LPARAM param)
{
    auto* text = reinterpret_cast<std::wstring*>(param);
    std::wstring own = HeldText(hwnd);
    if (::lstrcmpiW(ClassOf(hwnd).c_str(), L"Static") == 0 && !own.empty())
        *text += (text->empty() ? L"" : L"\n") + own;
    return TRUE;
}

}  // namespace

CDialogWatcher::CDialogWatcher(std::wstring caption, int commandId, DWORD giveUpMs)
    : m_strCaption(std::move(caption)), m_nCommand(commandId), m_thread([this, giveUpMs] { Run(giveUpMs); })
{
}

CDialogWatcher::~CDialogWatcher() { Stop(); }

bool CDialogWatcher::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_bAnswered;
}

bool CDialogWatcher::Stop()
{
    m_bStop = true;
    return Wait();
}

void CDialogWatcher::Run(DWORD giveUpMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + giveUpMs;
    while (!m_bStop && ::GetTickCount64() < deadline) {
        if (HWND dialog = FindDialog()) {
            Answer(dialog);
            return;
        }
        ::Sleep(kPollMs);
    }
}

HWND CDialogWatcher::FindDialog() const
{
    CSearch search = {&m_strCaption, nullptr};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CDialogWatcher::Answer(HWND dialog)
{
    if (HWND message = ::GetDlgItem(dialog, kMessageTextId))
        m_strText = HeldText(message);
    else
        ::EnumChildWindows(dialog, AddStaticText, reinterpret_cast<LPARAM>(&m_strText));
    m_hOwner = ::GetWindow(dialog, GW_OWNER);
    m_bAnswered = ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(m_nCommand, BN_CLICKED), 0) != FALSE;
}
