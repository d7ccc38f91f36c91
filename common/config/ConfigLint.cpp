#include "config/ConfigLint.h"

#include "base/Format.h"

#include <algorithm>
#include "base/Scan.h"
#include "FileSys.h"
#include "config/ConfigLoad.h"
#include "config/Folders.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"

namespace {

struct DefContext {
    const std::wstring& path;
    const SettingDef& def;
    const SettingValue& value;
    CDiagSink& sink;

    void Report(const std::wstring& reason) const
    {
        sink.Report({path, def.nLine, FormatW(L"%s: %s", def.key, reason)});
    }
    void NeedKind(std::uint8_t kind) const
    {
        if (value.kind != kind)
            Report(kind == SettingValue::Text ? L"this editor needs a text value (kind 1)"
                                              : L"this editor needs a number value (kind 0)");
    }
};

void CheckInt(const DefContext& c)
{
    c.NeedKind(SettingValue::Number);
    IntRange range;
    if (!ParseIntRange(c.def.params, range)) {
        c.Report(L"INT needs parameters min;max;step;step");
        return;
    }
    if (range.min > range.max)
        c.Report(L"INT range is empty");
    else if (c.value.num < range.min || c.value.num > range.max)
        c.Report(FormatW(L"default %d outside %d..%d", c.value.num, range.min, range.max));
}

void CheckChoices(const DefContext& c, bool byNumber)
{
    c.NeedKind(byNumber ? SettingValue::Number : SettingValue::Text);
    const std::vector<SettingChoice> choices = ParseChoices(c.def.params);
    if (choices.empty()) {
        c.Report(L"no options value:caption");
        return;
    }
    for (const SettingChoice& choice : choices)
        if (byNumber ? choice.value == c.value.num : choice.caption == c.value.str)
            return;
    c.Report(L"default is none of the options");
}

void CheckFont(const DefContext& c)
{
    c.NeedKind(SettingValue::Text);
    std::wstring kind;
    int min = 0, max = 0, size = 0;
    std::wstring face;
    if (ScanW(c.def.params, L"%[^;];%d;%d", {&kind, &min, &max}) != 3)
        c.Report(L"FONT needs parameters kind;min;max");
    if (ScanW(c.value.str, L"%d;%[^\n]", {&size, &face}) != 2)
        c.Report(L"FONT default must be size;face");
}

void CheckDefinition(const std::wstring& path, const SettingDef& def, const SettingValue& value, CDiagSink& sink)
{
    const DefContext c{path, def, value, sink};
    switch (def.editor) {
    case EK_INT: CheckInt(c); break;
    case EK_CMB: CheckChoices(c, true); break;
    case EK_CMB2: CheckChoices(c, false); break;
    case EK_STR:
    case EK_FILE_PATH:
    case EK_DIR_PATH: c.NeedKind(SettingValue::Text); break;
    case EK_COLOR: c.NeedKind(SettingValue::Number); break;
    case EK_FONT: CheckFont(c); break;
    default: break;  // CST rows belong to their owner; unknown words are reported by the parser
    }
}

}  // namespace

void LintDefinitionFile(const std::wstring& path, int maxCount, CDiagSink& sink, CSettingTable& table)
{
    if (!table.LoadDefinitions(path, DEFS_FULL, maxCount, &sink))
        return;
    for (size_t i = 0; i < table.m_Defs.size() && i < table.m_Values.size(); ++i)
        CheckDefinition(path, table.m_Defs[i], table.m_Values[i], sink);
}

void LintDefinitionPair(const CSettingTable& first, const std::wstring& firstPath, const CSettingTable& second,
                        const std::wstring& secondPath, CDiagSink& sink)
{
    const size_t n = std::min(first.m_Defs.size(), second.m_Defs.size());
    for (size_t i = 0; i < n; ++i) {
        const SettingDef& a = first.m_Defs[i];
        const SettingDef& b = second.m_Defs[i];
        const int index = static_cast<int>(i);
        std::wstring what;
        if (a.key != b.key)
            what = FormatW(L"key '%s' differs from '%s'", b.key, a.key);
        else if (first.IsText(index) != second.IsText(index))
            what = L"kind differs";
        else if (first.GetText(index) != second.GetText(index))
            what = FormatW(L"default '%s' differs from '%s'", second.GetText(index), first.GetText(index));
        else if (a.editor != b.editor)
            what = L"editor differs";
        else if (a.editor == EK_CMB || a.editor == EK_CMB2) {
            const auto ca = ParseChoices(a.params), cb = ParseChoices(b.params);
            bool same = ca.size() == cb.size();
            for (size_t k = 0; same && k < ca.size(); ++k)
                same = ca[k].value == cb[k].value;
            if (!same)
                what = L"option values differ";
        }
        if (!what.empty())
            sink.Report({secondPath, b.nLine, FormatW(L"setting %d: %s (%s line %d)", index, what, firstPath, a.nLine)});
    }
}

void LintPages(const CPageMng& pages, const CSheet& sheet, const std::wstring& pageMngPath, CDiagSink& sink)
{
    CPageMng listed;
    listed.LoadMng(pageMngPath, true);
    for (const PageOrderEntry& entry : listed.m_Order)
        if (!pages.FindPage(entry.name))
            sink.Report({pageMngPath, 0, FormatW(L"page '%s' is listed but no page file defines it", entry.name)});

    for (const auto& [name, page] : pages.m_Pages) {
        const std::wstring file = page->folder + kPageFileName;
        for (int o = 0; o < 2; ++o)
            if (!sheet.FindSheet(page->sheetName[o]))
                sink.Report({file, 0, FormatW(L"page '%s': sheet '%s' is not defined, the default sheet is shown",
                                              name, page->sheetName[o])});
        for (const IconEntry& icon : page->icons.entries) {
            if (icon.nAppType == APP_PAGELINK && !pages.FindPage(icon.Path))
                sink.Report({file, 0, FormatW(L"page '%s': '%s' links to the page '%s', which does not exist", name,
                                              icon.Name, icon.Path)});
            const bool fontSpec = IsPanel(icon.nAppType) && icon.Path != L"ACLOCK";
            if (!icon.IconFile.empty() && !fontSpec && !FileExists(icon.IconFile))
                sink.Report({file, 0, FormatW(L"page '%s': image '%s' of '%s' does not exist", name, icon.IconFile,
                                              icon.Name)});
        }
    }
}

void LintInstallation(CDiagSink& sink)
{
    std::vector<std::wstring> cards;
    ResolveFolders(cards);  // InstallDir, before any file is read
    struct Pair {
        const wchar_t* japanese;
        const wchar_t* english;
        int count;
    } pairs[] = {{L"OrvaneSetInfo.ini", L"OrvaneSetInfoEng.ini", Set::Count},
                 {L"AppSetInfo.ini", L"AppSetInfoEng.ini", kAppSettingCount}};
    for (const Pair& p : pairs) {
        CSettingTable ja, en;
        const std::wstring jaPath = InstallDir + p.japanese, enPath = InstallDir + p.english;
        LintDefinitionFile(jaPath, p.count, sink, ja);
        LintDefinitionFile(enPath, p.count, sink, en);
        LintDefinitionPair(ja, jaPath, en, enPath, sink);
    }
    // Reports every file but the definitions. Hidden pages are loaded too:
    // the page order lists them, and a page file defines them.
    CConfiguration config(DEFS_KEYS, &sink, true);
    LintPages(config.pages, *config.sheet, PageMngFilePath(), sink);
}
