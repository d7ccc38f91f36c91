// Setting definitions and values by index, read from a definition file
// ("OrvaneSetInfo.ini", "OrvaneSetInfoEng.ini", "AppSetInfo.ini",
// "AppSetInfoEng.ini"). One line per definition:
//   KEY=KIND,DEFAULT,LABEL,EDITOR,PARAMS,HELP
#pragma once

#include "base/Diagnostics.h"

#include <cstdint>
#include <string>
#include <vector>

enum EditorKind : std::uint8_t {
    EK_NONE = 0,
    EK_INT = 1,
    EK_STR = 2,
    EK_CMB = 3,
    EK_CMB2 = 4,
    EK_FILE_PATH = 5,
    EK_DIR_PATH = 6,
    EK_COLOR = 7,
    EK_FONT = 8,
    EK_CST = 9,
};

EditorKind EditorKindFromWord(const std::wstring& word);
const wchar_t* EditorKindWord(EditorKind kind);

struct SettingValue {
    enum : std::uint8_t { Number = 0, Text = 1 };
    std::uint8_t kind = Number;
    std::int32_t num = 0;
    std::wstring str;
};

struct SettingDef {
    std::wstring key;       // at most 17 characters
    std::uint8_t editor = EK_NONE;
    std::uint8_t flag = 0;  // the settings list's own mark
    std::wstring label;     // at most 63 characters
    std::wstring params;    // at most 255 characters
    std::wstring help;      // at most 259 characters, "\n" as line breaks
    int nLine = 0;          // line of the definition file, for reports
};

// One option of a CMB or CMB2 editor: "value:caption".
struct SettingChoice {
    int value = 0;
    std::wstring caption;
};

// The options of a CMB/CMB2 parameter string "v:caption;v:caption";
// malformed options are left out.
std::vector<SettingChoice> ParseChoices(const std::wstring& params);

// The INT editor's parameters "min;max;step;step after 1 s"; false unless
// all four numbers are there.
struct IntRange {
    int min = 0, max = 0, step = 1, fastStep = 1;
};
bool ParseIntRange(const std::wstring& params, IntRange& range);

// Field limits of the definition format.
inline constexpr size_t kDefKeyMax = 17;
inline constexpr size_t kDefDefaultMax = 31;
inline constexpr size_t kDefLabelMax = 63;
inline constexpr size_t kDefEditorMax = 15;
inline constexpr size_t kDefParamsMax = 255;
inline constexpr size_t kDefHelpMax = 259;

enum DefinitionMode : unsigned {
    DEFS_KEYS = 0,         // key, kind and default (the plug-in)
    DEFS_FULL = 1,         // every field (the settings program)
    DEFS_KEEP_VALUES = 2,  // re-read the definitions, leave the values alone
    DEFS_APPEND = 4,       // add to the lists instead of replacing them
};

// A colour written "r;g;b" as a COLORREF: r | g << 8 | b << 16.
std::int32_t ParseColorTriple(const std::wstring& text);

class CSettingTable {
public:
    // Reads at most maxCount definitions. Returns 1 when the file was read,
    // 0 when it is missing or cannot be opened.
    int LoadDefinitions(const std::wstring& path, unsigned mode, int maxCount, CDiagSink* sink);

    int Count() const { return static_cast<int>(m_Values.size()); }
    bool IsText(int index) const;
    // Out-of-range indexes read as 0 or empty and are not written.
    int GetNum(int index) const;
    const std::wstring& GetStr(int index) const;
    // The value as the setting file writes it.
    std::wstring GetText(int index) const;
    bool SetNum(int index, int value);
    bool SetStr(int index, const std::wstring& value);
    const SettingDef* Def(int index) const;
    SettingDef* Def(int index);

    std::vector<SettingValue> m_Values;
    std::vector<SettingDef> m_Defs;
};
