// The mount table behind SetDeviceRoot / MountDeviceFolder, shared by both
// halves of FileSys.
#pragma once

#include <string>
#include <vector>

// Splits a device path at '\' and '/' into its non-empty parts.
std::vector<std::wstring> SplitDevicePath(const std::wstring& path);
bool IsDeviceAbsolute(const std::wstring& path);
bool SameNameNoCase(const std::wstring& a, const std::wstring& b);

struct MountMatch {
    bool found = false;
    std::wstring hostFolder;            // host folder of the matching mount
    std::vector<std::wstring> rest;     // device path parts below the mount
};

// The longest mount that holds the device path, if any.
MountMatch FindMount(const std::wstring& devicePath);
void AddMount(const std::wstring& deviceFolder, const std::wstring& hostFolder);
void RemoveAllMounts();

// Windows wildcard match (* and ?), without regard to case; "*.*" matches
// every name, dot or not.
bool MatchWildcard(const std::wstring& pattern, const std::wstring& name);
