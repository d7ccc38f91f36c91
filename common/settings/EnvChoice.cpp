#include "settings/EnvChoice.h"

#include <algorithm>

namespace {

const EnvRow* RowOf(const std::vector<EnvRow>& rows, const std::wstring& folder)
{
    for (const EnvRow& r : rows)
        if (r.folder == folder)
            return &r;
    return nullptr;
}

}  // namespace

bool IsEnvInUse(const std::vector<std::wstring>& addPaths, const std::wstring& folder)
{
    return std::find(addPaths.begin(), addPaths.end(), folder) != addPaths.end();
}

std::vector<std::wstring> ApplyEnvRows(const std::vector<std::wstring>& addPaths, const std::vector<EnvRow>& rows)
{
    std::vector<std::wstring> kept;
    for (const std::wstring& folder : addPaths) {
        const EnvRow* row = RowOf(rows, folder);
        if ((!row || row->checked) && !IsEnvInUse(kept, folder))
            kept.push_back(folder);
    }
    for (const EnvRow& r : rows)
        if (r.checked && !IsEnvInUse(kept, r.folder))
            kept.push_back(r.folder);
    return kept;
}
