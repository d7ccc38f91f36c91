// Buffered line reader and writer for the configuration files.
//
// Files hold text in the device's ANSI code page. ReadLine returns one line
// as wide text; CR LF, LF CR, a lone CR and a lone LF each end a line, and
// the byte 0xFF ends one too. A line holds at most 1024 bytes: the rest of a
// longer line is skipped up to its end and reported as cut.
//
// Writing goes through a save: BeginSave writes a temporary file beside the
// target, every WriteText is checked, and CommitSave replaces the target only
// after the whole file was written, so a failed save leaves the old file as
// it was, byte for byte.
#pragma once

#include "FileSys.h"
#include "base/Diagnostics.h"

#include <string>

class CTextFile : public CFile {
public:
    static constexpr int kBlockSize = 1024;
    static constexpr int kMaxLineBytes = 1024;

    CTextFile() = default;
    explicit CTextFile(CDiagSink* sink) : m_pDiag(sink) {}
    ~CTextFile() override;

    // Open for reading (modeRead) as CFile does, and reset the reader.
    bool OpenRead(const std::wstring& path);
    bool ReadLine(std::wstring& line);
    // Number of the line ReadLine returned last, from 1.
    int LineNumber() const { return m_nLine; }
    // The line ReadLine returned last was longer than kMaxLineBytes and cut.
    bool LineCut() const { return m_bLineCut; }

    bool BeginSave(const std::wstring& path);
    // Converts and writes the text; false (and the save fails) when the
    // bytes did not all reach the file.
    bool WriteText(const std::wstring& text);
    // Writes bytes as they are (text kept from an earlier read); checked
    // as WriteText is.
    bool WriteBytes(const std::string& bytes);
    bool CommitSave();
    void AbandonSave();

    // Reports a problem of the current line to the diagnostics sink.
    void Report(const std::wstring& reason) const;
    void ReportFile(const std::wstring& reason) const;
    CDiagSink* DiagSink() const { return m_pDiag; }

private:
    bool Refill();

    CDiagSink* m_pDiag = nullptr;
    int m_nCount = 0;
    int m_nPosition = 0;
    char m_buffer[kBlockSize] = {};
    int m_nLine = 0;
    bool m_bLineCut = false;
    bool m_bAtEnd = false;

    std::wstring m_strTarget;   // file a pending save replaces
    std::wstring m_strTemp;
    bool m_bWriteFailed = false;
};

// The temporary file a save of path writes first.
std::wstring SaveTempPath(const std::wstring& path);
