// What the task list's walk costs beyond finding the windows.
//
// A second process (this program, started with "--host") opens 200 titled
// top-level windows, as the programs whose windows the walk meets on the
// device are other processes. In one run this times the task list's walk
// over the real window chain (each window's visibility, title and class
// read and filtered, the entries kept in step) against enumerating the same
// windows bare. Prints the one over the other, one walk as a share of the
// sample's frame period, and the task timer's tick as the engine runs it
// every 100 ms (the walk only when its interval of 3 s is due, the rest of
// the ticks finding nothing to do) as a share of the same frame period.
#include "engine/TaskList.h"
#include "engine/WindowChain_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWindows = 200;
constexpr int kRounds = 200;           // walks of each kind, interleaved in blocks
constexpr double kFramePeriodMs = 30;  // the sample's setting 5
constexpr int kTaskInterval = 3;       // the sample's setting 44, seconds
constexpr int kTicks = 600;            // a minute of the task timer
const wchar_t kReady[] = L"OrvTaskBenchReady";

double Now()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

BOOL CALLBACK Count(HWND, LPARAM n)
{
    ++*reinterpret_cast<int*>(n);
    return TRUE;
}

int EnumerateBare()
{
    int n = 0;
    ::EnumWindows(Count, reinterpret_cast<LPARAM>(&n));
    return n;
}

// The host of the windows: opens them, says so, and serves them until ended.
int Host()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvTaskBench";
    ::RegisterClassW(&wc);
    for (int i = 0; i < kWindows; ++i)
        ::CreateWindowExW(WS_EX_NOACTIVATE, wc.lpszClassName, (L"Bench window " + std::to_wstring(i)).c_str(),
                          WS_OVERLAPPED | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance, nullptr);
    HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, kReady);
    if (ready) {
        ::SetEvent(ready);
        ::CloseHandle(ready);
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--host") == 0)
        return Host();

    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, kReady);
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" --host";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION host = {};
    if (!ready || !::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &host) ||
        ::WaitForSingleObject(ready, 30000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the window host did not start\n");
        return 1;
    }

    CDesktopWindows chain;
    TaskListState tasks;
    const std::vector<std::wstring> exclusions = {L"DuraruZur"};
    RefreshTaskList(tasks, chain, exclusions);  // the entries made once, as the first tick does
    size_t listed = 0;
    for (const IconEntry& e : tasks.list.entries)
        listed += e.nAppType == APP_RUNNING_TASK ? 1 : 0;

    double walkSeconds = 0, bareSeconds = 0;
    int seen = 0;
    for (int block = 0; block < 4; ++block) {
        double t = Now();
        for (int i = 0; i < kRounds / 4; ++i)
            RefreshTaskList(tasks, chain, exclusions);
        walkSeconds += Now() - t;
        t = Now();
        for (int i = 0; i < kRounds / 4; ++i)
            seen = EnumerateBare();
        bareSeconds += Now() - t;
    }
    std::printf("Task list walk / enumerating the same windows bare: %.1f (%zu of %d windows listed, %d walks each)\n",
                bareSeconds > 0 ? walkSeconds / bareSeconds : 0.0, listed, seen, kRounds);
    std::printf("One task list walk / the sample's frame period: %.3f\n", walkSeconds / kRounds * 1000 / kFramePeriodMs);

    // The ticks of a minute with nothing changed: each asks whether the walk
    // is due, every 30th walks.
    bool changed = false;
    int walks = 0;
    const double t = Now();
    for (int i = 0; i < kTicks; ++i) {
        if (!TaskWalkDue(tasks, kTaskInterval))
            continue;
        tasks.TaskChanged = false;  // as the next paint leaves it
        changed = RefreshTaskList(tasks, chain, exclusions) || changed;
        ++walks;
    }
    const double tickMs = (Now() - t) / kTicks * 1000;
    std::printf("A task tick with nothing changed (a walk every %d s, %d of %d ticks) / the frame period: %.3f%s\n",
                kTaskInterval, walks, kTicks, tickMs / kFramePeriodMs, changed ? " (something changed!)" : "");

    ::TerminateProcess(host.hProcess, 0);
    ::WaitForSingleObject(host.hProcess, 30000);
    ::CloseHandle(host.hThread);
    ::CloseHandle(host.hProcess);
    ::CloseHandle(ready);
    return listed >= static_cast<size_t>(kWindows) ? 0 : 1;
}
