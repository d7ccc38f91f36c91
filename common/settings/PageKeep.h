// A page file whose reading stopped early: a section without its two sheet
// lines ends the reading of the whole file, so the pages after it never
// reach the settings program. Rewriting that file from what was read would
// drop them; the unread part is kept, byte for byte, and written back after
// the pages.
#pragma once

#include <string>

// The line of the section at which reading the page file stopped (1 when
// its first section already failed), or 0 when the file was read to its end
// or does not open. Reads with the page loader's own section reader.
int PageFileStopLine(const std::wstring& path);
// The bytes from the start of the given line (from 1) to the end, with
// lines ended as the text reader ends them (CR LF, LF CR, CR, LF, 0xFF);
// empty when the text has fewer lines.
std::string BytesFromLine(const std::string& bytes, int line);
// The whole file; false when it cannot be read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);
