#include "TodayHostRun.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <fstream>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kItems[] = L"Software\\Microsoft\\Today\\Items\\";
constexpr DWORD kGuardMs = 60000;  // only against a hang; never reached when all is well

bool IsResult(const std::string& line) { return line.rfind("ok ", 0) == 0 || line.rfind("error ", 0) == 0; }

}  // namespace

std::wstring BuildFile(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + name;
}

CTodayItemKey::CTodayItemKey(std::wstring name, const std::wstring& dll, int order, int selectability, DWORD enabled,
                             DWORD type)
    : m_strName(std::move(name))
{
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kItems + m_strName).c_str());
    Set(L"DLL", dll);
    Set(L"Type", type);
    Set(L"Enabled", enabled);
    if (order >= 0)
        Set(L"Order", static_cast<DWORD>(order));
    if (selectability >= 0)
        Set(L"Selectability", static_cast<DWORD>(selectability));
}

CTodayItemKey::~CTodayItemKey() { ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kItems + m_strName).c_str()); }

void CTodayItemKey::Set(const wchar_t* value, DWORD data) const
{
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kItems + m_strName).c_str(), value, REG_DWORD, &data, sizeof(data));
}

void CTodayItemKey::Set(const wchar_t* value, const std::wstring& data) const
{
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, (kItems + m_strName).c_str(), value, REG_SZ, data.c_str(),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

CTodayHostRun::CTodayHostRun(const std::wstring& args)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr;
    if (!::CreatePipe(&childIn, &m_hInput, &inherit, 0) || !::CreatePipe(&m_hOutput, &childOut, &inherit, 0))
        return;
    ::SetHandleInformation(m_hInput, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(m_hOutput, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = childIn;
    si.hStdOutput = childOut;
    si.hStdError = childOut;
    PROCESS_INFORMATION pi = {};
    std::wstring line = L"\"" + BuildFile(L"todayhost.exe") + L"\" " + args;
    if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        m_hProcess = pi.hProcess;
        ::CloseHandle(pi.hThread);
    }
    ::CloseHandle(childIn);
    ::CloseHandle(childOut);  // the reader sees the end when the child's copy closes
    m_reader = std::thread([this] { Read(); });
}

CTodayHostRun::~CTodayHostRun()
{
    Finish();
    if (m_hProcess && ::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_hProcess, 99);
    if (m_reader.joinable())
        m_reader.join();
    for (HANDLE h : {m_hProcess, m_hOutput})
        if (h)
            ::CloseHandle(h);
}

// Until the process has ended and its output is drained. The end of the pipe
// may never come: Wine's desktop process, started by the first window of a
// session, inherits the emulator's handles and keeps them.
void CTodayHostRun::Read()
{
    std::string pending;
    char buffer[4096];
    for (bool ended = false;;) {
        DWORD available = 0, got = 0;
        if (!::PeekNamedPipe(m_hOutput, nullptr, 0, nullptr, &available, nullptr))
            break;
        if (available == 0) {
            if (ended || !m_hProcess)
                break;
            ended = ::WaitForSingleObject(m_hProcess, 10) == WAIT_OBJECT_0;  // then one more look
            continue;
        }
        if (!::ReadFile(m_hOutput, buffer, std::min<DWORD>(available, sizeof(buffer)), &got, nullptr) || got == 0)
            break;
        pending.append(buffer, got);
        std::lock_guard<std::mutex> guard(m_lock);
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            std::string line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.rfind("log ", 0) == 0)
                m_log.push_back(line);
            m_lines.push_back(line);
        }
        m_changed.notify_all();
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_bEnded = true;
    m_changed.notify_all();
}

std::string CTodayHostRun::Next()
{
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        while (!m_lines.empty()) {
            std::string line = std::move(m_lines.front());
            m_lines.pop_front();
            if (IsResult(line))
                return line;
        }
        if (m_bEnded ||
            !m_changed.wait_for(lock, std::chrono::milliseconds(kGuardMs), [this] { return m_bEnded || !m_lines.empty(); }))
            return "";
    }
}

std::string CTodayHostRun::Command(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    if (!m_hInput || !::WriteFile(m_hInput, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        return "";
    return Next();
}

std::vector<std::string> CTodayHostRun::LogLines()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_log;
}

DWORD CTodayHostRun::Finish()
{
    if (m_hInput) {
        ::CloseHandle(m_hInput);
        m_hInput = nullptr;
    }
    DWORD code = 99;
    if (m_hProcess && ::WaitForSingleObject(m_hProcess, kGuardMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(m_hProcess, &code);
    return code;
}

std::vector<std::string> RunScript(const std::wstring& folder, const std::string& script, const std::wstring& options,
                                   DWORD* exitCode)
{
    const std::wstring path = folder + L"\\script.txt";
    std::ofstream(path.c_str(), std::ios::binary) << script;
    CTodayHostRun run(L"--script \"" + path + L"\" " + options);
    std::vector<std::string> results;
    for (std::string line; !(line = run.Next()).empty();)
        results.push_back(line);
    const DWORD code = run.Finish();
    if (exitCode)
        *exitCode = code;
    return results;
}

std::vector<std::string> ReadLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path.c_str());
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Only(const std::vector<std::string>& lines, const std::vector<std::string>& words)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const size_t blank = line.find(' ');
        const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
        for (const std::string& word : words)
            if (rest.rfind(word + " ", 0) == 0 || rest == word) {
                kept.push_back(line);
                break;
            }
    }
    return kept;
}

namespace {

bool DecodePng(const std::wstring& path, CShot& shot)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT w = 0, h = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), &GUID_ContainerFormatPng, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&w, &h)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    shot.width = static_cast<int>(w);
    shot.height = static_cast<int>(h);
    shot.px.assign(static_cast<size_t>(w) * h, 0);
    if (FAILED(converter->CopyPixels(nullptr, w * 4, w * h * 4, reinterpret_cast<BYTE*>(shot.px.data()))))
        return false;
    for (std::uint32_t& p : shot.px)
        p &= 0x00FFFFFF;
    return true;
}

}  // namespace

bool ReadPng(const std::wstring& path, CShot& shot)
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool read = DecodePng(path, shot);
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return read;
}

std::uint32_t PositionColour(int x, int y)
{
    const auto r = static_cast<std::uint32_t>(x & 0xFF), g = static_cast<std::uint32_t>(y & 0xFF);
    const auto b = static_cast<std::uint32_t>(((x >> 8) << 4) | (y >> 8));
    return (r << 16) | (g << 8) | b;
}

bool WritePositionBmp(const std::wstring& path, int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    std::vector<char> rows(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = PositionColour(x, y);
            char* p = &rows[static_cast<size_t>(y * stride + x * 3)];
            p[0] = static_cast<char>(c & 0xFF);
            p[1] = static_cast<char>((c >> 8) & 0xFF);
            p[2] = static_cast<char>((c >> 16) & 0xFF);
        }
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}
