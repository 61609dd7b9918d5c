#include "files/Cp1252.h"

#include <cstdint>

namespace quorvan {
namespace {

// Code points of bytes 0x80 to 0x9F. The five bytes Windows leaves undefined map to the C1
// control of the same number, so that every byte survives a read and a write.
const char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char EncodeCodePoint(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

// Decodes one UTF-8 sequence at text[i]; a malformed one yields U+FFFD and one byte.
char32_t NextCodePoint(const std::string& text, size_t& i)
{
    const auto byte = [&](size_t at) { return static_cast<uint8_t>(text[at]); };
    const uint8_t lead = byte(i);
    int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (int n = 1; n < length; ++n) {
        const uint8_t next = byte(i + static_cast<size_t>(n));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += static_cast<size_t>(length);
    return c;
}

}  // namespace

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
        out.push_back(EncodeCodePoint(NextCodePoint(text, i)));
    }
    return out;
}

}  // namespace quorvan
