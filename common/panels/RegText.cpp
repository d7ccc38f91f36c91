#include "panels/RegText.h"

#include "base/Format.h"
#include "panels/PanelState.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// One printf conversion as written in a name: its text and its letter.
struct NameConversion {
    std::wstring_view text;  // from '%' to the letter
    wchar_t letter = 0;
    bool bounded = true;     // width and precision within the text limit
};

size_t Digits(std::wstring_view p, size_t i, bool& bounded)
{
    size_t value = 0;
    for (; i < p.size() && p[i] >= L'0' && p[i] <= L'9'; ++i) {
        value = value * 10 + static_cast<size_t>(p[i] - L'0');
        if (value > kRegTextMax)
            bounded = false;
    }
    return i;
}

// The conversion at p[i] == '%'; its text ends at the letter (or at the end
// of the name when there is none).
NameConversion ReadConversion(std::wstring_view p, size_t i)
{
    NameConversion c;
    size_t j = i + 1;
    while (j < p.size() && std::wstring_view(L"-+ 0#").find(p[j]) != std::wstring_view::npos)
        ++j;
    j = Digits(p, j, c.bounded);
    if (j < p.size() && p[j] == L'.')
        j = Digits(p, j + 1, c.bounded);
    while (j < p.size() && (p[j] == L'h' || p[j] == L'l'))
        ++j;
    if (j < p.size())
        c.letter = p[j++];
    c.text = p.substr(i, j - i);
    return c;
}

bool IsNumberLetter(wchar_t c) { return c == L'd' || c == L'i' || c == L'u' || c == L'x' || c == L'X'; }

// The value through one accepted conversion, or nothing when it does not fit.
bool Convert(const NameConversion& c, const RegValueData& value, std::wstring& out)
{
    if (!c.bounded)
        return false;
    if (value.kind == RegValueData::Kind::Text && c.letter == L's') {
        out = FormatW(c.text, value.text);
        return true;
    }
    if (value.kind != RegValueData::Kind::Number)
        return false;
    if (c.letter == L's') {
        out = FormatW(c.text, FormatW(L"%d", value.number));
        return true;
    }
    if (IsNumberLetter(c.letter)) {
        out = FormatW(c.text, value.number);
        return true;
    }
    return false;
}

std::wstring NameAsFormat(const std::wstring& name, const RegValueData& value)
{
    std::wstring out;
    bool used = false;
    for (size_t i = 0; i < name.size() && out.size() <= kRegTextMax;) {
        if (name[i] != L'%') {
            out += name[i++];
            continue;
        }
        if (i + 1 < name.size() && name[i + 1] == L'%') {
            out += L'%';
            i += 2;
            continue;
        }
        const NameConversion c = ReadConversion(name, i);
        std::wstring converted;
        if (!used && Convert(c, value, converted)) {
            out += converted;
            used = true;
        } else {
            out += c.text;
        }
        i += c.text.size();
    }
    return out;
}

}  // namespace

RegValueData RegValueFromBytes(std::uint32_t type, const std::uint8_t* data, size_t size)
{
    RegValueData v;
    if (type == REGTYPE_SZ || type == REGTYPE_EXPAND_SZ) {
        v.kind = RegValueData::Kind::Text;
        const size_t chars = std::min(size / 2, kRegTextMax);
        for (size_t i = 0; i < chars; ++i) {
            const wchar_t c = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
            if (c == L'\0')
                break;
            v.text += c;
        }
    } else if (type == REGTYPE_DWORD && size == 4) {
        v.kind = RegValueData::Kind::Number;
        std::uint32_t n = 0;
        std::memcpy(&n, data, 4);  // little-endian as the registry stores it
        v.number = static_cast<std::int32_t>(n);
    }
    return v;
}

bool ReadGrowingValue(const RegQueryFn& query, RegValueData& out)
{
    constexpr int kAttempts = 4;
    std::vector<std::uint8_t> buffer(256);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::uint32_t size = static_cast<std::uint32_t>(buffer.size()), type = 0;
        const RegQuery result = query(buffer.data(), size, type);
        if (result == RegQuery::Ok) {
            out = RegValueFromBytes(type, buffer.data(), std::min<size_t>(size, buffer.size()));
            return true;
        }
        if (result != RegQuery::MoreData || size <= buffer.size() || size > kRegValueMaxBytes)
            return false;
        buffer.assign(size, 0);
    }
    return false;
}

std::wstring RegValueText(std::uint8_t mode, const std::wstring& name, const RegValueData& value)
{
    std::wstring text;
    if (mode == REGMODE_FORMAT && value.kind != RegValueData::Kind::Other)
        text = NameAsFormat(name, value);
    else if (value.kind == RegValueData::Kind::Text)
        text = value.text;
    else if (value.kind == RegValueData::Kind::Number)
        text = FormatW(L"%d", value.number);
    if (text.size() > kRegTextMax)
        text.resize(kRegTextMax);
    return text;
}

int RefreshRegistryItem(IconEntry& e, CRegistrySource& registry)
{
    // Other modes show the name alone: reading would only make keys.
    if (e.RegMode == REGMODE_NAME || e.RegMode > REGMODE_FORMAT || e.RegRoot == REGROOT_NONE ||
        e.RegRoot > REGROOT_HKU)
        return 0;
    RegValueData value;
    if (!registry.ReadValue(e.RegRoot, e.RegKey, e.RegValue, value))
        return 0;
    std::wstring text = RegValueText(e.RegMode, e.Name, value);
    if (text == e.RegText)
        return 0;
    e.RegText = std::move(text);
    e.flags = static_cast<std::uint8_t>(e.flags & ~ICON_CAPTION_VALID);
    return 1;
}

int RefreshRegistryItems(const CSheet& sheet, CRegistrySource& registry)
{
    int changed = 0;
    ForEachVisibleIcon(sheet, [&](IconEntry& e) { changed |= RefreshRegistryItem(CaptionSource(e), registry); });
    return changed;
}
