// The command line:
//   todayhost [--script FILE] [--size WxH] [--wallpaper FILE] [--only NAME,...]
//             [--log] [--show]
// Without --script the commands come from stdin. --only loads just the named
// items of the registry (tests and demos beside an installed item).
#pragma once

#include "TodayScreen.h"

#include <string>

struct COptions {
    CScreenOptions screen;
    std::wstring script;  // empty: stdin
};

// False with a message when the line cannot be used.
bool ParseOptions(int argc, wchar_t** argv, COptions& options, std::wstring& error);
extern const wchar_t kUsage[];
