// Loading the whole configuration after the setting file, in the engine's
// order: motions, sheets, pages. The engine, the settings program and the
// tools all load through these, so they see the same configuration.
#pragma once

#include "base/Diagnostics.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <memory>
#include <string>

// The built-in motions, then the main folder's "Motion.ini", every AddPaths
// entry's, and InstallDir's "TskMotion.ini".
void LoadMotions(CMotionTable& motions, const CSetting& setting, CDiagSink* sink = nullptr);
// The main folder's "Sheet.ini", every AddPaths entry's (normal sheets), and
// InstallDir's "TskSheet.ini" (task sheets).
void LoadSheets(CSheet& sheet, const CSetting& setting, CDiagSink* sink = nullptr);
// "PageMng.ini" from InstallDir, each AddPaths entry's "Page.ini" as group
// 1, 2, …, the main "Page.ini" as group 0, then the order is finished.
// keepHidden keeps hidden order entries (the settings program).
void LoadPages(CPageMng& pages, const CSheet& sheet, const CSetting& setting, bool keepHidden = false,
               CDiagSink* sink = nullptr);

// Full paths of the main page file and the page manager file.
std::wstring MainPageFilePath(const CSetting& setting);
std::wstring PageMngFilePath();

// The whole configuration of the resolved installation, loaded in the
// engine's order for the tools and tests (the engine itself loads step by
// step, with its trace texts and its retries). The sink hears of every file
// but the definition file, which LintDefinitionFile checks more closely.
struct CConfiguration {
    explicit CConfiguration(unsigned defMode = DEFS_KEYS, CDiagSink* sink = nullptr, bool keepHidden = false);

    CSetting setting;
    int loaded = 0;  // the setting file's load result
    CMotionTable motions;
    std::unique_ptr<CSheet> sheet;
    CPageMng pages;
};
