#include "base/Log.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex g_hookLock;
LogHook g_hook;
std::atomic<bool> g_bHooked{false};
std::atomic<const wchar_t*> g_logFile{L"Orvane.log"};

}  // namespace

void SetLogHook(LogHook hook)
{
    std::lock_guard<std::mutex> lock(g_hookLock);
    g_bHooked = static_cast<bool>(hook);
    g_hook = std::move(hook);
}

bool LogHookInstalled() { return g_bHooked; }

void DeliverLog(const wchar_t* logFile, const std::wstring& text)
{
    std::lock_guard<std::mutex> lock(g_hookLock);
    if (g_hook)
        g_hook(logFile ? logFile : L"", text);
}

const wchar_t* LogFileName() { return g_logFile; }
void SetLogFileName(const wchar_t* name) { g_logFile = name; }
