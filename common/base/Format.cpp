#include "base/Format.h"

namespace {

struct Spec {
    bool left = false, zero = false, plus = false, space = false, alt = false;
    int width = 0;
    int precision = -1;
};

std::wstring Digits(unsigned long long v, unsigned base, bool upper)
{
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring s;
    do {
        s.insert(s.begin(), digits[v % base]);
        v /= base;
    } while (v != 0);
    return s;
}

std::wstring Pad(std::wstring body, std::wstring sign, const Spec& spec, bool numeric)
{
    const size_t len = body.size() + sign.size();
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    if (len >= width)
        return sign + body;
    const size_t fill = width - len;
    if (spec.left)
        return sign + body + std::wstring(fill, L' ');
    if (spec.zero && numeric && spec.precision < 0)
        return sign + std::wstring(fill, L'0') + body;
    return std::wstring(fill, L' ') + sign + body;
}

std::wstring Integer(const CFmtArg& a, wchar_t conv, const Spec& spec)
{
    std::wstring sign, body;
    if (conv == L'd' || conv == L'i') {
        long long v = a.m_nValue;
        unsigned long long mag = a.m_bUnsigned ? a.m_uValue
                                 : v < 0       ? 0ULL - static_cast<unsigned long long>(v)
                                               : static_cast<unsigned long long>(v);
        if (!a.m_bUnsigned && v < 0)
            sign = L"-";
        else if (spec.plus)
            sign = L"+";
        else if (spec.space)
            sign = L" ";
        body = Digits(mag, 10, false);
    } else {
        // u, x, X: the value's bits as a 32-bit number, as on the device,
        // unless the argument is wider and unsigned.
        unsigned long long v = a.m_bUnsigned ? a.m_uValue : static_cast<unsigned long long>(
                                                                static_cast<std::uint32_t>(a.m_nValue));
        body = Digits(v, conv == L'u' ? 10 : 16, conv == L'X');
        if (spec.alt && conv != L'u' && v != 0)
            sign = conv == L'X' ? L"0X" : L"0x";
    }
    if (spec.precision >= 0 && body.size() < static_cast<size_t>(spec.precision))
        body.insert(0, static_cast<size_t>(spec.precision) - body.size(), L'0');
    return Pad(body, sign, spec, true);
}

}  // namespace

std::wstring FormatArgsW(std::wstring_view p, std::initializer_list<CFmtArg> args)
{
    std::wstring out;
    const CFmtArg* next = args.begin();
    for (size_t i = 0; i < p.size();) {
        if (p[i] != L'%') {
            out += p[i++];
            continue;
        }
        ++i;
        if (i < p.size() && p[i] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        Spec spec;
        for (; i < p.size(); ++i) {
            const wchar_t f = p[i];
            if (f == L'-') spec.left = true;
            else if (f == L'0') spec.zero = true;
            else if (f == L'+') spec.plus = true;
            else if (f == L' ') spec.space = true;
            else if (f == L'#') spec.alt = true;
            else break;
        }
        for (; i < p.size() && p[i] >= L'0' && p[i] <= L'9'; ++i)
            spec.width = spec.width < 10000 ? spec.width * 10 + (p[i] - L'0') : spec.width;
        if (i < p.size() && p[i] == L'.') {
            spec.precision = 0;
            for (++i; i < p.size() && p[i] >= L'0' && p[i] <= L'9'; ++i)
                spec.precision = spec.precision < 10000 ? spec.precision * 10 + (p[i] - L'0') : spec.precision;
        }
        while (i < p.size() && (p[i] == L'h' || p[i] == L'l' || p[i] == L'I' || p[i] == L'z'))
            ++i;
        if (i >= p.size())
            break;
        const wchar_t conv = p[i++];
        if (next == args.end())
            continue;
        const CFmtArg& a = *next++;
        switch (conv) {
        case L'd': case L'i': case L'u': case L'x': case L'X':
            if (a.m_kind == CFmtArg::Kind::Int)
                out += Integer(a, conv, spec);
            break;
        case L'c':
            if (a.m_kind == CFmtArg::Kind::Int)
                out += Pad(std::wstring(1, static_cast<wchar_t>(a.m_nValue)), L"", spec, false);
            break;
        case L's': case L'S':
            if (a.m_kind == CFmtArg::Kind::Text) {
                std::wstring_view t = a.m_text;
                if (spec.precision >= 0 && t.size() > static_cast<size_t>(spec.precision))
                    t = t.substr(0, static_cast<size_t>(spec.precision));
                out += Pad(std::wstring(t), L"", spec, false);
            }
            break;
        default:
            break;
        }
    }
    return out;
}
