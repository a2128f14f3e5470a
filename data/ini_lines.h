// The reading rules of one line of a settings file, shared by the settings
// document and the settings loader so that both read every file alike.
// Internal to data/.
#ifndef TQ_DATA_INI_LINES_H
#define TQ_DATA_INI_LINES_H

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ini {

// The blanks the profile functions trim: white space and Ctrl-Z.
inline bool IsBlank(unsigned c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a;
}

// Names match without regard to the case of ASCII letters.
inline unsigned Fold(unsigned c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Whether bytes hold nothing beyond ASCII (eight at a time).
inline bool IsAscii(const void* bytes, size_t length)
{
    const unsigned char* text = static_cast<const unsigned char*>(bytes);
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; i < length; ++i)
        if (text[i] & 0x80)
            return false;
    return true;
}

// The text of a file as units: bytes (ANSI, UTF-8) or UTF-16 code units in
// either byte order.  Every character that gives a line its shape ("[", "]",
// "=", blanks, line ends) is one unit below 0x80 in each of them.
struct ByteUnits {
    static constexpr size_t Width = 1;
    static unsigned At(const unsigned char* text, size_t i) { return text[i]; }
};
struct LittleUnits {
    static constexpr size_t Width = 2;
    static unsigned At(const unsigned char* text, size_t i) { return text[2 * i] | unsigned(text[2 * i + 1]) << 8; }
};
struct BigUnits {
    static constexpr size_t Width = 2;
    static unsigned At(const unsigned char* text, size_t i) { return unsigned(text[2 * i]) << 8 | text[2 * i + 1]; }
};

// Where the line that starts at unit 0 ends: the first CR or LF, or length.
template <class U> size_t LineEndOf(const unsigned char* text, size_t length)
{
    size_t end = 0;
    while (end < length) {
        unsigned c = U::At(text, end);
        if (c == '\r' || c == '\n')
            break;
        ++end;
    }
    return end;
}

template <> inline size_t LineEndOf<ByteUnits>(const unsigned char* text, size_t length)
{
    // Eight bytes at a time: a byte is CR or LF when, xored with that
    // character, it becomes zero.
    // The lowest marked byte is exact (the borrow that can mark a byte above
    // a true match never reaches below it); bytes are in little-endian order
    // only where the machine is, so the scan falls back to bytes elsewhere.
    size_t end = 0;
    constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
    if (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__) {
        for (; end + 8 <= length; end += 8) {
            uint64_t word;
            std::memcpy(&word, text + end, 8);
            uint64_t cr = word ^ (ones * '\r');
            uint64_t lf = word ^ (ones * '\n');
            uint64_t found = ((cr - ones) & ~cr & highs) | ((lf - ones) & ~lf & highs);
            if (found)
                return end + size_t(__builtin_ctzll(found) / 8);
        }
    }
    while (end < length && text[end] != '\r' && text[end] != '\n')
        ++end;
    return end;
}

// The first unit c in [begin, end), or end.
template <class U> size_t FindUnit(const unsigned char* text, size_t begin, size_t end, unsigned c)
{
    while (begin < end && U::At(text, begin) != c)
        ++begin;
    return begin;
}

template <> inline size_t FindUnit<ByteUnits>(const unsigned char* text, size_t begin, size_t end, unsigned c)
{
    const void* found = begin < end ? std::memchr(text + begin, int(c), end - begin) : nullptr;
    return found ? size_t(static_cast<const unsigned char*>(found) - text) : end;
}

// The parts of one line, in units from its start.
struct LineParts {
    bool Header;   // "[name]"
    bool IsKey;    // any other line that is not blank
    bool HasValue; // a key line with "="
    size_t NameBegin, NameEnd;
    size_t ValueBegin, ValueEnd;
};

template <class U> void Trim(const unsigned char* text, size_t& begin, size_t& end)
{
    while (begin < end && IsBlank(U::At(text, begin)))
        ++begin;
    while (end > begin && IsBlank(U::At(text, end - 1)))
        --end;
}

// One line (its line end may be included: it is a blank).  "[name]" is a
// header, the name standing between "[" and the line's last "]"; any other
// line that is not blank is a key, "name=value" or a bare name.  Every
// search stays within the line.
template <class U> LineParts ParseLine(const unsigned char* text, size_t length)
{
    LineParts parts{};
    size_t begin = 0;
    size_t end = length;
    Trim<U>(text, begin, end);
    if (begin == end)
        return parts;
    if (U::At(text, begin) == '[') {
        size_t close = end; // one past the last "]"
        while (close > begin + 1 && U::At(text, close - 1) != ']')
            --close;
        if (close > begin + 1) {
            parts.Header = true;
            parts.NameBegin = begin + 1;
            parts.NameEnd = close - 1;
            Trim<U>(text, parts.NameBegin, parts.NameEnd);
            return parts;
        }
    }
    parts.IsKey = true;
    size_t equals = FindUnit<U>(text, begin, end, '=');
    parts.NameBegin = begin;
    if (equals == end) {
        parts.NameEnd = end;
        return parts;
    }
    parts.HasValue = true;
    parts.NameEnd = equals;
    Trim<U>(text, parts.NameBegin, parts.NameEnd);
    parts.ValueBegin = equals + 1;
    parts.ValueEnd = end;
    Trim<U>(text, parts.ValueBegin, parts.ValueEnd);
    return parts;
}

// A name in units against an ASCII name, without regard to case.
template <class U> bool IsName(const unsigned char* text, size_t units, const char* name, size_t length)
{
    if (units != length)
        return false;
    for (size_t i = 0; i < units; ++i)
        if (Fold(U::At(text, i)) != Fold((unsigned char)name[i]))
            return false;
    return true;
}

// The same against a name written in lower case.
template <class U> bool IsLowerName(const unsigned char* text, size_t units, const char* lower, size_t length)
{
    if (units != length)
        return false;
    for (size_t i = 0; i < units; ++i)
        if (Fold(U::At(text, i)) != (unsigned char)lower[i])
            return false;
    return true;
}

// What the profile functions make of a value read into a buffer of size
// bytes: one pair of enclosing quotes is dropped, and at most size - 1
// characters are kept; the closing quote is cut off only when the text after
// the opening quote fits the buffer whole.  Gives the part of text to keep.
inline void ProfileText(const char* text, size_t length, int size, size_t& begin, size_t& kept)
{
    begin = 0;
    kept = length;
    if (size <= 0) {
        kept = 0;
        return;
    }
    bool quoted = length >= 2 && (text[0] == '"' || text[0] == '\'') && text[length - 1] == text[0];
    if (quoted) {
        begin = 1;
        --kept;
    }
    bool fits = kept <= size_t(size);
    if (kept > size_t(size - 1))
        kept = size_t(size - 1);
    if (quoted && fits && kept > 0)
        --kept;
}

// The numeric reading of the profile functions: leading control characters
// and blanks skipped, one sign, a 0x/0o/0b prefix, then digits of that base
// up to the first character that is none; the value wraps at 32 bits.
inline uint32_t ParseProfileNumber(const char* text, size_t length)
{
    size_t i = 0;
    while (i < length && (unsigned char)text[i] <= ' ')
        ++i;
    bool minus = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        minus = text[i] == '-';
        ++i;
    }
    uint32_t base = 10;
    if (i + 1 < length && text[i] == '0') {
        char prefix = text[i + 1];
        if (prefix == 'x' || prefix == 'o' || prefix == 'b') {
            base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : 2;
            i += 2;
        }
    }
    uint32_t total = 0;
    for (; i < length; ++i) {
        char c = text[i];
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = uint32_t(c - '0');
        else if (c >= 'a' && c <= 'z')
            digit = uint32_t(c - 'a' + 10);
        else if (c >= 'A' && c <= 'Z')
            digit = uint32_t(c - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return minus ? 0u - total : total;
}

// GetPrivateProfileIntA on a value as ANSI text: read through a buffer of
// 30 characters; the default when that leaves nothing.
inline uint32_t ProfileNumber(const char* text, size_t length, int32_t fallback)
{
    size_t begin, kept;
    ProfileText(text, length, 30, begin, kept);
    if (kept == 0)
        return uint32_t(fallback);
    return ParseProfileNumber(text + begin, kept);
}

// The encoding a byte-order mark announces, and the mark's length.
enum class Mark { None, Utf8, Utf16Le, Utf16Be };
inline Mark ByteOrderMark(const unsigned char* bytes, size_t length, size_t& markLength)
{
    markLength = 0;
    if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        markLength = 3;
        return Mark::Utf8;
    }
    if (length >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        markLength = 2;
        return bytes[0] == 0xFF ? Mark::Utf16Le : Mark::Utf16Be;
    }
    return Mark::None;
}

} // namespace ini

#endif
