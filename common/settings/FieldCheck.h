// What the settings program checks before it keeps a text the user typed:
// the text must come back from its file as it went in. A file field has a
// length its readers keep, separators they split on, and the device's ANSI
// code page in which it is stored; a line ends at CR, LF and the byte 0xFF.
#pragma once

#include "config/IconEntry.h"
#include "config/Setting.h"
#include "engine/TaskList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

enum class FieldFault {
    None,
    TooLong,    // more characters than the readers keep
    Control,    // a control character (a line end among them)
    Separator,  // a character the readers split the line on
    CodePage,   // a character the code page lacks, or one stored as 0xFF
};

struct FieldCheck {
    FieldFault fault = FieldFault::None;
    wchar_t separator = 0;  // the one found, for FieldFault::Separator
    bool Ok() const { return fault == FieldFault::None; }
};

// The first fault of the text, in the order of the enumeration.
FieldCheck CheckFieldText(std::wstring_view text, size_t limit, std::wstring_view separators);

// The longest page name that every reader keeps whole: a page link's
// target and the start page setting are cut beyond it.
inline constexpr size_t kPageNameMax = kIconFieldMax;
static_assert(kPageNameMax <= kSettingValueMax);
// A page name also names the target of a page link, a field of an icon
// line: no ",". "[" and "]" have a message of their own.
inline constexpr wchar_t kPageNameSeparators[] = L",";
// An exclusion is compared with window titles, which are read into a
// buffer of 255 characters; the setting file keeps it whole.
inline constexpr size_t kExclusionMax = kWindowTextBuffer - 1;
static_assert(kExclusionMax <= kSettingValueMax);

// The page editor's checks at OK, in the order it runs them.
enum class PageEditFault {
    None,
    Missing,     // no name, or no sheet for an orientation
    Brackets,    // "[" or "]" in the name
    Unstorable,  // the name would not come back from the files (field says why)
    Duplicate,   // a new page named "TRLS_PAGE", or another page's name
};

struct PageEditCheck {
    PageEditFault fault = PageEditFault::None;
    FieldCheck field;
};

// takenByOther: another page (not the one edited) has the name. reserved:
// the text that stands for "no fixed start page", which no page may be
// called, or the start page setting could not name it.
PageEditCheck CheckPageEdit(const std::wstring& name, const std::wstring& portraitSheet,
                            const std::wstring& landscapeSheet, bool isNew, const std::wstring& reserved,
                            const std::function<bool(const std::wstring&)>& takenByOther);
