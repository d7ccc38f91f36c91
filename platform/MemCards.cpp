#include "MemCards.h"

#include "CodePage.h"

#include <cstdlib>
#include <mutex>

namespace {

std::mutex g_lock;
bool g_bDeclared = false;
std::vector<std::wstring> g_cards;

}  // namespace

void DeclareMemCards(const std::vector<std::wstring>& names)
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_bDeclared = true;
    g_cards = names;
}

void ForgetDeclaredMemCards()
{
    std::lock_guard<std::mutex> lock(g_lock);
    g_bDeclared = false;
    g_cards.clear();
}

// The stand-in's list: what this process declared, else ORVANE_MEMCARDS.
std::vector<std::wstring> DeclaredMemCards()
{
    {
        std::lock_guard<std::mutex> lock(g_lock);
        if (g_bDeclared)
            return g_cards;
    }
    std::vector<std::wstring> cards;
    const char* env = std::getenv("ORVANE_MEMCARDS");
    if (!env)
        return cards;
    std::wstring all = Utf8ToWide(env), cur;
    for (wchar_t c : all) {
        if (c == L';') {
            cards.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        cards.push_back(cur);
    return cards;
}
