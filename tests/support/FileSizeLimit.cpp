#include "FileSizeLimit.h"

#include <cstdlib>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

CFileSizeLimit::CFileSizeLimit(std::uint64_t bytes)
{
#ifdef _WIN32
    (void)bytes;
    if (const char* env = std::getenv("ORVANE_FSIZE_LIMIT")) {
        m_nBytes = std::strtoull(env, nullptr, 10);
        m_bActive = m_nBytes > 0;
    }
#else
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
    rlimit lim;
    if (::getrlimit(RLIMIT_FSIZE, &lim) != 0)
        return;
    m_nOldSoft = lim.rlim_cur;
    lim.rlim_cur = bytes;
    m_bActive = ::setrlimit(RLIMIT_FSIZE, &lim) == 0;
    m_nBytes = bytes;
#endif
}

CFileSizeLimit::~CFileSizeLimit()
{
#ifndef _WIN32
    if (!m_bActive)
        return;
    rlimit lim;
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = static_cast<rlim_t>(m_nOldSoft);
    ::setrlimit(RLIMIT_FSIZE, &lim);
#endif
}
