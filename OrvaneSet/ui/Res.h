// The settings program's resources in the language it runs in: Japanese
// when the language setting it started with says so (or, set to automatic,
// the system's), English otherwise. The code names the Japanese resource.
#pragma once

#include <windows.h>

#include <string>

bool ProgramIsJapanese();
// The template, menu or string for the program's language.
UINT ResDialog(unsigned japaneseId);
HMENU ResMenu(unsigned japaneseId);
std::wstring ResString(unsigned japaneseId);

// The program's name: the caption of its own messages.
inline constexpr wchar_t kProgramName[] = L"OrvaneSet";
// The caption of its results and errors.
inline constexpr wchar_t kMessageCaption[] = L"Orvane";
inline constexpr wchar_t kErrorCaption[] = L"Orvane(Error)";

// Gives the dialog its soft-key bar from the (mapped) menu; on failure
// says so and the dialog goes on without one. Null then.
HWND MakeMenuBar(HWND dialog, unsigned japaneseMenuId);
