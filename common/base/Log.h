// The diagnostic trace call.
//
// Every operation passes fixed trace texts to Log with the program's log file
// name ("Orvane.log" or "OrvaneSet.log"). Log opens no file and, unless a
// trace hook is installed, formats nothing: call sites must not rely on any
// effect of it. Tests and tools install a hook to watch the trace.
#pragma once

#include "base/Format.h"

#include <functional>
#include <string>

using LogHook = std::function<void(const std::wstring& logFile, const std::wstring& text)>;

// Installs (or, with an empty function, removes) the process's trace hook.
void SetLogHook(LogHook hook);
bool LogHookInstalled();
void DeliverLog(const wchar_t* logFile, const std::wstring& text);

// The log file name of this program: "Orvane.log" unless the settings
// program chose "OrvaneSet.log".
const wchar_t* LogFileName();
void SetLogFileName(const wchar_t* name);

template <class... A>
void Log(const wchar_t* logFile, std::wstring_view pattern, const A&... args)
{
    if (LogHookInstalled())
        DeliverLog(logFile, FormatW(pattern, args...));
}
