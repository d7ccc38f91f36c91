#include "base/Scan.h"

#include "base/Strings.h"

#include <climits>
#include <vector>

namespace {

struct CharSet {
    bool negated = false;
    std::wstring chars;                            // single members
    std::vector<std::pair<wchar_t, wchar_t>> ranges;

    bool Contains(wchar_t c) const
    {
        bool in = chars.find(c) != std::wstring::npos;
        for (const auto& r : ranges)
            in = in || (c >= r.first && c <= r.second);
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
    bool first = true;
    while (i < p.size() && (first || p[i] != L']')) {
        if (i + 2 < p.size() && p[i + 1] == L'-' && p[i + 2] != L']') {
            set.ranges.push_back({p[i], p[i + 2]});
            i += 3;
        } else {
            set.chars += p[i++];
        }
        first = false;
    }
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
                set.negated = true;
                set.chars = L" \t\r\n\v\f";
            } else {
                i = ParseSet(p, i, set);
                if (i == std::wstring_view::npos)
                    return assigned;
            }
            size_t k = j;
            while (k < t.size() && set.Contains(t[k]))
                ++k;
            if (k == j || !next->m_pStr)
                return assigned;
            next->m_pStr->assign(t.substr(j, k - j));
            j = k;
        } else {
            return assigned;
        }
        ++next;
        ++assigned;
    }
    return assigned;
}
