// Native stand-in for the ANSI code page: iconv, with one code page for the
// whole process (1252 unless a test selects another).
#include "CodePage.h"

#include <cerrno>
#include <iconv.h>
#include <map>
#include <mutex>

namespace {

std::mutex g_lock;
unsigned g_codePage = 1252;

bool Usable(iconv_t cd) { return cd != reinterpret_cast<iconv_t>(-1); }

// The two descriptors of one code page, open for the life of the process.
struct Converters {
    iconv_t toWide = reinterpret_cast<iconv_t>(-1);
    iconv_t fromWide = reinterpret_cast<iconv_t>(-1);

    Converters(const char* name)
        : toWide(::iconv_open("WCHAR_T", name)), fromWide(::iconv_open(name, "WCHAR_T"))
    {
    }
    ~Converters()
    {
        if (Usable(toWide))
            ::iconv_close(toWide);
        if (Usable(fromWide))
            ::iconv_close(fromWide);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
};

std::string CharsetName(unsigned cp)
{
    if (cp == 65001)
        return "UTF-8";
    return "CP" + std::to_string(cp);
}

Converters& ConvertersFor(unsigned cp)
{
    static std::map<unsigned, Converters> cache;
    auto it = cache.find(cp);
    if (it != cache.end())
        return it->second;
    return cache.try_emplace(cp, CharsetName(cp).c_str()).first->second;
}

std::wstring Decode(unsigned cp, std::string_view bytes)
{
    std::wstring out;
    if (bytes.empty())
        return out;
    std::lock_guard<std::mutex> lock(g_lock);
    iconv_t cd = ConvertersFor(cp).toWide;
    if (!Usable(cd)) {
        for (unsigned char b : bytes)
            out += static_cast<wchar_t>(b);
        return out;
    }
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    wchar_t chunk[256];
    while (inLeft > 0) {
        char* dst = reinterpret_cast<char*>(chunk);
        size_t dstLeft = sizeof(chunk);
        size_t rc = ::iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(chunk, static_cast<size_t>(reinterpret_cast<wchar_t*>(dst) - chunk));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // An undecodable byte: the single-byte code pages map it onto the
        // same code point, as Windows does for 1252's gaps; a broken
        // double-byte sequence becomes the katakana middle dot, as in 932.
        const unsigned char bad = static_cast<unsigned char>(*in);
        out += (cp == 932) ? L'\x30FB' : static_cast<wchar_t>(bad);
        ++in;
        --inLeft;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string Encode(unsigned cp, std::wstring_view text)
{
    std::string out;
    if (text.empty())
        return out;
    std::lock_guard<std::mutex> lock(g_lock);
    iconv_t cd = ConvertersFor(cp).fromWide;
    if (!Usable(cd)) {
        for (wchar_t c : text)
            out += (c < 0x100) ? static_cast<char>(c) : '?';
        return out;
    }
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = reinterpret_cast<char*>(const_cast<wchar_t*>(text.data()));
    size_t inLeft = text.size() * sizeof(wchar_t);
    char chunk[512];
    while (inLeft > 0) {
        char* dst = chunk;
        size_t dstLeft = sizeof(chunk);
        size_t rc = ::iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(chunk, static_cast<size_t>(dst - chunk));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // A single-byte code page's gap came in as its own code point (see
        // Decode) and goes out as its byte again, as Windows does; anything
        // else that has no byte becomes '?'.
        const wchar_t bad = *reinterpret_cast<const wchar_t*>(in);
        out += (cp != 932 && cp != 65001 && bad >= 0x80 && bad < 0x100) ? static_cast<char>(bad) : '?';
        in += sizeof(wchar_t);
        inLeft -= sizeof(wchar_t);
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::wstring AnsiToWide(std::string_view bytes) { return Decode(GetAnsiCodePage(), bytes); }
std::string WideToAnsi(std::wstring_view text) { return Encode(GetAnsiCodePage(), text); }

unsigned GetAnsiCodePage()
{
    std::lock_guard<std::mutex> lock(g_lock);
    return g_codePage;
}

bool SelectAnsiCodePage(unsigned cp)
{
    {
        std::lock_guard<std::mutex> lock(g_lock);
        if (!Usable(ConvertersFor(cp).toWide))
            return false;
        g_codePage = cp;
    }
    return true;
}

std::string WideToUtf8(std::wstring_view text) { return Encode(65001, text); }
std::wstring Utf8ToWide(std::string_view bytes) { return Decode(65001, bytes); }
