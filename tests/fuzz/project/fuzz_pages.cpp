// Any "PageMng.ini" with a main and an extra "Page.ini" (the input split at
// NUL bytes): loading, finishing the order and writing back never crash; the
// task page exists with one icon per slot of its sheet, and every order entry
// names a loaded page, after a reload of the written files too. Read as the
// settings program reads them, the written files give back what was read.
#include "FileSys.h"
#include "FuzzDevice.h"
#include "config/Folders.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::wstring kMain = L"\\Program Files\\Orvane\\";
const std::wstring kExtra = L"\\Program Files\\Orvane\\Extra\\";

struct World {
    std::unique_ptr<CSetting> setting;
    CMotionTable motions;
    std::unique_ptr<CSheet> sheets;
};

void WriteText(const std::wstring& path, const std::string& text)
{
    WriteFuzzFile(path, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

World& TheWorld()
{
    static World* world = [] {
        auto* w = new World;
        std::string defs;
        for (int i = 0; i < Set::Count; ++i)
            defs += "S" + std::to_string(i) + "=0," + std::to_string(i == 3 || i == 4 ? 480 : 50) +
                    ",L,INT,0;9999;1;1,H\r\n";
        WriteText(kMain + L"OrvaneSetInfoEng.ini", defs);
        WriteText(kMain + L"OrvaneSetInfo.ini", defs);
        // A task sheet with more task slots than there are task types.
        std::string sheet = "[SHEET_DEF]\r\n[S_MANY]\r\n010,010,0,0,DMOV_IN,DMOV_OUT,F_DEF,48\r\n;CR\r\n";
        for (int i = 0; i < 40; ++i)
            sheet += std::to_string(10 + i * 10) + ",100,0,0,DMOV_IN,DMOV_OUT,F_DEF,48\r\n";
        WriteText(kMain + L"TskSheet.ini", sheet);
        MakeFolder(kExtra);
        w->setting = std::make_unique<CSetting>();
        w->setting->Load();
        w->motions.InitDefaultMotions();
        w->sheets = std::make_unique<CSheet>(*w->setting, w->motions);
        w->sheets->LoadSheetFile(kMain + L"TskSheet.ini", SHEET_TASK);
        return w;
    }();
    return *world;
}

void Load(CPageMng& mng, const CSheet& sheets, bool keepHidden)
{
    mng.LoadMng(kMain + kPageMngFileName, keepHidden);
    const bool listed = !mng.m_Order.empty();
    mng.LoadTabInfo(kExtra, kExtra + kPageFileName, 1, sheets, listed);
    mng.LoadTabInfo(kMain, kMain + kPageFileName, 0, sheets, listed);
    mng.FinishPageOrder();
}

void Check(const CPageMng& mng, const CSheet& sheets)
{
    const CPageInfo* task = mng.FindPage(kTaskPageName);
    if (!task)
        std::abort();
    const SheetDef* sheet = sheets.FindSheet(task->sheetName[ORIENT_PORTRAIT]);
    if (!sheet || task->icons.entries.size() != sheet->slots.size())
        std::abort();
    for (size_t i = 0; i < mng.m_Order.size(); ++i) {
        // A name listed twice is found at its first place.
        const int first = mng.OrderIndexOf(mng.m_Order[i].name);
        if (!mng.PageAt(i) || first < 0 || first > static_cast<int>(i))
            std::abort();
    }
    for (const auto& [name, page] : mng.m_Pages)
        for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE})
            if (page->sheetName[o].size() > kSheetNameMax || page->startSlot[o] > 127)
                std::abort();
}

bool SameIcons(const IconList& a, const IconList& b)
{
    if (a.entries.size() != b.entries.size())
        return false;
    for (size_t i = 0; i < a.entries.size(); ++i) {
        const IconEntry &x = a.entries[i], &y = b.entries[i];
        if (x.nAppType != y.nAppType || x.RegMode != y.RegMode || x.RegRoot != y.RegRoot || x.Name != y.Name ||
            x.Path != y.Path || x.Args != y.Args || x.IconFile != y.IconFile || x.RegKey != y.RegKey ||
            x.RegValue != y.RegValue)
            return false;
    }
    return true;
}

// The same comment texts in the same places from the header on; one whose
// line was gone is read back after the page's last line. (The comments
// above a header are left out: above the first page written to a file they
// read back as the file's opening comments, which the settings program
// keeps apart.)
bool SameComments(const CPageInfo& a, const CPageInfo& b)
{
    const int lines = 2 + static_cast<int>(a.icons.entries.size());
    std::vector<std::pair<int, std::wstring>> x, y;
    for (const PageComment& c : a.comments)
        if (c.before >= 0)
            x.emplace_back(std::min(c.before, lines), c.text);
    for (const PageComment& c : b.comments)
        if (c.before >= 0)
            y.emplace_back(c.before, c.text);
    return x == y;
}

// What the settings program read is what it reads again after a Save.
bool SameCollection(const CPageMng& a, const CPageMng& b)
{
    if (a.m_Pages.size() != b.m_Pages.size() || a.m_Order.size() != b.m_Order.size())
        return false;
    for (size_t i = 0; i < a.m_Order.size(); ++i)
        if (a.m_Order[i].name != b.m_Order[i].name || a.m_Order[i].shown != b.m_Order[i].shown)
            return false;
    for (const auto& [name, page] : a.m_Pages) {
        const CPageInfo* other = b.FindPage(name);
        if (!other || other->group != page->group || !SameIcons(page->icons, other->icons) ||
            !SameComments(*page, *other))
            return false;
        for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE})
            if (page->sheetName[o] != other->sheetName[o] || page->startSlot[o] != other->startSlot[o] ||
                page->extra[o] != other->extra[o])
                return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    World& w = TheWorld();
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && parts.size() < 3)
            parts.emplace_back();
        else
            parts.back() += static_cast<char>(data[i]);
    }
    parts.resize(3);
    const bool keepHidden = size > 0 && (data[0] & 1);
    WriteText(kMain + kPageMngFileName, parts[0]);
    WriteText(kMain + kPageFileName, parts[1]);
    WriteText(kExtra + kPageFileName, parts[2]);

    CPageMng first;
    Load(first, *w.sheets, keepHidden);
    Check(first, *w.sheets);

    first.WriteMng(kMain + kPageMngFileName);
    first.WritePages(kMain + kPageFileName, 0);
    first.WritePages(kExtra + kPageFileName, 1);
    CPageMng second;
    Load(second, *w.sheets, true);
    Check(second, *w.sheets);
    if (keepHidden && !SameCollection(first, second))
        std::abort();
    return 0;
}
