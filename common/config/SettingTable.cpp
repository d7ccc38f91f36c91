#include "config/SettingTable.h"

#include "base/Format.h"
#include "base/Scan.h"
#include "base/Strings.h"
#include "config/TextFile.h"

namespace {

const wchar_t* const kEditorWords[] = {L"", L"INT", L"STR", L"CMB", L"CMB2", L"FILE_PATH",
                                       L"DIR_PATH", L"COLOR", L"FONT", L"CST"};

const std::wstring kEmptyMarker = L"\\\\";

std::wstring Unmark(const std::wstring& field) { return field == kEmptyMarker ? std::wstring() : field; }

// Cuts field to limit characters and reports it.
void Bound(std::wstring& field, size_t limit, const wchar_t* what, const CTextFile& file)
{
    if (field.size() <= limit)
        return;
    field.resize(limit);
    file.Report(FormatW(L"%s longer than %u characters, cut", what, static_cast<unsigned>(limit)));
}

std::wstring HelpText(const std::wstring& raw) { return ReplaceAllW(Unmark(raw), L"\\n", L"\n"); }

}  // namespace

EditorKind EditorKindFromWord(const std::wstring& word)
{
    for (unsigned i = 1; i < std::size(kEditorWords); ++i)
        if (word == kEditorWords[i])
            return static_cast<EditorKind>(i);
    return EK_NONE;
}

const wchar_t* EditorKindWord(EditorKind kind)
{
    return kind < std::size(kEditorWords) ? kEditorWords[kind] : L"";
}

std::int32_t ParseColorTriple(const std::wstring& text)
{
    int r = 0, g = 0, b = 0;
    ScanW(text, L"%d;%d;%d", {&r, &g, &b});
    return static_cast<std::int32_t>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}

int CSettingTable::LoadDefinitions(const std::wstring& path, unsigned mode, int maxCount, CDiagSink* sink)
{
    CTextFile file(sink);
    if (!file.OpenRead(path)) {
        ReportTo(sink, path, 0, L"definition file missing or unreadable");
        return 0;
    }
    const bool full = (mode & DEFS_FULL) != 0;
    const bool keepValues = (mode & DEFS_KEEP_VALUES) != 0;
    if (!(mode & DEFS_APPEND)) {
        m_Defs.clear();
        if (!keepValues)
            m_Values.clear();
    }
    const size_t firstDef = m_Defs.size();
    int read = 0;
    std::wstring raw;
    while (read < maxCount && file.ReadLine(raw)) {
        std::wstring line = TrimW(raw);
        if (line.empty() || line[0] == L';')
            continue;
        line = FillEmptyFieldsW(line, L"\\\\");

        std::wstring key, deflt, label, editor, params, help;
        int kind = 0;
        const int got = full ? ScanW(line, L"%[^=]=%d,%[^,],%[^,],%[^,],%[^,],%[^\n]",
                                     {&key, &kind, &deflt, &label, &editor, &params, &help})
                             : ScanW(line, L"%[^=]=%d,%[^,],", {&key, &kind, &deflt});
        if (got < 2) {
            file.Report(L"not a definition (KEY=KIND,DEFAULT,...), skipped");
            continue;
        }
        if (got < 3)
            file.Report(L"definition without a default value");
        else if (full && got < 6)  // only the help text may be left out
            file.Report(FormatW(L"definition has %d of 7 fields", got));
        if ((kind & 0xFF) > 1)
            file.Report(FormatW(L"value kind %d is neither 0 (number) nor 1 (text)", kind & 0xFF));
        Bound(key, kDefKeyMax, L"key", file);
        Bound(deflt, kDefDefaultMax, L"default", file);

        SettingDef def;
        def.key = key;
        def.nLine = file.LineNumber();
        if (full) {
            Bound(label, kDefLabelMax, L"label", file);
            Bound(editor, kDefEditorMax, L"editor word", file);
            Bound(params, kDefParamsMax, L"parameters", file);
            Bound(help, kDefHelpMax, L"help text", file);
            def.editor = EditorKindFromWord(editor);
            if (def.editor == EK_NONE && got >= 5)
                file.Report(FormatW(L"unknown editor word '%s'", editor));
            def.label = Unmark(label);
            def.params = Unmark(params);
            def.help = HelpText(help);
        }
        m_Defs.push_back(def);

        if (!keepValues) {
            SettingValue value;
            value.kind = (kind & 0xFF) == 0 ? SettingValue::Number : SettingValue::Text;
            if (value.kind == SettingValue::Text)
                value.str = Unmark(deflt);
            else if (deflt.find(L';') != std::wstring::npos)
                value.num = ParseColorTriple(deflt);
            else
                value.num = Wtol(deflt);
            m_Values.push_back(value);
        }
        ++read;
    }
    if (read < maxCount && firstDef == 0)
        file.ReportFile(FormatW(L"%d definitions, %d expected", read, maxCount));
    return 1;
}

std::vector<SettingChoice> ParseChoices(const std::wstring& params)
{
    std::vector<SettingChoice> choices;
    size_t start = 0;
    while (start <= params.size()) {
        size_t end = params.find(L';', start);
        if (end == std::wstring::npos)
            end = params.size();
        SettingChoice c;
        if (ScanW(params.substr(start, end - start), L"%d:%[^\n]", {&c.value, &c.caption}) == 2)
            choices.push_back(c);
        start = end + 1;
    }
    return choices;
}

bool ParseIntRange(const std::wstring& params, IntRange& range)
{
    return ScanW(params, L"%d;%d;%d;%d", {&range.min, &range.max, &range.step, &range.fastStep}) == 4;
}

bool CSettingTable::IsText(int index) const
{
    return index >= 0 && index < Count() && m_Values[static_cast<size_t>(index)].kind == SettingValue::Text;
}

int CSettingTable::GetNum(int index) const
{
    if (index < 0 || index >= Count())
        return 0;
    return m_Values[static_cast<size_t>(index)].num;
}

const std::wstring& CSettingTable::GetStr(int index) const
{
    static const std::wstring empty;
    if (index < 0 || index >= Count())
        return empty;
    return m_Values[static_cast<size_t>(index)].str;
}

std::wstring CSettingTable::GetText(int index) const
{
    return IsText(index) ? GetStr(index) : FormatW(L"%d", GetNum(index));
}

bool CSettingTable::SetNum(int index, int value)
{
    if (index < 0 || index >= Count())
        return false;
    m_Values[static_cast<size_t>(index)].num = value;
    return true;
}

bool CSettingTable::SetStr(int index, const std::wstring& value)
{
    if (index < 0 || index >= Count())
        return false;
    m_Values[static_cast<size_t>(index)].str = value;
    return true;
}

const SettingDef* CSettingTable::Def(int index) const
{
    return index >= 0 && index < static_cast<int>(m_Defs.size()) ? &m_Defs[static_cast<size_t>(index)] : nullptr;
}

SettingDef* CSettingTable::Def(int index)
{
    return index >= 0 && index < static_cast<int>(m_Defs.size()) ? &m_Defs[static_cast<size_t>(index)] : nullptr;
}
