// Checks an installation folder with the loaders themselves: every line a
// loader skips or cuts, and every definition that the settings program could
// not edit, goes to the sink. orvcfg lint and the tests of the shipped
// sample use it.
#pragma once

#include "base/Diagnostics.h"
#include "config/SettingTable.h"

// Parses a definition file in full and checks each definition against its
// editor: kinds, parameters, defaults within range. The table receives the
// definitions.
void LintDefinitionFile(const std::wstring& path, int maxCount, CDiagSink& sink, CSettingTable& table);

// The two language variants of one definition file must agree on keys,
// kinds, defaults, editors and option values; differences are reported
// against the second file.
void LintDefinitionPair(const CSettingTable& first, const std::wstring& firstPath, const CSettingTable& second,
                        const std::wstring& secondPath, CDiagSink& sink);

class CPageMng;
class CSheet;

// What loads but cannot work: listed pages no file defines, sheets no file
// defines, page links to missing pages, image files that do not exist.
void LintPages(const CPageMng& pages, const CSheet& sheet, const std::wstring& pageMngPath, CDiagSink& sink);

// Resolves the folders and checks every configuration file of InstallDir.
void LintInstallation(CDiagSink& sink);
