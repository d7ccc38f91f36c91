#include "settings/PageKeep.h"

#include "FileSys.h"
#include "config/Page.h"
#include "config/TextFile.h"

int PageFileStopLine(const std::wstring& path)
{
    CTextFile file;
    if (!FileExists(path) || !file.OpenRead(path))
        return 0;
    std::wstring name, lineBuffer;
    for (;;) {
        // The section's header is the line the last section ended on.
        const int headerLine = lineBuffer.empty() ? 1 : file.LineNumber();
        name.clear();
        CPageInfo page;
        if (!page.Load(file, name, lineBuffer))
            return name.empty() ? 0 : headerLine;  // a name: a section was found but fell short
    }
}

std::string BytesFromLine(const std::string& bytes, int line)
{
    size_t pos = 0;
    int current = 1;
    while (current < line && pos < bytes.size()) {
        const unsigned char b = static_cast<unsigned char>(bytes[pos++]);
        if (b == 0xFF) {
            ++current;
        } else if (b == '\n' || b == '\r') {
            const unsigned char pair = b == '\n' ? '\r' : '\n';
            if (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) == pair)
                ++pos;
            ++current;
        }
    }
    return current == line && line >= 1 ? bytes.substr(pos) : std::string();
}

std::string BytesBeforeFirstHeader(const std::string& bytes)
{
    size_t lineStart = 0;
    while (lineStart < bytes.size()) {
        size_t at = lineStart;
        while (at < bytes.size() && (bytes[at] == ' ' || bytes[at] == '\t'))
            ++at;
        if (at < bytes.size() && bytes[at] == '[')
            return bytes.substr(0, lineStart);
        // On to the next line, ended as the text reader ends lines.
        while (at < bytes.size()) {
            const unsigned char b = static_cast<unsigned char>(bytes[at++]);
            if (b == 0xFF)
                break;
            if (b == '\n' || b == '\r') {
                const unsigned char pair = b == '\n' ? '\r' : '\n';
                if (at < bytes.size() && static_cast<unsigned char>(bytes[at]) == pair)
                    ++at;
                break;
            }
        }
        lineStart = at;
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
