// The additional environments the user checks on the Env tab, back into
// the folder list the setting file keeps.
#pragma once

#include <string>
#include <vector>

struct EnvRow {
    std::wstring folder;
    bool checked = false;
};

// The new folder list: every folder of the old list that the tab offers no
// row for stays where it was (an environment on a card that is not in the
// device now, or a folder written by hand: the user could not uncheck it);
// a listed folder stays only while its row is checked; checked rows not yet
// in the list follow in row order.
std::vector<std::wstring> ApplyEnvRows(const std::vector<std::wstring>& addPaths, const std::vector<EnvRow>& rows);
// Whether the folder is among the list's (exact comparison).
bool IsEnvInUse(const std::vector<std::wstring>& addPaths, const std::wstring& folder);
