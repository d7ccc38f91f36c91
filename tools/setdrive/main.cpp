// setdrive: works a running settings program (OrvaneSet.exe) the way a
// user's taps would, from a script, and photographs its windows: the demo
// shows the program through it. Commands, one a line ('#' starts a comment):
//   window CAPTION     waits (20 s at most) for a shown window titled CAPTION
//                      (a trailing '*' matches any title that begins so):
//                      the window the following commands go to, until it
//                      closes: then the one before it again
//   gone CAPTION       waits until no shown window has such a title
//   wait MS
//   anything else      is carried out inside the program (DriveHook.cpp)
// Each command answers a line "ok ..." or "error ..."; the first error ends
// the run with exit code 1.
//   setdrive [--script FILE]      (the commands come from stdin without it)
#include "DriveLink.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr DWORD kWindowWaitMs = 20000;
constexpr DWORD kAnswerMs = 15000;

struct Link {
    HANDLE reply = nullptr;
    wchar_t* text = nullptr;
    HANDLE done = nullptr;
    HMODULE hookDll = nullptr;
    HHOOK hook = nullptr;
    DWORD hookedThread = 0;
    std::vector<HWND> windows;  // the current one last
    HWND Current()
    {
        while (!windows.empty() && !::IsWindow(windows.back()))
            windows.pop_back();
        return windows.empty() ? nullptr : windows.back();
    }
};

struct Search {
    std::wstring caption;
    bool prefix;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t title[256] = L"";
    ::GetWindowTextW(hwnd, title, 256);
    const std::wstring text = title;
    const bool match = search->prefix ? text.compare(0, search->caption.size(), search->caption) == 0
                                      : text == search->caption;
    if (!match || !::IsWindowVisible(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND Shown(const std::wstring& caption)
{
    const bool prefix = !caption.empty() && caption.back() == L'*';
    Search search{prefix ? caption.substr(0, caption.size() - 1) : caption, prefix};
    ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitWindow(const std::wstring& caption, bool shown)
{
    const ULONGLONG end = ::GetTickCount64() + kWindowWaitMs;
    for (;;) {
        HWND found = Shown(caption);
        const bool there = found != nullptr;
        if (there == shown || ::GetTickCount64() >= end)
            return there ? found : nullptr;
        ::Sleep(50);
    }
}

bool Hook(Link& link, HWND window)
{
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (link.hook && link.hookedThread == thread)
        return true;
    if (link.hook)
        ::UnhookWindowsHookEx(link.hook);
    const auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(::GetProcAddress(link.hookDll, "DriveHook")));
    link.hook = proc ? ::SetWindowsHookExW(WH_GETMESSAGE, proc, link.hookDll, thread) : nullptr;
    link.hookedThread = thread;
    return link.hook != nullptr;
}

// A command's outcome: empty when it went well, else what went wrong.
using Outcome = std::wstring;

Outcome Inside(Link& link, const std::wstring& line)
{
    HWND window = link.Current();
    if (!window)
        return L"no window (a 'window' command first)";
    const ATOM atom = ::GlobalAddAtomW(line.c_str());
    link.text[0] = L'\0';
    ::ResetEvent(link.done);
    const UINT message = ::RegisterWindowMessageW(kDriveMessage);
    const bool answered = ::PostMessageW(window, message, 0, atom) &&
                          ::WaitForSingleObject(link.done, kAnswerMs) == WAIT_OBJECT_0;
    ::GlobalDeleteAtom(atom);
    if (!answered)
        return L"the program did not answer";
    const std::wstring reply = link.text;
    return reply == L"ok" ? Outcome() : reply.substr(reply.find(L' ') + 1);
}

Outcome Run(Link& link, const std::wstring& line)
{
    const size_t space = line.find(L' ');
    const std::wstring verb = line.substr(0, space);
    const std::wstring arg = space == std::wstring::npos ? L"" : line.substr(space + 1);
    if (verb == L"wait") {
        ::Sleep(static_cast<DWORD>(std::wcstoul(arg.c_str(), nullptr, 10)));
        return {};
    }
    if (verb == L"gone")
        return WaitWindow(arg, false) ? L"still shown" : Outcome();
    if (verb == L"window") {
        HWND window = WaitWindow(arg, true);
        if (!window)
            return L"not shown";
        link.windows.push_back(window);
        return Hook(link, window) ? Outcome() : L"cannot hook the program";
    }
    return Inside(link, line);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wifstream file;
    if (argc == 3 && std::wstring(argv[1]) == L"--script") {
        file.open(argv[2]);
        if (!file) {
            std::fwprintf(stderr, L"setdrive: cannot read %ls\n", argv[2]);
            return 2;
        }
    }
    std::wistream& in = file.is_open() ? static_cast<std::wistream&>(file) : std::wcin;
    Link link;
    wchar_t self[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dll = self;
    dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"setdrivehook.dll";
    link.hookDll = ::LoadLibraryW(dll.c_str());
    link.reply = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kReplyChars * sizeof(wchar_t),
                                      kDriveReply);
    link.text = link.reply ? static_cast<wchar_t*>(::MapViewOfFile(link.reply, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    link.done = ::CreateEventW(nullptr, TRUE, FALSE, kDriveDone);
    if (!link.hookDll || !link.text || !link.done) {
        std::fwprintf(stderr, L"setdrive: cannot set up (setdrivehook.dll beside setdrive.exe?)\n");
        return 2;
    }
    int result = 0;
    for (std::wstring line; result == 0 && std::getline(in, line);) {
        while (!line.empty() && (line.back() == L'\r' || line.back() == L' '))
            line.pop_back();
        if (line.empty() || line[0] == L'#')
            continue;
        const Outcome failure = Run(link, line);
        if (failure.empty()) {
            std::wcout << L"ok " << line << std::endl;
        } else {
            std::wcout << L"error " << line << L": " << failure << std::endl;
            result = 1;
        }
    }
    if (link.hook)
        ::UnhookWindowsHookEx(link.hook);
    return result;
}
