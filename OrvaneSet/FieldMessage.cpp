#include "FieldMessage.h"

#include "OrvaneSet_rc.h"
#include "base/Format.h"
#include "ui/Res.h"

std::wstring FieldFaultMessage(const FieldCheck& check, unsigned fieldLabel, size_t limit)
{
    return FieldFaultMessage(check, ResString(fieldLabel), limit);
}

std::wstring FieldFaultMessage(const FieldCheck& check, const std::wstring& field, size_t limit)
{
    switch (check.fault) {
    case FieldFault::None: return {};
    case FieldFault::TooLong: return FormatW(ResString(IDS_FIELD_TOO_LONG), field, limit);
    case FieldFault::Control: return FormatW(ResString(IDS_FIELD_CANNOT_HOLD), field, ResString(IDS_CHARS_CONTROL));
    case FieldFault::Separator:
        return FormatW(ResString(IDS_FIELD_CANNOT_HOLD), field, L"\"" + std::wstring(1, check.separator) + L"\"");
    case FieldFault::CodePage:
        return FormatW(ResString(IDS_FIELD_CANNOT_HOLD), field, ResString(IDS_CHARS_CODE_PAGE));
    }
    return {};
}
