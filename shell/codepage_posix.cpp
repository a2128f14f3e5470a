// The program's ANSI text and Unicode in the native build: Windows-1252, the
// ANSI code page of western Windows, so that tests and tqlist read a file the
// way TQ does there.
#include <string>

#include "data/platform.h"
#include "data/text_encoding.h"

namespace {

// Bytes 0x80..0x9F; the five the code page leaves undefined map to the C1
// control of the same number, as Windows maps them.
const char16_t High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char FromUnicode(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return char(unit);
    for (int i = 0; i < 32; ++i)
        if (High[i] == unit)
            return char(0x80 + i);
    return '?';
}

} // namespace

void AnsiToUtf16(const char* text, size_t length, std::u16string& out)
{
    out.clear();
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        unsigned char byte = (unsigned char)text[i];
        out += byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : char16_t(byte);
    }
}

void Utf16ToAnsi(const char16_t* text, size_t length, std::string& out)
{
    out.clear();
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        // A character beyond the BMP is one "?", not two.
        if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        out += FromUnicode(text[i]);
    }
}

void Utf8ToUtf16(const char* text, size_t length, std::u16string& out)
{
    DecodeUtf8(text, length, out);
}

void Utf16ToUtf8(const char16_t* text, size_t length, std::string& out)
{
    EncodeUtf8(text, length, out);
}
