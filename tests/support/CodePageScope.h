// Runs a test body once for each ANSI code page this build can select: the
// native build switches between 1252 and 932 itself; a Windows process has
// the one its locale gives it (Wine: 932 under LC_ALL=ja_JP.UTF-8).
#pragma once

#include "CodePage.h"

#include <vector>

inline std::vector<unsigned> SelectableCodePages()
{
    std::vector<unsigned> pages;
    for (unsigned cp : {1252u, 932u})
        if (SelectAnsiCodePage(cp))
            pages.push_back(cp);
    return pages;
}

class CCodePageScope {
public:
    explicit CCodePageScope(unsigned cp) : m_old(GetAnsiCodePage()) { SelectAnsiCodePage(cp); }
    ~CCodePageScope() { SelectAnsiCodePage(m_old); }
    CCodePageScope(const CCodePageScope&) = delete;
    CCodePageScope& operator=(const CCodePageScope&) = delete;

private:
    unsigned m_old;
};
