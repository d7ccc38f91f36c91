// orvcfg: shows and checks an Orvane installation folder with the product's
// own loaders.
//
//   orvcfg dump FOLDER   folders, the settings by index, exclusions, environments
//   orvcfg lint FOLDER   every line a loader skipped or cut, as file:line: reason;
//                        exit status 1 when there was any
//
// FOLDER is the installation folder. With --root DIR instead, DIR is the whole
// device (its "\Program Files\Orvane" and cards declared in ORVANE_MEMCARDS).
#include "CodePage.h"
#include "ToolDevice.h"
#include "base/Diagnostics.h"
#include "base/Format.h"
#include "DumpModel.h"
#include "config/ConfigLint.h"
#include "config/ConfigLoad.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Sheet.h"
#include "config/Folders.h"
#include "config/Setting.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& text)
{
    const std::string bytes = WideToUtf8(text + L"\n");
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

std::wstring OrNone(const std::wstring& s) { return s.empty() ? L"(none)" : s; }

void PrintList(const wchar_t* title, const std::vector<std::wstring>& items)
{
    Print(title);
    if (items.empty())
        Print(L"  (none)");
    for (const std::wstring& item : items)
        Print(L"  " + item);
}

int Dump()
{
    CConfiguration config(DEFS_FULL);
    const CSetting& setting = config.setting;
    const int loaded = config.loaded;
    LanguageMode = setting.GetNum(Set::LanguageMode);

    Print(L"Folders");
    Print(FormatW(L"  %-14s%s", L"InstallDir", InstallDir));
    Print(FormatW(L"  %-14s%s", L"SiblingDir", OrNone(SiblingDir)));
    Print(FormatW(L"  %-14s%s", L"MainFolder", MainFolder(setting.GetNum(Set::UseSiblingFiles))));
    Print(FormatW(L"  %-14s%s", L"Definitions", DefinitionFileName()));
    Print(FormatW(L"  %-14s%s", L"SettingFile", loaded ? setting.SettingFilePath() : L"(cannot be opened)"));
    Print(FormatW(L"  %-14s%d", L"LanguageMode", LanguageMode));
    PrintList(L"MemCards", setting.MemCards);
    PrintList(L"AddPaths", AddPaths);

    Print(FormatW(L"Settings (%d)", setting.Count()));
    for (int i = 0; i < setting.Count(); ++i) {
        const SettingDef* def = setting.Def(i);
        Print(FormatW(L"  %2d %-18s= %s", i, def ? def->key : L"", setting.GetText(i)));
    }
    PrintList(L"Exclusions", setting.m_Exclusions);

    Print(L"Environments");
    const std::vector<Environment> envs = EnumEnvironments(setting.MemCards);
    if (envs.empty())
        Print(L"  (none)");
    for (const Environment& e : envs)
        Print(FormatW(L"  %-20s%s%s", e.name, e.folder,
                      std::find(AddPaths.begin(), AddPaths.end(), e.folder) != AddPaths.end() ? L"  (in use)" : L""));

    DumpMotions(config.motions, Print);
    DumpFrames(*config.sheet, Print);
    DumpSheets(*config.sheet, config.motions, Print);
    DumpPages(config.pages, Print);
    return 0;
}

int Lint(const CToolDevice& device)
{
    CDiagList diags;
    LintInstallation(diags);
    for (const Diagnostic& d : diags.Items())
        Print(FormatW(L"%s:%d: %s", device.ShowPath(d.file), d.line, d.reason));
    return diags.Empty() ? 0 : 1;
}

int Usage()
{
    Print(L"usage: orvcfg dump|lint FOLDER\n       orvcfg dump|lint --root DEVICE-ROOT");
    return 2;
}

int Run(const std::vector<std::wstring>& args)
{
    if (args.size() < 3)
        return Usage();
    const std::wstring& command = args[1];
    std::wstring folder, root;
    if (args[2] == L"--root" && args.size() == 4)
        root = args[3];
    else if (args.size() == 3)
        folder = args[2];
    else
        return Usage();
    if (command != L"dump" && command != L"lint")
        return Usage();
    CToolDevice device(folder, root);
    if (!device.Ok()) {
        Print(L"orvcfg: no such folder: " + (root.empty() ? folder : root));
        return 2;
    }
    return command == L"dump" ? Dump() : Lint(device);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv)
{
    return Run(std::vector<std::wstring>(argv, argv + argc));
}
#else
int main(int argc, char** argv)
{
    std::vector<std::wstring> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(Utf8ToWide(argv[i]));
    return Run(args);
}
#endif
