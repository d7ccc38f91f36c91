#include "base/Scan.h"

#include "base/Strings.h"

#include <algorithm>
#include <climits>

namespace {

// A set is read straight from the pattern each time: the sets of the
// loaders' patterns hold one or two members, and a parsed copy would cost an
// allocation per field of every line.
struct CharSet {
    std::wstring_view pattern;
    size_t body = 0;        // index of the set's first member in pattern
    bool negated = false;
    bool whiteSpace = false;  // %s: everything but white space
    bool single = false;      // one member and no range: "[^,]"

    bool Contains(wchar_t c) const
    {
        if (whiteSpace)
            return std::wstring_view(L" \t\r\n\v\f").find(c) == std::wstring_view::npos;
        if (single)
            return (c == pattern[body]) != negated;
        bool in = false;
        bool first = true;
        const std::wstring_view p = pattern;
        for (size_t i = body; i < p.size() && (first || p[i] != L']') && !in; first = false) {
            if (i + 2 < p.size() && p[i + 1] == L'-' && p[i + 2] != L']') {
                in = c >= p[i] && c <= p[i + 2];
                i += 3;
            } else {
                in = c == p[i++];
            }
        }
        return in != negated;
    }
};

// Parses "[...]" starting after '['; returns the index after ']' or npos.
size_t ParseSet(std::wstring_view p, size_t i, CharSet& set)
{
    if (i < p.size() && p[i] == L'^') {
        set.negated = true;
        ++i;
    }
    set.pattern = p;
    set.body = i;
    bool first = true;
    while (i < p.size() && (first || p[i] != L']')) {
        i += (i + 2 < p.size() && p[i + 1] == L'-' && p[i + 2] != L']') ? 3 : 1;
        first = false;
    }
    set.single = i == set.body + 1;
    return i < p.size() ? i + 1 : std::wstring_view::npos;
}

bool ScanInt(std::wstring_view t, size_t& j, int& out)
{
    while (j < t.size() && IsSpaceW(t[j]))
        ++j;
    size_t k = j;
    if (k < t.size() && (t[k] == L'+' || t[k] == L'-'))
        ++k;
    if (k >= t.size() || t[k] < L'0' || t[k] > L'9')
        return false;
    while (k < t.size() && t[k] >= L'0' && t[k] <= L'9')
        ++k;
    out = Wtol(t.substr(j, k - j));
    j = k;
    return true;
}

}  // namespace

int ScanW(std::wstring_view t, std::wstring_view p, std::initializer_list<CScanOut> outs)
{
    const CScanOut* next = outs.begin();
    int assigned = 0;
    size_t i = 0, j = 0;
    while (i < p.size()) {
        const wchar_t pc = p[i];
        if (IsSpaceW(pc)) {
            while (i < p.size() && IsSpaceW(p[i]))
                ++i;
            while (j < t.size() && IsSpaceW(t[j]))
                ++j;
            continue;
        }
        if (pc != L'%' || (i + 1 < p.size() && p[i + 1] == L'%')) {
            if (j >= t.size() || t[j] != pc)
                return assigned;
            i += (pc == L'%') ? 2 : 1;
            ++j;
            continue;
        }
        ++i;  // past '%'
        if (i >= p.size() || next == outs.end())
            return assigned;
        const wchar_t conv = p[i++];
        if (conv == L'd') {
            int value = 0;
            if (!next->m_pInt || !ScanInt(t, j, value))
                return assigned;
            *next->m_pInt = value;
        } else if (conv == L's' || conv == L'[') {
            CharSet set;
            if (conv == L's') {
                while (j < t.size() && IsSpaceW(t[j]))
                    ++j;
                set.whiteSpace = true;
            } else {
                i = ParseSet(p, i, set);
                if (i == std::wstring_view::npos)
                    return assigned;
            }
            // A set of one excluded character (the loaders' "[^,]") ends at
            // that character: one search instead of a test per character.
            size_t k = set.single && set.negated ? std::min(t.find(p[set.body], j), t.size()) : j;
            while (k < t.size() && set.Contains(t[k]))
                ++k;
            if (k == j || (!next->m_pStr && !next->m_pView))
                return assigned;
            if (next->m_pStr)
                next->m_pStr->assign(t.substr(j, k - j));
            else
                *next->m_pView = t.substr(j, k - j);
            j = k;
        } else {
            return assigned;
        }
        ++next;
        ++assigned;
    }
    return assigned;
}
