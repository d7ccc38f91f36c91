#include "settings/PageKeep.h"

#include "FileSys.h"
#include "config/Page.h"
#include "config/TextFile.h"

int PageFileStopLine(const std::wstring& path)
{
    CTextFile file;
    if (!FileExists(path) || !file.OpenRead(path))
        return 0;
    std::wstring name;
    PageReadCarry carry;
    for (;;) {
        // The section's header is the line the last section ended on.
        const int headerLine = carry.header.empty() ? 1 : file.LineNumber();
        name.clear();
        CPageInfo page;
        if (!page.Load(file, name, carry))
            return name.empty() ? 0 : headerLine;  // a name: a section was found but fell short
    }
}

namespace {

// The start of the line after the one at pos, its end passed as the text
// reader ends lines (CR LF, LF CR, CR, LF, 0xFF); the text's size after a
// last line without an end.
size_t NextLineStart(const std::string& bytes, size_t pos)
{
    while (pos < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[pos++]);
        if (b == 0xFF)
            return pos;
        if (b == '\n' || b == '\r') {
            const unsigned char pair = b == '\n' ? '\r' : '\n';
            if (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) == pair)
                ++pos;
            return pos;
        }
    }
    return pos;
}

}  // namespace

std::string BytesFromLine(const std::string& bytes, int line)
{
    size_t pos = 0;
    int current = 1;
    for (; current < line && pos < bytes.size(); ++current)
        pos = NextLineStart(bytes, pos);
    return current == line && line >= 1 ? bytes.substr(pos) : std::string();
}

std::string BytesBeforeFirstHeader(const std::string& bytes)
{
    for (size_t line = 0; line < bytes.size(); line = NextLineStart(bytes, line)) {
        const size_t first = bytes.find_first_not_of(" \t", line);
        if (first != std::string::npos && bytes[first] == '[')
            return bytes.substr(0, line);
    }
    return bytes;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead))
        return false;
    bytes.clear();
    char block[4096];
    for (;;) {
        const int got = file.Read(block, static_cast<int>(sizeof(block)));
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(block, static_cast<size_t>(got));
    }
}
