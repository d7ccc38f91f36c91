// Files and folders as the device sees them.
//
// Paths in the program are device paths: "\Program Files\Orvane\Orvane.ini".
// On the device and in the installed Wine prefix they are used as they are. A
// device root or mounted folders redirect them into host folders, so that
// tests and tools never touch the real root:
//  - SetDeviceRoot(host) makes host stand for "\";
//  - MountDeviceFolder(dev, host) makes host stand for the device folder dev
//    (the longest matching mount wins).
// Natively, names are matched without regard to case, as the device does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum : std::uint32_t {
    FILE_ATTR_READONLY = 0x01,
    FILE_ATTR_HIDDEN = 0x02,
    FILE_ATTR_SYSTEM = 0x04,
    FILE_ATTR_DIRECTORY = 0x10,
    FILE_ATTR_ARCHIVE = 0x20,
    FILE_ATTR_REPARSE_POINT = 0x400,  // a link: its target may lie anywhere
};

class CFile {
public:
    enum : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeCreate = 0x1000,
    };

    CFile() = default;
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead opens an existing file; modeCreate | modeWrite creates or
    // truncates one. Returns false on failure.
    bool Open(const std::wstring& path, unsigned mode);
    // Bytes read (0 at the end of the file), or -1 on a read error.
    int Read(void* buffer, int count);
    // True only when every byte was written.
    bool Write(const void* buffer, int count);
    // Closing a written file reports whether its data reached the file.
    bool Close();
    bool IsOpen() const;
    const std::wstring& GetFilePath() const { return m_strPath; }

private:
    std::intptr_t m_hFile = -1;
    std::wstring m_strPath;
};

struct FindEntry {
    std::wstring name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;       // bytes; 0 for a folder
    std::uint64_t writeTime = 0;  // last write, 100 ns ticks since 1601 as the file system keeps it
};

// True when FindFirstFileExW finds the path (a file or a folder; wildcards in
// the last part match as they do there).
bool FileExists(const std::wstring& path);
// Every entry that matches the pattern (folder + name pattern with * and ?),
// with its attribute word, as FindFirstFileExW / FindNextFileW report them.
std::vector<FindEntry> FindEntries(const std::wstring& pattern);
// Replaces target by source in one step; false leaves target as it was.
bool ReplaceWithFile(const std::wstring& source, const std::wstring& target);
bool RemoveFile(const std::wstring& path);
bool MakeFolder(const std::wstring& path);

void SetDeviceRoot(const std::wstring& hostFolder);
void MountDeviceFolder(const std::wstring& deviceFolder, const std::wstring& hostFolder);
void ClearDeviceMounts();
// The host path that a device path stands for (wide; natively a '/' path).
std::wstring MapDevicePath(const std::wstring& devicePath);
