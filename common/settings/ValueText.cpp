#include "settings/ValueText.h"

#include "base/Format.h"

std::wstring ListValueText(const SettingDef* def, const SettingValue& value)
{
    if (value.kind == SettingValue::Text)
        return value.str;
    const std::uint8_t editor = def ? def->editor : std::uint8_t{EK_NONE};
    if (editor == EK_CMB) {
        for (const SettingChoice& c : ParseChoices(def->params))
            if (c.value == value.num)
                return c.caption;
    }
    if (editor == EK_COLOR)
        return FormatW(L"%06X", static_cast<std::uint32_t>(value.num));
    return FormatW(L"%d", value.num);
}

bool WantsWhiteText(std::uint32_t colour)
{
    const unsigned r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    return (2 * r + 4 * g + b) / 7 < 128;
}

std::wstring ColorFieldText(std::uint32_t colour)
{
    return FormatW(L"%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

bool ParseColorField(const std::wstring& text, std::uint32_t& colour)
{
    if (text.size() != 6)
        return false;
    std::uint32_t bytes[3] = {};
    for (size_t i = 0; i < 6; ++i) {
        const int d = HexDigit(text[i]);
        if (d < 0)
            return false;
        bytes[i / 2] = bytes[i / 2] * 16 + static_cast<std::uint32_t>(d);
    }
    colour = bytes[0] | bytes[1] << 8 | bytes[2] << 16;
    return true;
}
