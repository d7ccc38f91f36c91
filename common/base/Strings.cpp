#include "base/Strings.h"

#include <climits>
#include <cwctype>

bool IsSpaceW(wchar_t c)
{
    // Every locale agrees on ASCII; only the rest needs the library.
    if (c < 0x80)
        return c == L' ' || (c >= L'\t' && c <= L'\r');
    return std::iswspace(static_cast<std::wint_t>(c)) != 0;
}

std::wstring TrimW(std::wstring_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsSpaceW(s[b]))
        ++b;
    while (e > b && IsSpaceW(s[e - 1]))
        --e;
    return std::wstring(s.substr(b, e - b));
}

std::wstring_view TrimLeftW(std::wstring_view s)
{
    size_t b = 0;
    while (b < s.size() && IsSpaceW(s[b]))
        ++b;
    return s.substr(b);
}

std::wstring ReplaceAllW(std::wstring_view s, std::wstring_view from, std::wstring_view to)
{
    std::wstring out;
    if (from.empty())
        return std::wstring(s);
    size_t pos = 0;
    for (;;) {
        size_t hit = s.find(from, pos);
        if (hit == std::wstring_view::npos)
            break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

std::wstring FillEmptyFieldsW(std::wstring_view s, std::wstring_view marker)
{
    std::wstring out;
    out.reserve(s.size() + 16);
    for (size_t i = 0; i < s.size(); ++i) {
        out += s[i];
        if (s[i] == L',' && i + 1 < s.size() && s[i + 1] == L',')
            out.append(marker);
    }
    return out;
}

bool StartsWithW(std::wstring_view s, std::wstring_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool StartsWithNoCaseW(std::wstring_view s, std::wstring_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towupper(static_cast<std::wint_t>(s[i])) != std::towupper(static_cast<std::wint_t>(prefix[i])))
            return false;
    return true;
}

std::wstring ToUpperW(std::wstring_view s)
{
    std::wstring out(s);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    return out;
}

int Wtol(std::wstring_view s)
{
    size_t i = 0;
    while (i < s.size() && IsSpaceW(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        negative = s[i++] == L'-';
    long long value = 0;
    for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i) {
        value = value * 10 + (s[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::wstring WithBackslash(std::wstring_view s)
{
    std::wstring out(s);
    if (out.empty() || out.back() != L'\\')
        out += L'\\';
    return out;
}
