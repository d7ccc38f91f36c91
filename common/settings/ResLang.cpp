#include "settings/ResLang.h"

#include <cstddef>

namespace {

struct ResPair {
    unsigned ja, en;
};

constexpr ResPair kDialogs[] = {{119, 320}, {120, 319}, {321, 323}, {322, 324}, {325, 327}};

constexpr ResPair kMenus[] = {{101, 130}, {102, 129}, {500, 136}, {501, 502}};

constexpr ResPair kStrings[] = {
    {132, 163}, {133, 164}, {134, 170}, {135, 168}, {136, 167}, {140, 171}, {141, 169}, {143, 191}, {144, 192},
    {145, 193}, {146, 166}, {147, 179}, {148, 180}, {156, 175}, {157, 185}, {158, 177}, {159, 186}, {160, 176},
    {161, 178}, {162, 165}, {187, 198}, {188, 199}, {189, 200}, {190, 201}, {194, 202}, {196, 204}, {197, 205},
    {206, 207}, {209, 210}, {211, 212}, {213, 214}, {215, 216}, {217, 218}, {219, 220}, {221, 222}, {223, 224},
    {225, 226}, {227, 228}, {229, 230}, {231, 234}, {232, 235}, {233, 236}, {237, 238}, {241, 242}, {243, 244},
    {252, 253}, {254, 255}, {256, 257}, {258, 259}, {262, 263}, {264, 265},
    // The program's own messages.
    {400, 401}, {402, 403},
    // The Pages and Task tabs' own.
    {420, 421}, {422, 423}, {424, 425}, {426, 427}, {428, 429}, {430, 431}, {432, 433}, {434, 435}, {436, 437},
    {438, 439}, {470, 471}, {472, 473}, {474, 475}, {476, 477},
    // The Apps tab: "no page" has its twin too; the icon editor's refusals
    // of fields the page file cannot hold.
    {239, 240}, {479, 489}, {490, 491},
    // The file chooser's.
    {440, 441}, {442, 443}, {444, 445}, {446, 447}, {448, 449}, {450, 451}, {452, 453}, {454, 455}, {456, 457},
    {458, 459}, {460, 461}, {462, 463},
};

template <std::size_t N>
unsigned Lookup(const ResPair (&pairs)[N], unsigned id)
{
    for (const ResPair& p : pairs)
        if (p.ja == id)
            return p.en;
    return id;
}

}  // namespace

unsigned MapResId(ResKind kind, unsigned japaneseId, bool japanese)
{
    if (japanese)
        return japaneseId;
    switch (kind) {
    case ResKind::Dialog: return Lookup(kDialogs, japaneseId);
    case ResKind::Menu: return Lookup(kMenus, japaneseId);
    case ResKind::String: return Lookup(kStrings, japaneseId);
    }
    return japaneseId;
}
