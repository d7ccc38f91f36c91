// What Save writes: the setting file, the page order file and the page
// files of the configuration as it was loaded, each through its checked,
// atomic save. A failed write leaves that file as it was; files already
// written stay written.
#pragma once

#include "config/Page.h"
#include "config/Setting.h"

#include <cstdint>
#include <string>
#include <vector>

// One page file that Save rewrites.
struct PageFileTarget {
    std::wstring path;
    std::uint16_t group = 0;  // the group its pages were loaded into
    int stopLine = 0;         // where its reading stopped; 0: read to the end
    std::string keptHead;     // the opening comments, written back before the pages
    std::string keptTail;     // the unread bytes, written back after the pages
};

// The main page file (group 0), then each environment folder's "Page.ini"
// in the order they were loaded (groups 1, 2, …; a folder that is not
// there is left out), each with what its reading left unread. Taken when the configuration is loaded: an
// environment checked or unchecked afterwards changes only the setting
// file, so that no folder's page file ever receives another folder's pages.
std::vector<PageFileTarget> LoadedPageFiles(const std::wstring& mainPageFile,
                                            const std::vector<std::wstring>& addPaths);

// Writes everything, attempting every file. A start page equal to
// lastViewed is written empty (start with the page shown last) and shown
// as lastViewed again afterwards. True when every write succeeded.
bool SaveConfiguration(CSetting& setting, const CPageMng& pages, const std::wstring& pageMngFile,
                       const std::vector<PageFileTarget>& pageFiles, const std::wstring& lastViewed);
