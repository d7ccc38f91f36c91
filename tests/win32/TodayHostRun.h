// Helpers of the Today emulator's tests: a Today item key that is gone after
// the test, todayhost.exe as a real process with its stdin and stdout in
// pipes, and the files the test item and the emulator write.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Next to the test program: todayhost.exe, TestItem.dll.
std::wstring BuildFile(const wchar_t* name);

// HKLM\Software\Microsoft\Today\Items\<name>, deleted with its values at the end.
class CTodayItemKey {
public:
    // selectability < 0 leaves the value out; a custom item (Type 4) unless type says otherwise.
    CTodayItemKey(std::wstring name, const std::wstring& dll, int order, int selectability, DWORD enabled = 1,
                  DWORD type = 4);
    ~CTodayItemKey();
    CTodayItemKey(const CTodayItemKey&) = delete;
    CTodayItemKey& operator=(const CTodayItemKey&) = delete;

    void Set(const wchar_t* value, DWORD data) const;
    void Set(const wchar_t* value, const std::wstring& data) const;
    const std::wstring& Name() const { return m_strName; }

private:
    std::wstring m_strName;
};

class CTodayHostRun {
public:
    // args: the command line after the program's name.
    explicit CTodayHostRun(const std::wstring& args);
    ~CTodayHostRun();
    CTodayHostRun(const CTodayHostRun&) = delete;
    CTodayHostRun& operator=(const CTodayHostRun&) = delete;

    bool Started() const { return m_hProcess != nullptr; }
    // Sends a command on stdin and returns its "ok"/"error" line.
    std::string Command(const std::string& line);
    // The next "ok"/"error" line; empty when the output ended.
    std::string Next();
    // Closes stdin, waits for the end; the exit code.
    DWORD Finish();
    // The "log" lines (--log) printed so far, oldest first.
    std::vector<std::string> LogLines();
    HANDLE Process() const { return m_hProcess; }

private:
    void Read();

    HANDLE m_hProcess = nullptr;
    HANDLE m_hInput = nullptr;
    HANDLE m_hOutput = nullptr;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::string> m_lines;
    std::vector<std::string> m_log;
    bool m_bEnded = false;
    std::thread m_reader;
};

// Runs a script file to the end; the "ok"/"error" lines and the exit code.
std::vector<std::string> RunScript(const std::wstring& folder, const std::string& script, const std::wstring& options,
                                   DWORD* exitCode = nullptr);

std::vector<std::string> ReadLines(const std::wstring& path);
// The lines that begin with one of the words after the item's name.
std::vector<std::string> Only(const std::vector<std::string>& lines, const std::vector<std::string>& words);

struct CShot {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> px;  // 0x00RRGGBB
    std::uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};
bool ReadPng(const std::wstring& path, CShot& shot);
// A 24-bit BMP whose pixel (x, y) has the colour PositionColour(x, y).
bool WritePositionBmp(const std::wstring& path, int width, int height);
std::uint32_t PositionColour(int x, int y);
