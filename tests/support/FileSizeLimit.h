// A full storage card for one stretch of a test: writes beyond the limit
// fail. The native build lowers the process's file-size limit itself. A
// Windows program cannot; its ctest entry runs it under `ulimit -f` and says
// so in ORVANE_FSIZE_LIMIT (bytes), and the scope reports whether a limit is
// in force.
#pragma once

#include <cstdint>

class CFileSizeLimit {
public:
    explicit CFileSizeLimit(std::uint64_t bytes);
    ~CFileSizeLimit();
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    bool Active() const { return m_bActive; }
    std::uint64_t Bytes() const { return m_nBytes; }

private:
    bool m_bActive = false;
    std::uint64_t m_nBytes = 0;
    std::uint64_t m_nOldSoft = 0;
};
