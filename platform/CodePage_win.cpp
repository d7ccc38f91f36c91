#include "CodePage.h"

#include <windows.h>

namespace {

std::wstring ToWide(UINT cp, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int len = static_cast<int>(bytes.size());
    int need = ::MultiByteToWideChar(cp, 0, bytes.data(), len, nullptr, 0);
    if (need <= 0)
        return {};
    std::wstring out(static_cast<size_t>(need), L'\0');
    ::MultiByteToWideChar(cp, 0, bytes.data(), len, out.data(), need);
    return out;
}

std::string FromWide(UINT cp, std::wstring_view text)
{
    if (text.empty())
        return {};
    const int len = static_cast<int>(text.size());
    // Sized from the conversion itself: a code page may need several bytes
    // for one character.
    int need = ::WideCharToMultiByte(cp, 0, text.data(), len, nullptr, 0, nullptr, nullptr);
    if (need <= 0)
        return {};
    std::string out(static_cast<size_t>(need), '\0');
    ::WideCharToMultiByte(cp, 0, text.data(), len, out.data(), need, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring AnsiToWide(std::string_view bytes) { return ToWide(CP_ACP, bytes); }
std::string WideToAnsi(std::wstring_view text) { return FromWide(CP_ACP, text); }
unsigned GetAnsiCodePage() { return ::GetACP(); }
bool SelectAnsiCodePage(unsigned cp) { return cp == ::GetACP(); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::wstring Utf8ToWide(std::string_view bytes) { return ToWide(CP_UTF8, bytes); }
