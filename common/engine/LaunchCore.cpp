// The engine's life cycle: the configuration in its fixed load order, and
// freeing it again.
#include "engine/LaunchCore.h"

#include "System.h"
#include "base/Log.h"
#include "base/Saturate.h"
#include "base/Scan.h"
#include "config/ConfigLoad.h"
#include "config/Folders.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

namespace {

constexpr size_t kFaceNameMax = 31;  // LOGFONT's face field less its terminator

}  // namespace

CLaunchCore::CLaunchCore() = default;

// A derived engine frees its own objects in its destructor: from here its
// overrides are no longer reached.
CLaunchCore::~CLaunchCore() { ExitLnch(); }

void CLaunchCore::Sleep(unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void CLaunchCore::ScreenSize(int& width, int& height) const { GetScreenSize(width, height); }

std::uint32_t CLaunchCore::TickCount() const
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// Without Windows there is no shell to hand anything to.
void CLaunchCore::ShellOpen(const std::wstring&, const std::wstring&) {}

void CLaunchCore::StartPulses(const LedPulses& pulses)
{
    // The process's one vibrator has one queue; it outlives every engine.
    static CPulseQueue queue;
    if (!queue.Add(pulses))
        return;
    std::thread([] {
        PlayQueuedPulses(queue, [](unsigned ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); });
    }).detach();
}

bool CLaunchCore::ScreenIsLandscape() const
{
    int width = 0, height = 0;
    ScreenSize(width, height);
    return width >= height;
}

int CLaunchCore::ItemHeight() const
{
    if (!m_pSetting)
        return 0;
    return m_pSetting->GetNum(ScreenIsLandscape() ? Set::HeightLandscape : Set::HeightPortrait);
}

void CLaunchCore::PublishClientWidth(CLaunchWindow& wnd)
{
    if (!m_pSheet)
        return;
    m_pSheet->m_Area.width = wnd.ClientWidth();
    m_pSheet->m_Area.height = ItemHeight();
}

// ---------------------------------------------------------------------------
// Life cycle

int CLaunchCore::InitLnch()
{
    m_bInit = 0;
    // Window creation runs Start over a live engine without ExitLnch: what
    // the last run made must go before anything new refers to it.
    FreeConfiguration();

    Log(LogFileName(), L"CLaunch::InitLnch() Start");
    Log(LogFileName(), L"CLaunch::InitLnch() Setting Load");
    if (!LoadSetting())
        return 0;
    CopySettings();
    LoadConfiguration();

    RecentRing.fill(nullptr);
    m_nNewest = 0;
    RecentChanged = true;

    Log(LogFileName(), L"CLaunch::InitLnch() Init TaskList");
    ResetTaskList(m_Tasks);
    m_bGestureTaken = 0;

    Log(LogFileName(), L"CLaunch::InitLnch() Plugin");
    ResetPanels();

    Log(LogFileName(), L"CLaunch::InitLnch() Init Etc");
    m_nDrawTime = m_nLastDraw = m_nTotal = m_nCount = 0;
    m_nCurPage = 0;
    m_bPageKeepsActive = 0;

    m_bInit = 1;
    Log(LogFileName(), L"CLaunch::InitLnch() End");
    return 1;
}

int CLaunchCore::LoadSetting()
{
    m_pSetting = std::make_unique<CSetting>(m_bEditor ? DEFS_FULL : DEFS_KEYS);
    // The file may be held by the settings program that is writing it.
    for (int attempt = 0; attempt < kSettingAttempts; ++attempt) {
        if (m_pSetting->Load())
            return 1;
        Sleep(kSettingRetryMs);
    }
    return 0;
}

void CLaunchCore::CopySettings()
{
    CSetting& s = *m_pSetting;
    LanguageMode = s.GetNum(Set::LanguageMode);
    // The plug-in never edits settings: the definitions' texts are dead weight.
    if (!m_bEditor)
        std::vector<SettingDef>().swap(s.m_Defs);

    m_bShowTiming = s.GetNum(Set::ShowTiming);
    m_nFramePeriod = s.GetNum(Set::FramePeriod);
    m_nAnimSpeed = s.GetNum(Set::AnimSpeed);
    TaskInterval = s.GetNum(Set::TaskInterval);
    m_nTextShadow = s.GetNum(Set::TextShadow);
    m_nTaskHoldAction = static_cast<std::uint8_t>(s.GetNum(Set::TaskHoldAction));
    m_nCaptionColor = static_cast<std::uint32_t>(s.GetNum(Set::CaptionColor));

    CaptionFontSpec font;
    ScanW(s.GetStr(Set::CaptionFont), L"%d;%[^\n]", {&font.sizeTenths, &font.face});
    if (font.face.size() > kFaceNameMax)
        font.face.resize(kFaceNameMax);
    font.clearType = s.GetNum(Set::ClearType) != 0;
    m_CaptionFont = font;
    MakeCaptionFont(m_CaptionFont);

    m_nCaptionHeight = 0;
    m_nCaptionMode = static_cast<std::uint8_t>(s.GetNum(Set::CaptionMode));

    // 16 reference pixels on the actual screen, rounded up.
    const long long ref = s.m_nSetting3, side = s.m_nShortSide;
    const long long threshold = ref <= 0 ? 16 : (ref + 16 * side - 1) / ref;
    DragThreshold = ClampInt(threshold);
}

void CLaunchCore::LoadConfiguration()
{
    const CSetting& s = *m_pSetting;
    Log(LogFileName(), L"CLaunch::InitLnch() Motion Load");
    m_pMotions = std::make_unique<CMotionTable>();
    LoadMotions(*m_pMotions, s);

    Log(LogFileName(), L"CLaunch::InitLnch() Sheet Load");
    m_pSheet = std::make_unique<CSheet>(s, *m_pMotions);
    LoadSheets(*m_pSheet, s);

    Log(LogFileName(), L"CLaunch::InitLnch() Page Load");
    m_pPages = std::make_unique<CPageMng>();
    m_strPageMngFile = PageMngFilePath();
    m_strPageFile = MainPageFilePath(s);
    LoadPages(*m_pPages, *m_pSheet, s, m_bEditor);
}

int CLaunchCore::ExitLnch()
{
    Log(LogFileName(), L"CLaunch::ExitLnch() Start");
    m_bInit = 0;
    FreeConfiguration();
    Log(LogFileName(), L"CLaunch::ExitLnch() End");
    return 1;
}

void CLaunchCore::FreeConfiguration()
{
    // The ring and the touched record point into the pages.
    RecentRing.fill(nullptr);
    m_pTouched = nullptr;
    m_MenuTask = {};
    // The task page's saved slots belong to the sheets that go now.
    ForgetTaskSheet(m_TaskLayout);
    ResetPanels();
    DeleteSurfaces();
    if (m_pPages) {
        m_pPages->FreePages();
        m_pPages.reset();
    }
    // The sheet refers to the motions and the setting: it goes first.
    m_pSheet.reset();
    m_pMotions.reset();
    if (m_pSetting) {
        m_pSetting->ClearStringLists();
        m_pSetting.reset();
    }
}
