#include "FileSys.h"

#include "DeviceMounts.h"

#include <windows.h>

#include <algorithm>

namespace {

HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

CFile::~CFile() { Close(); }

bool CFile::Open(const std::wstring& path, unsigned mode)
{
    Close();
    const std::wstring host = MapDevicePath(path);
    HANDLE h;
    if (mode & modeWrite)
        h = ::CreateFileW(host.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          (mode & modeCreate) ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    else
        h = ::CreateFileW(host.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    m_hFile = reinterpret_cast<std::intptr_t>(h);
    m_strPath = path;
    return true;
}

int CFile::Read(void* buffer, int count)
{
    if (!IsOpen() || count < 0)
        return -1;
    DWORD got = 0;
    if (!::ReadFile(AsHandle(m_hFile), buffer, static_cast<DWORD>(count), &got, nullptr))
        return -1;
    return static_cast<int>(got);
}

bool CFile::Write(const void* buffer, int count)
{
    if (!IsOpen() || count < 0)
        return false;
    DWORD written = 0;
    // A short write (a full card) is a failure as much as an error is.
    return ::WriteFile(AsHandle(m_hFile), buffer, static_cast<DWORD>(count), &written, nullptr) &&
           written == static_cast<DWORD>(count);
}

bool CFile::Close()
{
    if (!IsOpen())
        return true;
    BOOL ok = ::CloseHandle(AsHandle(m_hFile));
    m_hFile = -1;
    return ok != FALSE;
}

bool CFile::IsOpen() const { return m_hFile != -1 && m_hFile != 0; }

std::wstring MapDevicePath(const std::wstring& devicePath)
{
    MountMatch m = FindMount(devicePath);
    if (!m.found) {
        // A root-relative path means the current drive. Made whole here, so
        // that calls which do not resolve it themselves (the shell's) get it.
        if (!IsDeviceAbsolute(devicePath) || (devicePath.size() > 1 && devicePath[1] == devicePath[0]))
            return devicePath;
        // The device takes '/' as a separator too; Wine would take a name
        // that starts with one for a path of the Linux root.
        std::wstring path = devicePath;
        std::replace(path.begin(), path.end(), L'/', L'\\');
        wchar_t full[MAX_PATH * 2];
        const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
        return n > 0 && n < MAX_PATH * 2 ? std::wstring(full, n) : path;
    }
    std::wstring host = m.hostFolder;
    for (const std::wstring& part : m.rest) {
        if (host.empty() || (host.back() != L'\\' && host.back() != L'/'))
            host += L'\\';
        host += part;
    }
    return host;
}

bool FileExists(const std::wstring& path)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileExW(MapDevicePath(path).c_str(), FindExInfoStandard, &fd, FindExSearchNameMatch,
                                  nullptr, 0);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(h);
    return true;
}

std::vector<FindEntry> FindEntries(const std::wstring& pattern)
{
    std::vector<FindEntry> entries;
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileExW(MapDevicePath(pattern).c_str(), FindExInfoStandard, &fd, FindExSearchNameMatch,
                                  nullptr, 0);
    if (h == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::uint64_t size = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
        const std::uint64_t time =
            (static_cast<std::uint64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32) | fd.ftLastWriteTime.dwLowDateTime;
        entries.push_back({fd.cFileName, fd.dwFileAttributes, size, time});
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    return entries;
}

bool ReplaceWithFile(const std::wstring& source, const std::wstring& target)
{
    return ::MoveFileExW(MapDevicePath(source).c_str(), MapDevicePath(target).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool RemoveFile(const std::wstring& path) { return ::DeleteFileW(MapDevicePath(path).c_str()) != FALSE; }

bool MakeFolder(const std::wstring& path) { return ::CreateDirectoryW(MapDevicePath(path).c_str(), nullptr) != FALSE; }

void SetDeviceRoot(const std::wstring& hostFolder) { AddMount(L"\\", hostFolder); }

void MountDeviceFolder(const std::wstring& deviceFolder, const std::wstring& hostFolder)
{
    AddMount(deviceFolder, hostFolder);
}

void ClearDeviceMounts() { RemoveAllMounts(); }
