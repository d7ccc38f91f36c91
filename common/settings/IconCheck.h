// Whether an icon entry, written to its page file, reads back as it is.
// The text form has no quoting: a separator inside a field, a line break,
// a character the code page lacks or a line longer than the reader takes
// would come back as another entry (or as none), so the icon editor
// refuses such an entry at OK and names the field.
#pragma once

#include "config/IconEntry.h"
#include "settings/FieldCheck.h"

#include <string>

// The stored text fields, in the order of the text form.
enum class IconField { Name, Path, Args, IconFile, RegKey, RegValue };

enum class IconFault {
    None,
    Text,         // the field's text as such (see text: too long, a separator …)
    Marker,       // is exactly the reader's empty-field mark "\\"
    LineTooLong,  // the whole line is longer than the reader takes
};

struct IconCheck {
    IconFault fault = IconFault::None;
    IconField field = IconField::Name;
    FieldCheck text;
};

// Name to image are comma fields; the key ends at ";"; the value is the
// rest of the line, yet ";" is the text form's separator there too.
inline const wchar_t* IconFieldSeparators(IconField field) { return field < IconField::RegKey ? L"," : L";"; }

// The first field of the entry that would not read back; for a line that
// is too long as a whole, its longest field.
IconCheck CheckIconFields(const IconEntry& entry);
