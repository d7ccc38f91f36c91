#include "DeviceMounts.h"

#include <cwctype>
#include <mutex>

namespace {

struct Mount {
    std::vector<std::wstring> parts;
    std::wstring host;
};

std::mutex g_mountLock;
std::vector<Mount> g_mounts;

wchar_t FoldCase(wchar_t c)
{
    return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

bool MatchFrom(const std::wstring& p, size_t i, const std::wstring& n, size_t j)
{
    while (i < p.size()) {
        if (p[i] == L'*') {
            while (i < p.size() && p[i] == L'*')
                ++i;
            if (i == p.size())
                return true;
            for (size_t k = j; k <= n.size(); ++k)
                if (MatchFrom(p, i, n, k))
                    return true;
            return false;
        }
        if (j == n.size())
            return false;
        if (p[i] != L'?' && FoldCase(p[i]) != FoldCase(n[j]))
            return false;
        ++i;
        ++j;
    }
    return j == n.size();
}

}  // namespace

std::vector<std::wstring> SplitDevicePath(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring cur;
    for (wchar_t c : path) {
        if (c == L'\\' || c == L'/') {
            if (!cur.empty())
                parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    return parts;
}

bool IsDeviceAbsolute(const std::wstring& path)
{
    return !path.empty() && (path[0] == L'\\' || path[0] == L'/');
}

bool SameNameNoCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

MountMatch FindMount(const std::wstring& devicePath)
{
    MountMatch best;
    if (!IsDeviceAbsolute(devicePath) || (devicePath.size() > 1 && devicePath[1] == devicePath[0]))
        return best;  // relative, or a UNC name: not a device path
    const std::vector<std::wstring> parts = SplitDevicePath(devicePath);
    std::lock_guard<std::mutex> lock(g_mountLock);
    size_t bestLen = 0;
    for (const Mount& m : g_mounts) {
        if (m.parts.size() > parts.size() || (best.found && m.parts.size() <= bestLen))
            continue;
        bool match = true;
        for (size_t i = 0; i < m.parts.size() && match; ++i)
            match = SameNameNoCase(m.parts[i], parts[i]);
        if (!match)
            continue;
        best.found = true;
        bestLen = m.parts.size();
        best.hostFolder = m.host;
        best.rest.assign(parts.begin() + static_cast<std::ptrdiff_t>(bestLen), parts.end());
    }
    return best;
}

void AddMount(const std::wstring& deviceFolder, const std::wstring& hostFolder)
{
    std::lock_guard<std::mutex> lock(g_mountLock);
    std::vector<std::wstring> parts = SplitDevicePath(deviceFolder);
    for (Mount& m : g_mounts) {
        if (m.parts.size() != parts.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < parts.size() && same; ++i)
            same = SameNameNoCase(m.parts[i], parts[i]);
        if (same) {
            m.host = hostFolder;
            return;
        }
    }
    g_mounts.push_back({std::move(parts), hostFolder});
}

void RemoveAllMounts()
{
    std::lock_guard<std::mutex> lock(g_mountLock);
    g_mounts.clear();
}

bool MatchWildcard(const std::wstring& pattern, const std::wstring& name)
{
    if (pattern == L"*.*")
        return true;
    return MatchFrom(pattern, 0, name, 0);
}
