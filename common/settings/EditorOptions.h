// The option strings of the value editor, one reader per editor kind, and
// the checks its OK runs. The definition files are the user's to edit: no
// option string, however malformed, may leave an editor without bounds.
#pragma once

#include "config/SettingTable.h"

#include <climits>
#include <optional>
#include <string>
#include <vector>

// INT "min;max;step;step after 1 s". Without a minimum and a maximum any
// number is allowed; missing steps are 1; a reversed range is put in order.
struct IntOptions {
    int min = INT_MIN, max = INT_MAX;
    int step = 1, fastStep = 1;
};
IntOptions ParseIntOptions(const std::wstring& params);

// STR: the maximum length; 0 (or no number) means the longest value the
// setting file keeps.
int ParseTextLimit(const std::wstring& params);

// CMB preselects the last option whose number is the value, CMB2 the last
// whose label is; the first option when none matches (-1 without options).
int PreselectChoice(const std::vector<SettingChoice>& choices, int number);
int PreselectChoice(const std::vector<SettingChoice>& choices, const std::wstring& label);

// FILE_PATH "start folder:label:patterns:label:patterns…", the patterns
// separated by ';'. A label without patterns is left out.
struct FileFilter {
    std::wstring label;
    std::vector<std::wstring> patterns;
};
struct FileOptions {
    std::wstring startFolder;
    std::vector<FileFilter> filters;
};
FileOptions ParseFileOptions(const std::wstring& params);

// FONT "kind;min;max": "F" fixed-pitch faces only, "P" proportional only,
// anything else all; the size bounds in tenths of a point.
enum class FontPitch { Any, Fixed, Proportional };
struct FontOptions {
    FontPitch pitch = FontPitch::Any;
    int min = 0, max = INT_MAX;
};
FontOptions ParseFontOptions(const std::wstring& params);
// The size range the size field offers: min ÷ (pixels per inch / 96) to max.
IntOptions FontSizeRange(const FontOptions& options, int pixelsPerInch);
// A FONT value "size;face".
struct FontValue {
    int size = 0;
    std::wstring face;
};
FontValue ParseFontValue(const std::wstring& value);
std::wstring FormatFontValue(const FontValue& value);

// The number a field of an INT editor holds: optional white space, an
// optional sign and digits, nothing else, inside the int range.
std::optional<int> ParseIntField(const std::wstring& text);
// "Range %d - %d", the message for a number outside the range.
std::wstring RangeMessage(const IntOptions& range);

// The start page's options: the last viewed page's text first, then every
// page name, each whole (a name may hold ';' or ':').
std::vector<SettingChoice> StartPageChoices(const std::wstring& lastViewed, const std::vector<std::wstring>& pages);
// The vibrator LED's range: 0 to the number of LEDs, 1 when the count is
// unknown.
std::wstring LedRangeParams(int ledCount);
