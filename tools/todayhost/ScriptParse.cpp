#include "ScriptParse.h"

#include <cwchar>
#include <cwctype>

namespace {

struct CKeyName {
    const wchar_t* name;
    UINT vk;
};

const CKeyName kKeys[] = {
    {L"up", VK_UP},         {L"down", VK_DOWN},       {L"left", VK_LEFT},       {L"right", VK_RIGHT},
    {L"enter", VK_RETURN},  {L"action", VK_RETURN},   {L"escape", VK_ESCAPE},   {L"back", VK_ESCAPE},
    {L"space", VK_SPACE},   {L"tab", VK_TAB},         {L"home", VK_HOME},       {L"end", VK_END},
    {L"pageup", VK_PRIOR},  {L"pagedown", VK_NEXT},   {L"softkey1", VK_F1},     {L"softkey2", VK_F2},
};

}  // namespace

std::vector<std::wstring> Tokens(const std::wstring& line)
{
    std::vector<std::wstring> tokens;
    for (size_t i = 0; i < line.size();) {
        if (std::iswspace(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == L'#')
            break;
        if (line[i] == L'"') {  // a quoted path may hold blanks
            const size_t end = line.find(L'"', i + 1);
            tokens.push_back(line.substr(i + 1, (end == std::wstring::npos ? line.size() : end) - i - 1));
            i = end == std::wstring::npos ? line.size() : end + 1;
            continue;
        }
        size_t end = i;
        while (end < line.size() && !std::iswspace(line[end]))
            ++end;
        tokens.push_back(line.substr(i, end - i));
        i = end;
    }
    return tokens;
}

std::optional<long> Number(const std::wstring& text, long min, long max)
{
    if (text.empty())
        return std::nullopt;
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 0);
    if (*end != L'\0' || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<POINT> Point(const std::wstring& x, const std::wstring& y)
{
    const std::optional<long> px = Number(x, -32768, 32767), py = Number(y, -32768, 32767);
    if (!px || !py)
        return std::nullopt;
    return POINT{*px, *py};
}

std::optional<UINT> KeyCode(const std::wstring& text)
{
    for (const CKeyName& k : kKeys)
        if (::lstrcmpiW(k.name, text.c_str()) == 0)
            return k.vk;
    if (const std::optional<long> vk = Number(text, 1, 254))
        return static_cast<UINT>(*vk);
    return std::nullopt;
}
