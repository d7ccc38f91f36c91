// What a page file holds beyond its pages. A section without its two sheet
// lines ends the reading of the whole file, so the pages after it never
// reach the settings program; and the comments before the first section
// belong to no page. Rewriting that file from what was read would drop
// both: they are kept, byte for byte, and written back around the pages.
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
// The lines before the first section header (a line whose first character
// past white space is '['), byte for byte: the file's opening comments,
// which no page holds. The whole text when it has no header.
std::string BytesBeforeFirstHeader(const std::string& bytes);
// The whole file; false when it cannot be read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);
