// Whether an icon entry, written to its page file, reads back as it is.
// The text form has no quoting: a separator inside a field, a line break,
// a character the code page lacks or a line longer than the reader takes
// would come back as another entry (or as none), so the icon editor
// refuses such an entry at OK and names the field.
#pragma once

#include "config/IconEntry.h"

#include <string>

// The stored text fields, in the order of the text form.
enum class IconField { Name, Path, Args, IconFile, RegKey, RegValue };

enum class IconFault {
    None,
    Separator,    // holds a separator of its line (detail: the character)
    Control,      // holds a control character (a line break, a tab …)
    TooLong,      // more characters than the reader keeps (detail: the limit)
    CodePage,     // holds a character the file's code page cannot store
    Marker,       // is exactly the reader's empty-field mark "\\"
    LineTooLong,  // the whole line is longer than the reader takes (detail: bytes)
};

struct IconCheck {
    IconFault fault = IconFault::None;
    IconField field = IconField::Name;
    std::wstring detail;
};

// The first field of the entry that would not read back; for a line that
// is too long as a whole, its longest field.
IconCheck CheckIconFields(const IconEntry& entry);
