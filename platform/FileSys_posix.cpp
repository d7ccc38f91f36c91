// Native stand-in for the device's file system: device paths are mapped into
// host folders (see FileSys.h) and names are matched without regard to case.
#include "FileSys.h"

#include "CodePage.h"
#include "DeviceMounts.h"

#include <algorithm>
#include <cerrno>
#include <cwctype>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

std::string HostBytes(const std::wstring& hostPath) { return WideToUtf8(hostPath); }

bool HostExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// The entry of folder whose name equals part without regard to case, or part
// itself when there is none (a name about to be created).
std::string ResolvePart(const std::string& folder, const std::wstring& part)
{
    std::string exact = WideToUtf8(part);
    if (HostExists(folder + "/" + exact))
        return exact;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return exact;
    std::string found = exact;
    while (dirent* e = ::readdir(dir)) {
        if (SameNameNoCase(Utf8ToWide(e->d_name), part)) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string ResolveParts(std::string base, const std::vector<std::wstring>& parts)
{
    for (const std::wstring& p : parts)
        base = base + "/" + ResolvePart(base, p);
    return base;
}

std::uint32_t DosAttributeBits(const std::string& path)
{
    char value[32] = {};
    ssize_t n = ::getxattr(path.c_str(), "user.DOSATTRIB", value, sizeof(value) - 1);
    if (n <= 0)
        return 0;
    value[n] = 0;
    return static_cast<std::uint32_t>(std::strtoul(value, nullptr, 0)) & (FILE_ATTR_HIDDEN | FILE_ATTR_SYSTEM);
}

// 100 ns ticks from 1601 to 1970, the file system's epoch and the host's.
constexpr std::uint64_t kTicksTo1970 = 116444736000000000ull;

FindEntry EntryOf(const std::string& path, const std::string& name)
{
    FindEntry e{Utf8ToWide(name)};
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return e;
    std::uint32_t attr = S_ISDIR(st.st_mode) ? FILE_ATTR_DIRECTORY : FILE_ATTR_ARCHIVE;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attr |= FILE_ATTR_READONLY;
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attr |= FILE_ATTR_HIDDEN;  // Wine hides dot files as well
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
        attr |= FILE_ATTR_REPARSE_POINT;
    e.attributes = attr | DosAttributeBits(path);
    e.size = S_ISDIR(st.st_mode) || st.st_size < 0 ? 0 : static_cast<std::uint64_t>(st.st_size);
    if (st.st_mtime >= 0)
        e.writeTime = static_cast<std::uint64_t>(st.st_mtime) * 10000000ull + kTicksTo1970;
    return e;
}

std::wstring FoldedName(const std::wstring& name)
{
    std::wstring folded = name;
    for (wchar_t& c : folded)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    return folded;
}

std::string HostPathOf(const std::wstring& devicePath) { return HostBytes(MapDevicePath(devicePath)); }

}  // namespace

CFile::~CFile() { Close(); }

bool CFile::Open(const std::wstring& path, unsigned mode)
{
    Close();
    const std::string host = HostPathOf(path);
    int fd;
    if (mode & modeWrite)
        fd = ::open(host.c_str(), O_WRONLY | O_CLOEXEC | ((mode & modeCreate) ? O_CREAT | O_TRUNC : 0), 0644);
    else
        fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_hFile = fd;
    m_strPath = path;
    return true;
}

int CFile::Read(void* buffer, int count)
{
    if (m_hFile < 0 || count < 0)
        return -1;
    for (;;) {
        ssize_t n = ::read(static_cast<int>(m_hFile), buffer, static_cast<size_t>(count));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno != EINTR)
            return -1;
    }
}

bool CFile::Write(const void* buffer, int count)
{
    if (m_hFile < 0 || count < 0)
        return false;
    const char* p = static_cast<const char*>(buffer);
    size_t left = static_cast<size_t>(count);
    while (left > 0) {
        ssize_t n = ::write(static_cast<int>(m_hFile), p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

bool CFile::Close()
{
    if (m_hFile < 0)
        return true;
    int rc = ::close(static_cast<int>(m_hFile));
    m_hFile = -1;
    return rc == 0;
}

bool CFile::IsOpen() const { return m_hFile >= 0; }

std::wstring MapDevicePath(const std::wstring& devicePath)
{
    MountMatch m = FindMount(devicePath);
    std::string base;
    std::vector<std::wstring> rest;
    if (m.found) {
        base = WideToUtf8(m.hostFolder);
        rest = m.rest;
    } else {
        // Like a root-relative path on the current drive: stay below the
        // current folder, never on the host's own root.
        base = ".";
        rest = SplitDevicePath(devicePath);
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return Utf8ToWide(ResolveParts(base, rest));
}

bool FileExists(const std::wstring& path)
{
    const std::vector<std::wstring> parts = SplitDevicePath(path);
    if (!parts.empty() && parts.back().find_first_of(L"*?") != std::wstring::npos)
        return !FindEntries(path).empty();
    return HostExists(HostPathOf(path));
}

std::vector<FindEntry> FindEntries(const std::wstring& pattern)
{
    std::vector<FindEntry> entries;
    const size_t cut = pattern.find_last_of(L"\\/");
    const std::wstring folder = cut == std::wstring::npos ? std::wstring() : pattern.substr(0, cut + 1);
    const std::wstring namePattern = cut == std::wstring::npos ? pattern : pattern.substr(cut + 1);
    if (namePattern.empty())
        return entries;
    const std::string host = HostPathOf(folder.empty() ? L"." : folder);
    DIR* dir = ::opendir(host.c_str());
    if (!dir)
        return entries;
    const bool atRoot = SplitDevicePath(folder).empty() && IsDeviceAbsolute(folder);
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (atRoot && (name == "." || name == ".."))
            continue;
        if (!MatchWildcard(namePattern, Utf8ToWide(name)))
            continue;
        entries.push_back(EntryOf(host + "/" + name, name));
    }
    ::closedir(dir);
    // Folders list in name order, as on the device's file systems.
    std::sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
        return FoldedName(a.name) < FoldedName(b.name);
    });
    return entries;
}

bool ReplaceWithFile(const std::wstring& source, const std::wstring& target)
{
    return ::rename(HostPathOf(source).c_str(), HostPathOf(target).c_str()) == 0;
}

bool RemoveFile(const std::wstring& path) { return ::unlink(HostPathOf(path).c_str()) == 0; }

bool MakeFolder(const std::wstring& path) { return ::mkdir(HostPathOf(path).c_str(), 0755) == 0; }

void SetDeviceRoot(const std::wstring& hostFolder) { AddMount(L"\\", hostFolder); }

void MountDeviceFolder(const std::wstring& deviceFolder, const std::wstring& hostFolder)
{
    AddMount(deviceFolder, hostFolder);
}

void ClearDeviceMounts() { RemoveAllMounts(); }
