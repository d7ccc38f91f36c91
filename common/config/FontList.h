// The installed font families, gathered once per process from the screen.
#pragma once

#include "System.h"

#include <cstdint>
#include <string>
#include <vector>

struct FontListEntry {
    std::wstring face;
    std::uint8_t kind = 2;  // 1 fixed pitch, 2 any other
};

class CFontList {
public:
    // Records the families; kind 1 when the pitch bits say fixed pitch.
    void Fill(const std::vector<FontFamily>& families);
    // Fills from the platform unless already filled.
    void Ensure();
    bool IsFilled() const { return m_bFilled; }
    const std::vector<FontListEntry>& Entries() const { return m_entries; }
    bool Contains(const std::wstring& face) const;
    // The first fixed-pitch face, or -1 when there is none.
    int DefaultIndex() const { return m_nDefault; }
    // The face to use instead of one that is not installed: the default
    // face, else the first one, else empty.
    std::wstring DefaultFace() const;

private:
    bool m_bFilled = false;
    std::vector<FontListEntry> m_entries;
    int m_nDefault = -1;
};

// The process's list (empty until Ensure or Fill).
CFontList& FontList();
int DefaultFontIndex();
