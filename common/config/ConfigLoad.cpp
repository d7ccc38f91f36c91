#include "config/ConfigLoad.h"

#include "config/Folders.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"

namespace {

std::wstring MainFolderOf(const CSetting& setting) { return MainFolder(setting.GetNum(Set::UseSiblingFiles)); }

}  // namespace

void LoadMotions(CMotionTable& motions, const CSetting& setting, CDiagSink* sink)
{
    motions.InitDefaultMotions();
    motions.LoadMotionFile(MainFolderOf(setting) + L"Motion.ini", setting, sink);
    for (const std::wstring& folder : AddPaths)
        motions.LoadMotionFile(folder + L"Motion.ini", setting, sink);
    motions.LoadMotionFile(InstallDir + L"TskMotion.ini", setting, sink);
}

void LoadSheets(CSheet& sheet, const CSetting& setting, CDiagSink* sink)
{
    sheet.LoadSheetFile(MainFolderOf(setting) + L"Sheet.ini", SHEET_NORMAL, sink);
    for (const std::wstring& folder : AddPaths)
        sheet.LoadSheetFile(folder + L"Sheet.ini", SHEET_NORMAL, sink);
    sheet.LoadSheetFile(InstallDir + L"TskSheet.ini", SHEET_TASK, sink);
}

std::wstring MainPageFilePath(const CSetting& setting)
{
    return MainFolderOf(setting) + kPageFileName;
}

std::wstring PageMngFilePath() { return InstallDir + kPageMngFileName; }

void LoadPages(CPageMng& pages, const CSheet& sheet, const CSetting& setting, bool keepHidden, CDiagSink* sink)
{
    pages.LoadMng(PageMngFilePath(), keepHidden, sink);
    const bool listed = !pages.m_Order.empty();
    std::uint16_t group = 1;
    for (const std::wstring& folder : AddPaths)
        pages.LoadTabInfo(folder, folder + kPageFileName, group++, sheet, listed, sink);
    // The main pages belong to the main folder, the sibling's when setting 1
    // says so: their three-backslash images resolve there.
    pages.LoadTabInfo(MainFolderOf(setting), MainPageFilePath(setting), 0, sheet, listed, sink);
    pages.FinishPageOrder();
}

CConfiguration::CConfiguration(unsigned defMode, CDiagSink* sink, bool keepHidden) : setting(defMode, nullptr)
{
    setting.SetDiagSink(sink);
    loaded = setting.Load();
    LoadMotions(motions, setting, sink);
    sheet = std::make_unique<CSheet>(setting, motions);
    LoadSheets(*sheet, setting, sink);
    LoadPages(pages, *sheet, setting, keepHidden, sink);
}
