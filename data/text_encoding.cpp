#include "data/text_encoding.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t Replacement = 0xFFFD;

// The length of the well-formed sequence that starts at bytes[i], or the
// length of its maximal ill-formed part (at least 1) as a negative number.
// code receives the character of a well-formed sequence.
int NextSequence(const unsigned char* bytes, size_t length, size_t i, char32_t& code)
{
    unsigned char lead = bytes[i];
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    // The range allowed for the second byte depends on the lead byte; the
    // later bytes are always 80..BF.
    int count;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        code = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        code = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return -1;
    }
    for (int k = 1; k < count; ++k) {
        if (i + size_t(k) >= length)
            return -k;
        unsigned char next = bytes[i + size_t(k)];
        if (next < low || next > high)
            return -k;
        code = code << 6 | (next & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return count;
}

void AppendUtf8(char32_t code, std::string& out)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | code >> 18);
        out += char(0x80 | (code >> 12 & 0x3F));
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

} // namespace

size_t Utf8SequenceLength(unsigned char lead)
{
    return lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
}

bool CheckUtf8(const char* bytes, size_t length, bool& nonAscii)
{
    const unsigned char* text = reinterpret_cast<const unsigned char*>(bytes);
    nonAscii = false;
    size_t i = 0;
    while (i < length) {
        // Runs of ASCII eight bytes at a time.
        uint64_t word;
        if (i + 8 <= length && (std::memcpy(&word, text + i, 8), !(word & 0x8080808080808080ull))) {
            i += 8;
            continue;
        }
        if (text[i] < 0x80) {
            ++i;
            continue;
        }
        char32_t code;
        int step = NextSequence(text, length, i, code);
        if (step < 0)
            return false;
        nonAscii = true;
        i += size_t(step);
    }
    return true;
}

bool IsUtf8WithNonAscii(const char* bytes, size_t length)
{
    bool nonAscii;
    return CheckUtf8(bytes, length, nonAscii) && nonAscii;
}

void DecodeUtf8(const char* bytes, size_t length, std::u16string& out)
{
    const unsigned char* text = reinterpret_cast<const unsigned char*>(bytes);
    out.clear();
    out.reserve(length);
    size_t i = 0;
    while (i < length) {
        char32_t code;
        int step = NextSequence(text, length, i, code);
        if (step < 0) {
            out += char16_t(Replacement);
            i += size_t(-step);
            continue;
        }
        i += size_t(step);
        if (code < 0x10000) {
            out += char16_t(code);
        } else {
            code -= 0x10000;
            out += char16_t(0xD800 | code >> 10);
            out += char16_t(0xDC00 | (code & 0x3FF));
        }
    }
}

void EncodeUtf8(const char16_t* units, size_t length, std::string& out)
{
    out.clear();
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        char32_t code = units[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < length && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = Replacement;
        }
        AppendUtf8(code, out);
    }
}
