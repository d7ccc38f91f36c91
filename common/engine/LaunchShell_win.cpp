// What a launch needs of the system: the tick count, the shell, and a thread
// for the vibrator's pulses.
#include "engine/Launch_win.h"

#include "FileSys.h"

#include <shellapi.h>

#include <memory>

namespace {

// A pulse thread's parameter. The thread holds a reference on the module
// its code lives in, so that the plug-in cannot be unloaded under a pulse.
struct CPulseJob {
    LedPulses pulses;
    HMODULE module = nullptr;
};

DWORD WINAPI PulseThread(void* param)
{
    std::unique_ptr<CPulseJob> job(static_cast<CPulseJob*>(param));
    PlayLedPulses(job->pulses, [](unsigned ms) { ::Sleep(ms); });
    const HMODULE module = job->module;
    job.reset();
    ::FreeLibraryAndExitThread(module, 0);
}

}  // namespace

std::uint32_t CLaunch::TickCount() const { return ::GetTickCount(); }

void CLaunch::ShellOpen(const std::wstring& file, const std::wstring& params)
{
    // A device path goes through the device's folders; an address as it is.
    const std::wstring target = !file.empty() && file[0] == L'\\' ? MapDevicePath(file) : file;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.lpParameters = params.c_str();
    info.nShow = SW_SHOW;  // 5, the device's normal show command
    ::ShellExecuteExW(&info);  // as on the device, what the shell answers is not checked
}

void CLaunch::StartPulses(const LedPulses& pulses)
{
    auto job = std::make_unique<CPulseJob>();
    job->pulses = pulses;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&PulseThread),
                              &job->module))
        return;
    HANDLE thread = ::CreateThread(nullptr, 0, PulseThread, job.get(), 0, nullptr);
    if (!thread) {
        ::FreeLibrary(job->module);
        return;
    }
    job.release();  // the thread owns it now
    ::CloseHandle(thread);
}
