// The engine's panels and registry captions: the state they share, their
// drawing in Display and the task timer's checks.
#include "engine/Launch_win.h"

#include "panels/RegText.h"

PanelTime CLaunch::PanelNow() const { return LocalPanelTime(); }

void CLaunch::ResetPanels()
{
    m_PanelPainter.Reset();
    m_PanelState.now = m_PanelState.loadDate = PanelNow();
    m_PanelState.shown = {};
    // The sheet lives no longer than the engine that owns it.
    if (CSheet* sheet = Sheet())
        sheet->m_fnPanelBox = [this](IconEntry& e) { m_PanelPainter.Box(e, m_PanelState); };
}

void CLaunch::DrawPanel(IconEntry& e, HDC frame)
{
    m_PanelPainter.Draw(e, frame, m_PanelState);
    m_PanelState.shown = m_PanelState.now;
}

int CLaunch::RefreshRegistryItems() { return Sheet() ? ::RefreshRegistryItems(*Sheet(), m_Registry) : 0; }

int CLaunch::RefreshPanels()
{
    if (!m_bPanelsPresent || !Sheet() || !AnyVisiblePanel(*Sheet()))
        return 0;
    m_PanelState.now = PanelNow();
    return PanelsDue(m_PanelState) ? 1 : 0;
}
