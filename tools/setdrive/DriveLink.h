// What setdrive.exe and the hook it places in the settings program share:
// the message that carries a command (its text in a global atom), and where
// the answer goes (a named block of shared memory, then an event).
#pragma once

#include <windows.h>

inline constexpr wchar_t kDriveMessage[] = L"OrvSetDriveCommand";
inline constexpr wchar_t kDriveReply[] = L"OrvSetDriveReply";
inline constexpr wchar_t kDriveDone[] = L"OrvSetDriveDone";
inline constexpr DWORD kReplyChars = 512;
