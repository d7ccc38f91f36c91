#include "config/FontList.h"

void CFontList::Fill(const std::vector<FontFamily>& families)
{
    m_entries.clear();
    m_nDefault = -1;
    for (const FontFamily& f : families) {
        const std::uint8_t kind = (f.pitchAndFamily & 1) ? 1 : 2;
        if (kind == 1 && m_nDefault < 0)
            m_nDefault = static_cast<int>(m_entries.size());
        m_entries.push_back({f.face, kind});
    }
    m_bFilled = true;
}

void CFontList::Ensure()
{
    if (!m_bFilled)
        Fill(EnumScreenFontFamilies());
}

bool CFontList::Contains(const std::wstring& face) const
{
    for (const FontListEntry& e : m_entries)
        if (e.face == face)
            return true;
    return false;
}

std::wstring CFontList::DefaultFace() const
{
    if (m_nDefault >= 0)
        return m_entries[static_cast<size_t>(m_nDefault)].face;
    return m_entries.empty() ? std::wstring() : m_entries.front().face;
}

CFontList& FontList()
{
    static CFontList list;
    return list;
}

int DefaultFontIndex() { return FontList().DefaultIndex(); }
