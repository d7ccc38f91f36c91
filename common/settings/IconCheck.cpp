#include "settings/IconCheck.h"

#include "CodePage.h"
#include "config/TextFile.h"
#include "settings/AppEdit.h"

#include <iterator>
#include <string_view>

namespace {

// Name to image are comma fields; the key ends at ";"; the value is the
// rest of the line, yet ";" is the text form's separator there too and
// stays out of it.
const wchar_t* SeparatorsOf(IconField field) { return field < IconField::RegKey ? L"," : L";"; }

// Line breaks end the line; the other control characters have no business
// in a one-line field either.
bool IsControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

// The bytes the file would hold; the reader ends a line at 0xFF as well.
bool StoresInCodePage(const std::wstring& text)
{
    const std::string bytes = WideToAnsi(text);
    return bytes.find('\xFF') == std::string::npos && AnsiToWide(bytes) == text;
}

IconCheck CheckField(IconField field, const std::wstring& text)
{
    for (const wchar_t c : text) {
        if (std::wstring_view(SeparatorsOf(field)).find(c) != std::wstring_view::npos)
            return {IconFault::Separator, field, std::wstring(1, c)};
        if (IsControl(c))
            return {IconFault::Control, field, {}};
    }
    if (text.size() > kIconFieldMax)
        return {IconFault::TooLong, field, std::to_wstring(kIconFieldMax)};
    if (text == L"\\\\")
        return {IconFault::Marker, field, text};
    if (!StoresInCodePage(text))
        return {IconFault::CodePage, field, {}};
    return {};
}

}  // namespace

IconCheck CheckIconFields(const IconEntry& entry)
{
    IconField longest = IconField::Name;
    size_t longestSize = 0;
    for (size_t i = 0; i < std::size(kAppTextRows); ++i) {
        const auto field = static_cast<IconField>(i);
        const std::wstring& text = entry.*kAppTextRows[i].field;
        if (IconCheck check = CheckField(field, text); check.fault != IconFault::None)
            return check;
        if (text.size() > longestSize) {
            longest = field;
            longestSize = text.size();
        }
    }
    if (WideToAnsi(FormatIconEntry(entry, false)).size() > static_cast<size_t>(CTextFile::kMaxLineBytes))
        return {IconFault::LineTooLong, longest, std::to_wstring(CTextFile::kMaxLineBytes)};
    return {};
}
