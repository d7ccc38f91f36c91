// What the emulator prints: one UTF-8 line per call on stdout, flushed at
// once so that a test reading the pipe sees each line as it happens.
#pragma once

#include <string>

void Say(const std::wstring& line);
std::string Utf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
