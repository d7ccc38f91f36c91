#include "settings/IconCheck.h"

#include "CodePage.h"
#include "config/TextFile.h"
#include "settings/AppEdit.h"

#include <iterator>

IconCheck CheckIconFields(const IconEntry& entry)
{
    IconField longest = IconField::Name;
    size_t longestSize = 0;
    for (size_t i = 0; i < std::size(kAppTextRows); ++i) {
        const auto field = static_cast<IconField>(i);
        const std::wstring& text = entry.*kAppTextRows[i].field;
        if (const FieldCheck check = CheckFieldText(text, kIconFieldMax, IconFieldSeparators(field)); !check.Ok())
            return {IconFault::Text, field, check};
        // The reader takes this text for an empty field.
        if (text == L"\\\\")
            return {IconFault::Marker, field, {}};
        if (text.size() > longestSize) {
            longest = field;
            longestSize = text.size();
        }
    }
    if (WideToAnsi(FormatIconEntry(entry, false)).size() > static_cast<size_t>(CTextFile::kMaxLineBytes))
        return {IconFault::LineTooLong, longest, {}};
    return {};
}
