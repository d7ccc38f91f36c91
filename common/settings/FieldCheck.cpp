#include "settings/FieldCheck.h"

#include "CodePage.h"
#include "config/Page.h"

namespace {

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

FieldCheck CheckFieldText(std::wstring_view text, size_t limit, std::wstring_view separators)
{
    FieldCheck check;
    if (text.size() > limit) {
        check.fault = FieldFault::TooLong;
        return check;
    }
    for (wchar_t c : text) {
        if (IsControl(c)) {
            check.fault = FieldFault::Control;
            return check;
        }
    }
    for (wchar_t c : text) {
        if (separators.find(c) != std::wstring_view::npos) {
            check.fault = FieldFault::Separator;
            check.separator = c;
            return check;
        }
    }
    // A character the code page lacks is stored as another one ("?", or
    // a look-alike), and the byte 0xFF ends the line it is in.
    const std::string bytes = WideToAnsi(text);
    if (bytes.find('\xFF') != std::string::npos || AnsiToWide(bytes) != text)
        check.fault = FieldFault::CodePage;
    return check;
}

PageEditCheck CheckPageEdit(const std::wstring& name, const std::wstring& portraitSheet,
                            const std::wstring& landscapeSheet, bool isNew, const std::wstring& reserved,
                            const std::function<bool(const std::wstring&)>& takenByOther)
{
    PageEditCheck check;
    if (name.empty() || portraitSheet.empty() || landscapeSheet.empty())
        check.fault = PageEditFault::Missing;
    else if (name.find_first_of(L"[]") != std::wstring::npos)
        check.fault = PageEditFault::Brackets;
    else if (check.field = CheckFieldText(name, kPageNameMax, kPageNameSeparators); !check.field.Ok())
        check.fault = PageEditFault::Unstorable;
    else if ((isNew && name == kTaskPageName) || name == reserved || takenByOther(name))
        check.fault = PageEditFault::Duplicate;
    return check;
}
