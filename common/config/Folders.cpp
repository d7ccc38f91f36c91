#include "config/Folders.h"

#include "FileSys.h"
#include "MemCards.h"
#include "System.h"
#include "base/Format.h"
#include "base/Log.h"
#include "base/Strings.h"

std::wstring InstallDir;
std::wstring SiblingDir;
std::vector<std::wstring> AddPaths;
int LanguageMode = 0;

void EnumMemCards(std::vector<std::wstring>& cards)
{
    if (!cards.empty())
        return;
    for (const std::wstring& name : EnumFlashCardNames()) {
        if (name.empty())
            continue;
        cards.push_back(name);
        Log(LogFileName(), L"GetPathMemCard [%s]", name);
    }
    if (cards.empty())
        Log(LogFileName(), L"GetPathMemCard MemoryCard Not Find");
}

bool IsCompleteFolder(const std::wstring& folder, bool bFull)
{
    static const wchar_t* const kFull[] = {L"Motion.ini", L"Sheet.ini", L"OrvaneSet.exe", L"OrvaneSetInfo.ini",
                                           L"OrvaneSetInfoEng.ini"};
    const size_t count = bFull ? 5 : 2;
    const std::wstring base = WithBackslash(folder);
    for (size_t i = 0; i < count; ++i)
        if (!FileExists(base + kFull[i]))
            return false;
    return true;
}

namespace {

// The candidates in order: each card's folder, then main memory's.
std::vector<std::wstring> Candidates(const std::vector<std::wstring>& memCards, const wchar_t* folder)
{
    std::vector<std::wstring> list;
    for (const std::wstring& card : memCards)
        list.push_back(FormatW(L"\\%s%s", card, folder));
    list.emplace_back(folder);
    return list;
}

}  // namespace

void ResolveFolders(std::vector<std::wstring>& memCards)
{
    AddPaths.clear();
    memCards.clear();
    EnumMemCards(memCards);

    const std::vector<std::wstring> installs = Candidates(memCards, kInstallFolder);
    InstallDir = installs.back();
    for (const std::wstring& c : installs) {
        if (IsCompleteFolder(c, true)) {
            InstallDir = c;
            break;
        }
    }
    InstallDir = WithBackslash(InstallDir);

    SiblingDir.clear();
    for (const std::wstring& c : Candidates(memCards, kSiblingFolder)) {
        if (IsCompleteFolder(c, true)) {
            SiblingDir = WithBackslash(c);
            break;
        }
    }
}

bool IsJapanese() { return LanguageMode == 1 || (LanguageMode == 0 && SystemUILanguage() == 0x0411); }

std::wstring DefinitionFileName() { return IsJapanese() ? L"OrvaneSetInfo.ini" : L"OrvaneSetInfoEng.ini"; }

std::wstring AppDefinitionFileName() { return IsJapanese() ? L"AppSetInfo.ini" : L"AppSetInfoEng.ini"; }

std::wstring MainFolder(int useSiblingFiles)
{
    return (useSiblingFiles != 0 && !SiblingDir.empty()) ? SiblingDir : InstallDir;
}

std::vector<Environment> EnumEnvironments(const std::vector<std::wstring>& memCards)
{
    std::vector<Environment> envs;
    for (size_t k = 0; k <= memCards.size(); ++k) {
        const bool onCard = k > 0;
        const std::wstring base =
            WithBackslash(onCard ? FormatW(L"\\%s%s", memCards[k - 1], kEnvironmentFolder) : kEnvironmentFolder);
        for (const FindEntry& e : FindEntries(base + L"QVL*")) {
            if (e.attributes != FILE_ATTR_DIRECTORY)
                continue;  // plain files and folders with further bits are no environments
            const std::wstring folder = FormatW(L"%s%s\\", base, e.name);
            if (!IsCompleteFolder(folder, false))
                continue;
            envs.push_back({folder, onCard ? FormatW(L"%s  [MemCard]", e.name) : e.name});
        }
    }
    return envs;
}
