#include "files/Cp1252.h"

#include <cstdint>

namespace quorvan {
namespace {

constexpr char32_t kMalformed = 0xFFFD;

// Code points of bytes 0x80 to 0x9F. The five bytes Windows leaves undefined map to the C1
// control of the same number, so that every byte survives a read and a write.
const char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Latin Extended-A (U+0100 to U+017F): the letter without its mark, or the Windows-1252 letter
// nearest to it (Hungarian ő as ö). "?" marks the letters Windows-1252 has exactly (Œ, Š, Ÿ...),
// which never reach this table.
const char kLatinExtendedA[] =
    "AaAaAaCcCcCcCcDd"  // U+0100
    "DdEeEeEeEeEeGgGg"  // U+0110
    "GgGgHhHhIiIiIiIi"  // U+0120
    "IiIiJjKkkLlLlLlL"  // U+0130
    "lLlNnNnNnnNnOoOo"  // U+0140
    "\xD6\xF6??RrRrRrSsSsSs"  // U+0150
    "??TtTtTtUuUuUuUu"  // U+0160
    "\xDC\xFCUuWwYy?ZzZz??s";  // U+0170
static_assert(sizeof kLatinExtendedA == 0x80 + 1, "one entry per code point");

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The Windows-1252 byte of `c`; false when it has none.
bool ExactByte(char32_t c, char& byte)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

char NearestByte(char32_t c)
{
    if (c >= 0x100 && c < 0x180)
        return kLatinExtendedA[c - 0x100];
    switch (c) {
    case 0x0218: return 'S';  // Romanian comma below
    case 0x0219: return 's';
    case 0x021A: return 'T';
    case 0x021B: return 't';
    case 0x2010: case 0x2011: case 0x2012: case 0x2212: return '-';
    case 0x2032: return '\'';
    case 0x2033: return '"';
    default: return '?';
    }
}

// Decodes one UTF-8 sequence at text[i]; a malformed one yields U+FFFD and one byte.
char32_t NextCodePoint(const std::string& text, size_t& i)
{
    const auto byte = [&](size_t at) { return static_cast<uint8_t>(text[at]); };
    const uint8_t lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) {
        ++i;
        return kMalformed;
    }
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int n = 1; n < length; ++n) {
        const uint8_t next = byte(i + static_cast<size_t>(n));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return kMalformed;
        }
        c = (c << 6) | (next & 0x3F);
    }
    const char32_t shortest = length == 1 ? 0 : length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (c < shortest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kMalformed;
    }
    i += static_cast<size_t>(length);
    return c;
}

}  // namespace

bool IsUtf8BeyondAscii(const std::string& bytes)
{
    bool beyondAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<uint8_t>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t start = i;
        // A well-formed U+FFFD takes three bytes; a malformed byte yields it for one.
        if (NextCodePoint(bytes, i) == kMalformed && i - start == 1)
            return false;
        beyondAscii = true;
    }
    return beyondAscii;
}

bool HoldsUtf8Sequence(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<uint8_t>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t start = i;
        if (NextCodePoint(bytes, i) != kMalformed || i - start > 1)
            return true;
    }
    return false;
}

std::string RepairedUtf8(const std::string& bytes, bool& repaired)
{
    repaired = false;
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const size_t start = i;
        if (NextCodePoint(bytes, i) == kMalformed && i - start == 1) {
            out += Cp1252ToUtf8(bytes.substr(start, 1));
            repaired = true;
        } else {
            out.append(bytes, start, i - start);
        }
    }
    return out;
}

std::string Cp1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char raw : bytes) {
        const auto b = static_cast<uint8_t>(raw);
        if (b < 0x80)
            out.push_back(raw);
        else if (b < 0xA0)
            AppendUtf8(out, kHighControls[b - 0x80]);
        else
            AppendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (static_cast<uint8_t>(text[i]) < 0x80) {
            out.push_back(text[i++]);
            continue;
        }
        const char32_t c = NextCodePoint(text, i);
        char byte = '?';
        out.push_back(c != kMalformed && ExactByte(c, byte) ? byte : NearestByte(c));
    }
    return out;
}

bool FitsCp1252(const std::string& utf8)
{
    size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<uint8_t>(utf8[i]) < 0x80) {
            ++i;
            continue;
        }
        const char32_t c = NextCodePoint(utf8, i);
        char byte = 0;
        if (c == kMalformed || !ExactByte(c, byte))
            return false;
    }
    return true;
}

std::string UnencodableCharacters(const std::string& utf8)
{
    std::u32string seen;
    std::string found;
    size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<uint8_t>(utf8[i]) < 0x80) {
            ++i;
            continue;
        }
        const char32_t c = NextCodePoint(utf8, i);
        char byte = 0;
        if ((c != kMalformed && ExactByte(c, byte)) || seen.find(c) != std::u32string::npos)
            continue;
        seen.push_back(c);
        AppendUtf8(found, c);
    }
    return found;
}

}  // namespace quorvan
