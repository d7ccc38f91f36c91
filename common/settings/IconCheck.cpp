#include "settings/IconCheck.h"

#include "CodePage.h"
#include "config/TextFile.h"

#include <string_view>

namespace {

struct FieldRule {
    IconField field;
    const std::wstring IconEntry::*text;
    const wchar_t* separators;  // characters the reader splits this field at
};

// Name to image are comma fields; the key ends at ";"; the value is the
// rest of the line, yet ";" is the text form's separator there too and
// stays out of it.
constexpr FieldRule kRules[] = {
    {IconField::Name, &IconEntry::Name, L","},       {IconField::Path, &IconEntry::Path, L","},
    {IconField::Args, &IconEntry::Args, L","},       {IconField::IconFile, &IconEntry::IconFile, L","},
    {IconField::RegKey, &IconEntry::RegKey, L";"},   {IconField::RegValue, &IconEntry::RegValue, L";"},
};

// Line breaks end the line; the other control characters have no business
// in a one-line field either.
bool IsControl(wchar_t c) { return c < 0x20 || c == 0x7F; }

// The bytes the file would hold; the reader ends a line at 0xFF as well.
bool StoresInCodePage(const std::wstring& text)
{
    const std::string bytes = WideToAnsi(text);
    return bytes.find('\xFF') == std::string::npos && AnsiToWide(bytes) == text;
}

IconCheck CheckField(const FieldRule& rule, const std::wstring& text)
{
    for (const wchar_t c : text) {
        if (std::wstring_view(rule.separators).find(c) != std::wstring_view::npos)
            return {IconFault::Separator, rule.field, std::wstring(1, c)};
        if (IsControl(c))
            return {IconFault::Control, rule.field, {}};
    }
    if (text.size() > kIconFieldMax)
        return {IconFault::TooLong, rule.field, std::to_wstring(kIconFieldMax)};
    if (text == L"\\\\")
        return {IconFault::Marker, rule.field, text};
    if (!StoresInCodePage(text))
        return {IconFault::CodePage, rule.field, {}};
    return {};
}

}  // namespace

IconCheck CheckIconFields(const IconEntry& entry)
{
    const FieldRule* longest = &kRules[0];
    for (const FieldRule& rule : kRules) {
        const std::wstring& text = entry.*rule.text;
        if (IconCheck check = CheckField(rule, text); check.fault != IconFault::None)
            return check;
        if (text.size() > (entry.*longest->text).size())
            longest = &rule;
    }
    if (WideToAnsi(FormatIconEntry(entry, false)).size() > static_cast<size_t>(CTextFile::kMaxLineBytes))
        return {IconFault::LineTooLong, longest->field, std::to_wstring(CTextFile::kMaxLineBytes)};
    return {};
}
