#include "settings/SaveConfig.h"

#include "FileSys.h"
#include "config/SettingIndex.h"
#include "settings/PageKeep.h"

namespace {

std::wstring WithoutBackslash(const std::wstring& folder)
{
    return !folder.empty() && folder.back() == L'\\' ? folder.substr(0, folder.size() - 1) : folder;
}

PageFileTarget Target(const std::wstring& path, std::uint16_t group)
{
    PageFileTarget t{path, group, PageFileStopLine(path), {}, {}};
    std::string bytes;
    if (!ReadFileBytes(path, bytes))
        return t;
    t.keptHead = BytesBeforeFirstHeader(bytes);
    // Reading that stopped at the first section stopped at its header,
    // which comes after the comments.
    if (t.stopLine == 1)
        t.keptTail = bytes.substr(t.keptHead.size());
    else if (t.stopLine > 1)
        t.keptTail = BytesFromLine(bytes, t.stopLine);
    return t;
}

}  // namespace

std::vector<PageFileTarget> LoadedPageFiles(const std::wstring& mainPageFile,
                                            const std::vector<std::wstring>& addPaths)
{
    std::vector<PageFileTarget> targets{Target(mainPageFile, 0)};
    std::uint16_t group = 1;
    for (const std::wstring& folder : addPaths) {
        // A folder that is not there (its card taken out) gave no pages
        // and has no file to rewrite.
        if (FileExists(folder + kPageFileName) || FileExists(WithoutBackslash(folder)))
            targets.push_back(Target(folder + kPageFileName, group));
        ++group;
    }
    return targets;
}

bool SaveConfiguration(CSetting& setting, const CPageMng& pages, const std::wstring& pageMngFile,
                       const std::vector<PageFileTarget>& pageFiles, const std::wstring& lastViewed)
{
    const bool lastViewedStart = setting.IsText(Set::FirstPage) && setting.GetStr(Set::FirstPage) == lastViewed;
    if (lastViewedStart)
        setting.SetStr(Set::FirstPage, L"");
    const bool settingOk = setting.Write() != 0;
    if (lastViewedStart)
        setting.SetStr(Set::FirstPage, lastViewed);
    const bool orderOk = pages.WriteMng(pageMngFile) != 0;
    bool pagesOk = true;
    for (const PageFileTarget& t : pageFiles)
        pagesOk = pages.WritePages(t.path, t.group, t.keptHead, t.keptTail) != 0 && pagesOk;
    return settingOk && orderOk && pagesOk;
}
