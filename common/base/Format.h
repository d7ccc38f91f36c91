// printf-style formatting of wide text, type-safe.
//
// The configuration files and the trace texts are written with printf
// patterns ("%s=%d\r\n", "Task-%02d", "%03d, Ave:%03d(mSec)"). FormatW
// implements the subset they use for both builds alike: flags - 0 + space #,
// a width, a precision, the length letters h l ll (ignored), and the
// conversions d i u x X c s S %. "%s" takes wide text, as on the device.
// A conversion without a fitting argument prints nothing.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

class CFmtArg {
public:
    enum class Kind { Int, Text };

    template <class T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, int> = 0>
    CFmtArg(T v) : m_kind(Kind::Int), m_nValue(static_cast<long long>(v)), m_bUnsigned(std::is_unsigned_v<T>)
    {
        if constexpr (std::is_unsigned_v<T>)
            m_uValue = static_cast<unsigned long long>(v);
    }
    CFmtArg(const wchar_t* s) : m_kind(Kind::Text), m_text(s ? s : L"") {}
    CFmtArg(const std::wstring& s) : m_kind(Kind::Text), m_text(s) {}
    CFmtArg(std::wstring_view s) : m_kind(Kind::Text), m_text(s) {}
    CFmtArg(const void* p)
        : m_kind(Kind::Int), m_nValue(static_cast<long long>(reinterpret_cast<std::uintptr_t>(p))),
          m_uValue(reinterpret_cast<std::uintptr_t>(p)), m_bUnsigned(true)
    {
    }

    Kind m_kind;
    long long m_nValue = 0;
    unsigned long long m_uValue = 0;
    bool m_bUnsigned = false;
    std::wstring_view m_text;
};

std::wstring FormatArgsW(std::wstring_view pattern, std::initializer_list<CFmtArg> args);

template <class... A>
std::wstring FormatW(std::wstring_view pattern, const A&... args)
{
    return FormatArgsW(pattern, {CFmtArg(args)...});
}
