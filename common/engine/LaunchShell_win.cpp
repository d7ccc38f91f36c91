// What a launch needs of the system: the tick count, the shell, and a thread
// for the vibrator's pulses.
#include "engine/Launch_win.h"

#include "FileSys.h"

#include <shellapi.h>

namespace {

// The plug-in's one vibrator queue; it lives as long as the module, which
// the player holds.
CPulseQueue& Pulses()
{
    static CPulseQueue queue;
    return queue;
}

// The player: plays what is queued, then lets go of the module it was given
// a reference on, so that the plug-in cannot be unloaded under a pulse.
DWORD WINAPI PulseThread(void* module)
{
    PlayQueuedPulses(Pulses(), [](unsigned ms) { ::Sleep(ms); });
    ::FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
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
    if (!Pulses().Add(pulses))
        return;  // the player that runs plays it too
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&PulseThread),
                              &module)) {
        Pulses().Abandon();
        return;
    }
    // The player only sleeps and switches the LED: a small stack will do.
    constexpr SIZE_T kPlayerStack = 64 * 1024;
    HANDLE thread =
        ::CreateThread(nullptr, kPlayerStack, PulseThread, module, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        ::FreeLibrary(module);
        Pulses().Abandon();
        return;
    }
    ::CloseHandle(thread);
}
