#include "config/TextFile.h"

#include "CodePage.h"

#include <string>

CTextFile::~CTextFile() { AbandonSave(); }

bool CTextFile::OpenRead(const std::wstring& path)
{
    m_nCount = m_nPosition = m_nLine = 0;
    m_bLineCut = m_bAtEnd = false;
    return Open(path, modeRead);
}

bool CTextFile::Refill()
{
    if (m_bAtEnd)
        return false;
    int got = Read(m_buffer, kBlockSize);
    if (got < 1) {
        // End of file or a read error: the line ends here and the next call
        // reports the end.
        m_bAtEnd = true;
        m_nCount = m_nPosition = 0;
        return false;
    }
    m_nCount = got;
    m_nPosition = 0;
    return true;
}

bool CTextFile::ReadLine(std::wstring& line)
{
    line.clear();
    if ((m_nCount == 0 || m_nPosition >= m_nCount) && !Refill())
        return false;
    std::string bytes;
    bool cut = false;
    for (;;) {
        if (m_nPosition >= m_nCount && !Refill())
            break;
        const unsigned char b = static_cast<unsigned char>(m_buffer[m_nPosition++]);
        if (b == 0xFF)
            break;
        if (b == '\n' || b == '\r') {
            const unsigned char pair = (b == '\n') ? '\r' : '\n';
            if (m_nPosition >= m_nCount)
                Refill();
            if (m_nPosition < m_nCount && static_cast<unsigned char>(m_buffer[m_nPosition]) == pair)
                ++m_nPosition;
            break;
        }
        if (static_cast<int>(bytes.size()) < kMaxLineBytes)
            bytes += static_cast<char>(b);
        else
            cut = true;
    }
    ++m_nLine;
    m_bLineCut = cut;
    line = AnsiToWide(bytes);
    if (cut)
        Report(L"line longer than 1024 bytes, cut");
    return true;
}

std::wstring SaveTempPath(const std::wstring& path) { return path + L".new"; }

bool CTextFile::BeginSave(const std::wstring& path)
{
    AbandonSave();
    m_strTarget = path;
    m_strTemp = SaveTempPath(path);
    m_bWriteFailed = false;
    if (Open(m_strTemp, modeCreate | modeWrite))
        return true;
    m_strTarget.clear();
    m_strTemp.clear();
    return false;
}

bool CTextFile::WriteText(const std::wstring& text) { return WriteBytes(WideToAnsi(text)); }

bool CTextFile::WriteBytes(const std::string& bytes)
{
    if (!IsOpen() || bytes.size() > static_cast<size_t>(INT32_MAX) ||
        !Write(bytes.data(), static_cast<int>(bytes.size())))
        m_bWriteFailed = true;
    return !m_bWriteFailed;
}

bool CTextFile::CommitSave()
{
    if (m_strTarget.empty())
        return false;
    const bool closed = Close();
    if (m_bWriteFailed || !closed || !ReplaceWithFile(m_strTemp, m_strTarget)) {
        RemoveFile(m_strTemp);
        m_strTarget.clear();
        m_strTemp.clear();
        return false;
    }
    m_strTarget.clear();
    m_strTemp.clear();
    return true;
}

void CTextFile::AbandonSave()
{
    if (m_strTarget.empty())
        return;
    Close();
    RemoveFile(m_strTemp);
    m_strTarget.clear();
    m_strTemp.clear();
}

void CTextFile::Report(const std::wstring& reason) const { ReportTo(m_pDiag, GetFilePath(), m_nLine, reason); }

void CTextFile::ReportFile(const std::wstring& reason) const { ReportTo(m_pDiag, GetFilePath(), 0, reason); }
