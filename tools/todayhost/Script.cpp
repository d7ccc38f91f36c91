#include "Script.h"

#include "Output.h"
#include "TodayScreen.h"

#include <memory>
#include <thread>

namespace {

constexpr UINT kResume = WM_APP + 1;
constexpr UINT kLine = WM_APP + 2;  // lParam: new std::wstring, null at the end of the input
constexpr UINT_PTR kStepTimer = 1;
// How often a command waits behind messages posted before it; a window that
// keeps posting to itself must not stall the script.
constexpr int kMaxSettle = 64;

void PostLine(HWND window, std::wstring* line)
{
    if (!::PostMessageW(window, kLine, 0, reinterpret_cast<LPARAM>(line)))
        delete line;
}

void ReadLines(HWND window)
{
    HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    while (input && input != INVALID_HANDLE_VALUE && ::ReadFile(input, buffer, sizeof(buffer), &got, nullptr) &&
           got > 0) {
        pending.append(buffer, got);
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            std::string line = pending.substr(0, end);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            PostLine(window, new std::wstring(FromUtf8(line)));
        }
    }
    if (!pending.empty())
        PostLine(window, new std::wstring(FromUtf8(pending)));
    ::PostMessageW(window, kLine, 0, 0);
}

}  // namespace

CScript::CScript(CTodayScreen& screen, bool keepOpen) : m_screen(screen), m_pointer(screen), m_bKeepOpen(keepOpen)
{
}

bool CScript::Create()
{
    const RECT none = {0, 0, 0, 0};
    return CreateBase(L"TodayHostScript", L"", 0, none, HWND_MESSAGE);
}

bool CScript::LoadFile(const std::wstring& path, std::wstring& error)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = L"cannot open the script " + path;
        return false;
    }
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    for (size_t start = 0; start <= bytes.size();) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        m_lines.push_back(FromUtf8(line));
        start = end + 1;
    }
    m_bInputDone = true;
    return true;
}

void CScript::ReadStdin()
{
    std::thread(ReadLines, Hwnd()).detach();  // blocks in ReadFile; ends with the process at the latest
}

void CScript::Start() { Schedule(0); }

LRESULT CScript::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case kResume:
        Resume();
        return 0;
    case WM_TIMER:
        if (wParam == kStepTimer) {
            ::KillTimer(Hwnd(), kStepTimer);
            Resume();
        }
        return 0;
    case kLine: {
        std::unique_ptr<std::wstring> line(reinterpret_cast<std::wstring*>(lParam));
        if (line)
            m_lines.push_back(std::move(*line));
        else
            m_bInputDone = true;
        if (m_bWaitingForInput) {
            m_bWaitingForInput = false;
            NextCommand();
        }
        return 0;
    }
    }
    return CWindowBase::HandleMessage(msg, wParam, lParam);
}

bool CScript::Settling()
{
    if ((HIWORD(::GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE) && m_nSettle < kMaxSettle) {
        ++m_nSettle;
        ::PostMessageW(Hwnd(), kResume, 0, 0);  // behind what is queued now
        return true;
    }
    m_nSettle = 0;
    return false;
}

void CScript::Resume()
{
    if (m_bEnded)
        return;
    if (m_bPlaying && m_nNextStep < m_steps.size()) {
        const std::function<void()> run = m_steps[m_nNextStep++].run;
        run();
        Schedule(m_nNextStep < m_steps.size() ? m_steps[m_nNextStep].delayMs : 0);
        return;
    }
    if (Settling())
        return;
    if (m_bPlaying) {
        m_bPlaying = false;
        m_steps.clear();
        if (m_strStepError.empty())
            Ok(m_strOk);
        else
            Fail(m_strStepError);
        return;
    }
    NextCommand();
}

void CScript::NextCommand()
{
    while (!m_lines.empty()) {
        std::wstring line = std::move(m_lines.front());
        m_lines.pop_front();
        ++m_nLine;
        const size_t first = line.find_first_not_of(L" \t");
        if (first == std::wstring::npos || line[first] == L'#')
            continue;
        Run(line.substr(first));
        return;
    }
    if (!m_bInputDone) {
        m_bWaitingForInput = true;
        return;
    }
    m_bEnded = true;
    if (!m_bKeepOpen)
        ::DestroyWindow(m_screen.Hwnd());
}

void CScript::Ok(const std::wstring& text)
{
    Say(L"ok " + text);
    Schedule(0);
}

void CScript::Fail(const std::wstring& text)
{
    ++m_nErrors;
    Say(L"error line " + std::to_wstring(m_nLine) + L" '" + m_strCommand + L"': " + text);
    Schedule(0);
}

void CScript::Play(std::vector<CStep> steps, const std::wstring& text)
{
    m_steps = std::move(steps);
    m_nNextStep = 0;
    m_bPlaying = true;
    m_strOk = text;
    m_strStepError.clear();
    Schedule(m_steps.empty() ? 0 : m_steps.front().delayMs);
}

void CScript::Schedule(UINT delayMs)
{
    if (delayMs == 0)
        ::PostMessageW(Hwnd(), kResume, 0, 0);
    else
        ::SetTimer(Hwnd(), kStepTimer, delayMs, nullptr);
}
