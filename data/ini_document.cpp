#include "data/ini_document.h"

#include <cstring>
#include <string_view>

#include "data/ini_lines.h"
#include "data/platform.h"
#include "data/text_encoding.h"

namespace {

using ini::BigUnits;
using ini::ByteUnits;
using ini::Fold;
using ini::IsAscii;
using ini::IsBlank;
using ini::LineParts;
using ini::LittleUnits;
using ini::ParseLine;
using ini::Trim;

template <class U> uint32_t HashName(const unsigned char* name, size_t units)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < units; ++i)
        hash = (hash ^ Fold(U::At(name, i))) * 16777619u;
    return hash;
}

template <class U> bool SameName(const unsigned char* a, size_t aUnits, const unsigned char* b, size_t bUnits)
{
    if (aUnits != bUnits)
        return false;
    for (size_t i = 0; i < aUnits; ++i)
        if (Fold(U::At(a, i)) != Fold(U::At(b, i)))
            return false;
    return true;
}

const unsigned char* Bytes(const std::string& text, size_t offset = 0)
{
    return reinterpret_cast<const unsigned char*>(text.data()) + offset;
}

// ---- conversions between the file's encoding and the program's ANSI text

void AppendUtf16Bytes(const char16_t* units, size_t count, bool big, std::string& out)
{
    for (size_t i = 0; i < count; ++i) {
        char low = char(units[i] & 0xFF);
        char high = char(units[i] >> 8);
        out += big ? high : low;
        out += big ? low : high;
    }
}

// ANSI text in the file's encoding.
std::string Encode(const IniDocument& document, const char* text, size_t length)
{
    bool utf16 = document.Encoding == TextEncoding::Utf16Le || document.Encoding == TextEncoding::Utf16Be;
    if (!utf16 && (document.Encoding == TextEncoding::Ansi || IsAscii(text, length)))
        return std::string(text, length);
    std::u16string wide;
    AnsiToUtf16(text, length, wide);
    std::string out;
    if (utf16)
        AppendUtf16Bytes(wide.data(), wide.size(), document.Encoding == TextEncoding::Utf16Be, out);
    else
        Utf16ToUtf8(wide.data(), wide.size(), out);
    return out;
}

std::string Encode(const IniDocument& document, const std::string& text)
{
    return Encode(document, text.data(), text.size());
}

// Text in the document's encoding (length in bytes) as ANSI text.
std::string Decode(const IniDocument& document, const unsigned char* bytes, size_t length)
{
    return FileTextToAnsi(document.Encoding, bytes, length);
}

std::string TrimmedAnsi(const char* text)
{
    size_t begin = 0;
    size_t end = std::strlen(text);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    Trim<ByteUnits>(bytes, begin, end);
    return std::string(text + begin, end - begin);
}

// ---- the document's pieces

IniText Store(IniDocument& document, const std::string& bytes)
{
    IniText text{uint32_t(document.Written.size()), uint32_t(bytes.size())};
    document.Written += bytes;
    return text;
}

const unsigned char* NameOf(const IniDocument& document, const IniSection& section)
{
    return section.Header == IniNone ? Bytes(document.Written, section.NameStart)
                                     : Bytes(document.Source, section.NameStart);
}

// The bytes of line i as they stand now: its replacement (without a line
// end), or as read (with its line end, if it has one).
void LineBytes(const IniDocument& document, uint32_t line, const unsigned char*& text, size_t& length)
{
    if (!document.Replaced.empty() && document.Replaced[line] != 0) {
        const IniText& replacement = document.Replacements[document.Replaced[line] - 1];
        text = Bytes(document.Written, replacement.Start);
        length = replacement.Length;
        return;
    }
    text = Bytes(document.Source, document.LineStarts[line]);
    length = document.LineStarts[line + 1] - document.LineStarts[line];
}

void IndexSection(IniDocument& document, uint32_t index);

void GrowIndex(IniDocument& document)
{
    size_t size = 16;
    while (size < size_t(document.NamedCount) * 2)
        size *= 2;
    document.Buckets.assign(size, 0);
    for (IniSection& section : document.Sections)
        section.NextOfName = IniNone;
    for (uint32_t i = 0; i < document.Sections.size(); ++i)
        if (document.Sections[i].Named)
            IndexSection(document, i);
}

// The first section of that name (removed ones included): the head of its
// chain of sections of the same name.
template <class U> uint32_t FindChain(const IniDocument& document, const unsigned char* name, size_t units,
                                      uint32_t hash)
{
    if (document.Buckets.empty())
        return IniNone;
    size_t mask = document.Buckets.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        uint32_t entry = document.Buckets[slot];
        if (entry == 0)
            return IniNone;
        const IniSection& section = document.Sections[entry - 1];
        if (section.Hash == hash &&
            SameName<U>(NameOf(document, section), section.NameLength / U::Width, name, units))
            return entry - 1;
    }
}

template <class U> void IndexSectionAs(IniDocument& document, uint32_t index)
{
    IniSection& section = document.Sections[index];
    const unsigned char* name = NameOf(document, section);
    size_t units = section.NameLength / U::Width;
    uint32_t head = FindChain<U>(document, name, units, section.Hash);
    if (head != IniNone) {
        IniSection& first = document.Sections[head];
        document.Sections[first.LastOfName].NextOfName = index;
        first.LastOfName = index;
        return;
    }
    section.LastOfName = index;
    size_t mask = document.Buckets.size() - 1;
    size_t slot = section.Hash & mask;
    while (document.Buckets[slot] != 0)
        slot = (slot + 1) & mask;
    document.Buckets[slot] = index + 1;
}

template <class U> uint32_t HashOf(const std::string& name)
{
    return HashName<U>(Bytes(name), name.size() / U::Width);
}

uint32_t HashOf(const IniDocument& document, const std::string& name)
{
    switch (document.Encoding) {
    case TextEncoding::Utf16Le: return HashOf<LittleUnits>(name);
    case TextEncoding::Utf16Be: return HashOf<BigUnits>(name);
    default: return HashOf<ByteUnits>(name);
    }
}

void IndexSection(IniDocument& document, uint32_t index)
{
    switch (document.Encoding) {
    case TextEncoding::Utf16Le: IndexSectionAs<LittleUnits>(document, index); break;
    case TextEncoding::Utf16Be: IndexSectionAs<BigUnits>(document, index); break;
    default: IndexSectionAs<ByteUnits>(document, index); break;
    }
}

IniSection NewSection(uint32_t header, uint32_t first)
{
    IniSection section{};
    section.Header = header;
    section.First = first;
    section.End = first;
    section.InsertAfter = header;
    section.NextOfName = IniNone;
    section.LastOfName = IniNone;
    section.FirstAdded = IniNone;
    section.LastAdded = IniNone;
    return section;
}

// One pass over the text: where every line starts, and the sections.
template <class U> void ScanLines(IniDocument& document)
{
    const unsigned char* text = Bytes(document.Source, document.TextStart);
    const size_t units = (document.TextEnd - document.TextStart) / U::Width;
    document.LineStarts.reserve(units / 16 + 2);
    document.Sections.push_back(NewSection(IniNone, 0));
    bool lineEndSeen = false;
    size_t position = 0;
    while (position < units) {
        size_t end = position + ini::LineEndOf<U>(text + position * U::Width, units - position);
        size_t next = end;
        if (next < units) {
            next += U::At(text, next) == '\r' && next + 1 < units && U::At(text, next + 1) == '\n' ? 2 : 1;
            if (!lineEndSeen) {
                document.LineEnd.assign(reinterpret_cast<const char*>(text) + end * U::Width, (next - end) * U::Width);
                lineEndSeen = true;
            }
        }
        uint32_t line = uint32_t(document.LineStarts.size());
        document.LineStarts.push_back(document.TextStart + uint32_t(position * U::Width));
        // Only headers need taking apart here; other lines are read when a
        // key is looked for.
        size_t first = position;
        while (first < end && IsBlank(U::At(text, first)))
            ++first;
        LineParts parts{};
        if (first < end && U::At(text, first) == '[')
            parts = ParseLine<U>(text + position * U::Width, end - position);
        else
            parts.IsKey = first < end;
        position = next;
        if (parts.Header) {
            document.Sections.back().End = line;
            IniSection section = NewSection(line, line + 1);
            section.Named = true;
            const unsigned char* lineText = Bytes(document.Source, document.LineStarts[line]);
            section.NameStart = document.LineStarts[line] + uint32_t(parts.NameBegin * U::Width);
            section.NameLength = uint32_t((parts.NameEnd - parts.NameBegin) * U::Width);
            section.Hash = HashName<U>(lineText + parts.NameBegin * U::Width, parts.NameEnd - parts.NameBegin);
            document.Sections.push_back(section);
            ++document.NamedCount;
        } else if (parts.IsKey) {
            document.Sections.back().InsertAfter = line;
        }
    }
    document.Sections.back().End = uint32_t(document.LineStarts.size());
    document.LineStarts.push_back(document.TextEnd);
    if (!lineEndSeen)
        document.LineEnd = Encode(document, "\r\n", 2);
}

void DetectEncoding(IniDocument& document)
{
    const std::string& bytes = document.Source;
    size_t markLength;
    ini::Mark mark = ini::ByteOrderMark(Bytes(bytes), bytes.size(), markLength);
    document.Encoding = mark == ini::Mark::Utf8      ? TextEncoding::Utf8
                        : mark == ini::Mark::Utf16Le ? TextEncoding::Utf16Le
                        : mark == ini::Mark::Utf16Be ? TextEncoding::Utf16Be
                        : IsUtf8WithNonAscii(bytes.data(), bytes.size()) ? TextEncoding::Utf8
                                                                         : TextEncoding::Ansi;
    document.ByteOrderMark = mark != ini::Mark::None;
    document.TextStart = uint32_t(markLength);
    document.TextEnd = uint32_t(bytes.size());
    if (markLength == 2)
        document.TextEnd = uint32_t(2 + (bytes.size() - 2) / 2 * 2);
}

// ---- lookups

struct KeyLine {
    bool Found = false;
    bool Added = false; // an added line (index into Added) rather than a line of the file
    uint32_t Index = 0;
    const unsigned char* Text = nullptr;
    LineParts Parts{};
};

template <class U> bool MatchKey(const unsigned char* text, size_t length, const std::string& key, KeyLine& found)
{
    LineParts parts = ParseLine<U>(text, length / U::Width);
    if (!parts.IsKey ||
        !SameName<U>(text + parts.NameBegin * U::Width, parts.NameEnd - parts.NameBegin, Bytes(key),
                     key.size() / U::Width))
        return false;
    found.Found = true;
    found.Text = text;
    found.Parts = parts;
    return true;
}

template <class U> KeyLine FindKeyAs(const IniDocument& document, const IniSection& section, const std::string& key)
{
    KeyLine found;
    for (uint32_t line = section.First; line < section.End; ++line) {
        const unsigned char* text;
        size_t length;
        LineBytes(document, line, text, length);
        if (MatchKey<U>(text, length, key, found)) {
            found.Index = line;
            return found;
        }
    }
    for (uint32_t added = section.FirstAdded; added != IniNone; added = document.Added[added].Next) {
        const IniText& line = document.Added[added].Text;
        if (MatchKey<U>(Bytes(document.Written, line.Start), line.Length, key, found)) {
            found.Added = true;
            found.Index = added;
            return found;
        }
    }
    return found;
}

template <class U> uint32_t FindSectionAs(const IniDocument& document, const std::string& name)
{
    size_t units = name.size() / U::Width;
    uint32_t index = FindChain<U>(document, Bytes(name), units, HashName<U>(Bytes(name), units));
    while (index != IniNone && document.Sections[index].Removed)
        index = document.Sections[index].NextOfName;
    return index;
}

uint32_t FindSection(const IniDocument& document, const std::string& encodedName)
{
    switch (document.Encoding) {
    case TextEncoding::Utf16Le: return FindSectionAs<LittleUnits>(document, encodedName);
    case TextEncoding::Utf16Be: return FindSectionAs<BigUnits>(document, encodedName);
    default: return FindSectionAs<ByteUnits>(document, encodedName);
    }
}

KeyLine FindKey(const IniDocument& document, const IniSection& section, const std::string& encodedKey)
{
    switch (document.Encoding) {
    case TextEncoding::Utf16Le: return FindKeyAs<LittleUnits>(document, section, encodedKey);
    case TextEncoding::Utf16Be: return FindKeyAs<BigUnits>(document, section, encodedKey);
    default: return FindKeyAs<ByteUnits>(document, section, encodedKey);
    }
}

size_t UnitWidth(const IniDocument& document)
{
    return document.Encoding == TextEncoding::Utf16Le || document.Encoding == TextEncoding::Utf16Be ? 2 : 1;
}

// The value of a key line as ANSI text.
std::string ValueOf(const IniDocument& document, const KeyLine& key)
{
    size_t width = UnitWidth(document);
    return Decode(document, key.Text + key.Parts.ValueBegin * width,
                  (key.Parts.ValueEnd - key.Parts.ValueBegin) * width);
}

// The value of [section] key as ANSI text; false when the section, the key
// or its "=" is missing.
bool FindValue(const IniDocument& document, const char* section, const char* key, std::string& value)
{
    uint32_t found = FindSection(document, Encode(document, TrimmedAnsi(section)));
    if (found == IniNone)
        return false;
    KeyLine line = FindKey(document, document.Sections[found], Encode(document, TrimmedAnsi(key)));
    if (!line.Found || !line.Parts.HasValue)
        return false;
    value = ValueOf(document, line);
    return true;
}

// The first line of each of the keys in a section (the lines of the file,
// then those the program added), in one walk.
template <class U>
void FindKeysAs(const IniDocument& document, const IniSection& section, const std::string_view* keys, KeyLine* found,
                size_t count)
{
    size_t left = count;
    // The keys are tried from the one after the last found: a section the
    // program wrote holds them in the order they are set.
    size_t next = 0;
    auto take = [&](const unsigned char* text, size_t length, bool added, uint32_t index) {
        LineParts parts = ParseLine<U>(text, length / U::Width);
        if (!parts.IsKey)
            return;
        const unsigned char* name = text + parts.NameBegin * U::Width;
        size_t units = parts.NameEnd - parts.NameBegin;
        for (size_t tried = 0; tried < count; ++tried) {
            size_t k = (next + tried) % count;
            if (found[k].Found || !SameName<U>(name, units, reinterpret_cast<const unsigned char*>(keys[k].data()),
                                               keys[k].size() / U::Width))
                continue;
            next = k + 1;
            found[k].Found = true;
            found[k].Added = added;
            found[k].Index = index;
            found[k].Text = text;
            found[k].Parts = parts;
            --left;
            return; // the keys differ: no other can have this name
        }
    };
    for (uint32_t line = section.First; line < section.End && left > 0; ++line) {
        const unsigned char* text;
        size_t length;
        LineBytes(document, line, text, length);
        take(text, length, false, line);
    }
    for (uint32_t added = section.FirstAdded; added != IniNone && left > 0; added = document.Added[added].Next) {
        const IniText& line = document.Added[added].Text;
        take(Bytes(document.Written, line.Start), line.Length, true, added);
    }
}

// Whether a key's value, read as ANSI text, is value.
bool SameValue(const IniDocument& document, const KeyLine& key, const std::string& value)
{
    size_t width = UnitWidth(document);
    const unsigned char* text = key.Text + key.Parts.ValueBegin * width;
    size_t units = key.Parts.ValueEnd - key.Parts.ValueBegin;
    // ASCII reads as itself in every encoding: compared without converting.
    if (width == 1 && (document.Encoding == TextEncoding::Ansi || IsAscii(text, units)))
        return units == value.size() && std::memcmp(text, value.data(), units) == 0;
    return Decode(document, text, units * width) == value;
}

bool EndsLine(const IniDocument& document, const std::string& out, size_t start)
{
    if (out.size() == start)
        return true;
    unsigned last;
    if (document.Encoding == TextEncoding::Utf16Le)
        last = LittleUnits::At(Bytes(out, out.size() - 2), 0);
    else if (document.Encoding == TextEncoding::Utf16Be)
        last = BigUnits::At(Bytes(out, out.size() - 2), 0);
    else
        last = (unsigned char)out.back();
    return last == '\r' || last == '\n';
}

} // namespace

std::string FileTextToAnsi(TextEncoding encoding, const unsigned char* bytes, size_t length)
{
    const char* text = reinterpret_cast<const char*>(bytes);
    bool utf16 = encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
    // ASCII reads as itself from ANSI and UTF-8 text.
    if (!utf16 && (encoding == TextEncoding::Ansi || IsAscii(text, length)))
        return std::string(text, length);
    std::u16string wide;
    if (utf16) {
        wide.resize(length / 2);
        bool ascii = true;
        for (size_t i = 0; i < wide.size(); ++i) {
            wide[i] = char16_t(encoding == TextEncoding::Utf16Le ? LittleUnits::At(bytes, i) : BigUnits::At(bytes, i));
            ascii = ascii && wide[i] < 0x80;
        }
        if (ascii)
            return std::string(wide.begin(), wide.end());
    } else {
        Utf8ToUtf16(text, length, wide);
    }
    std::string out;
    Utf16ToAnsi(wide.data(), wide.size(), out);
    return out;
}

void ParseIniDocument(IniDocument& document, std::string bytes)
{
    document = IniDocument();
    if (bytes.size() > MaxSettingsFileSize)
        bytes.clear();
    document.Source = std::move(bytes);
    DetectEncoding(document);
    switch (document.Encoding) {
    case TextEncoding::Utf16Le: ScanLines<LittleUnits>(document); break;
    case TextEncoding::Utf16Be: ScanLines<BigUnits>(document); break;
    default: ScanLines<ByteUnits>(document); break;
    }
    GrowIndex(document);
}

std::string SerializeIniDocument(const IniDocument& document)
{
    std::string out(document.Source, 0, document.TextStart);
    out.reserve(document.Source.size() + document.Written.size() + 64);
    const size_t start = out.size();
    // A kept last line may lack its line end; anything written after it
    // starts on a line of its own.
    auto writeNew = [&](const char* text, size_t length) {
        if (!EndsLine(document, out, start))
            out += document.LineEnd;
        out.append(text, length);
        out += document.LineEnd;
    };
    auto writeText = [&](const IniText& text) { writeNew(document.Written.data() + text.Start, text.Length); };
    auto writeAdded = [&](const IniSection& section) {
        for (uint32_t added = section.FirstAdded; added != IniNone; added = document.Added[added].Next)
            writeText(document.Added[added].Text);
    };
    auto writeLine = [&](uint32_t line) {
        if (!document.Replaced.empty() && document.Replaced[line] != 0) {
            writeText(document.Replacements[document.Replaced[line] - 1]);
            return;
        }
        if (!EndsLine(document, out, start))
            out += document.LineEnd;
        out.append(document.Source, document.LineStarts[line], document.LineStarts[line + 1] - document.LineStarts[line]);
    };
    for (const IniSection& section : document.Sections) {
        if (section.Removed)
            continue;
        if (section.Named && section.Header == IniNone) {
            // A section the program added: after a blank line, at the end.
            if (out.size() != start)
                writeNew("", 0);
            std::string header = Encode(document, "[", 1) + document.Written.substr(section.NameStart, section.NameLength) +
                                 Encode(document, "]", 1);
            writeNew(header.data(), header.size());
            writeAdded(section);
            continue;
        }
        if (section.Header != IniNone) {
            writeLine(section.Header);
            if (section.InsertAfter == section.Header)
                writeAdded(section);
        }
        for (uint32_t line = section.First; line < section.End; ++line) {
            writeLine(line);
            if (line == section.InsertAfter)
                writeAdded(section);
        }
    }
    out.append(document.Source, document.TextEnd, std::string::npos);
    // ANSI text the program wrote may happen to form UTF-8 ("\xC3\xA9"), and
    // the next read would take the whole file for UTF-8.  Such a file is
    // written as UTF-8 with a mark instead, which reads back as the same text.
    if (document.Encoding == TextEncoding::Ansi && document.Changed && IsUtf8WithNonAscii(out.data(), out.size())) {
        std::u16string wide;
        AnsiToUtf16(out.data(), out.size(), wide);
        Utf16ToUtf8(wide.data(), wide.size(), out);
        out.insert(0, "\xEF\xBB\xBF");
    }
    return out;
}

std::string IniGetString(const IniDocument& document, const char* section, const char* key, const char* fallback,
                         int size)
{
    if (size <= 0)
        return std::string();
    std::string value;
    if (!FindValue(document, section, key, value))
        value = fallback;
    size_t begin, kept;
    ini::ProfileText(value.data(), value.size(), size, begin, kept);
    return value.substr(begin, kept);
}

uint32_t IniGetInt(const IniDocument& document, const char* section, const char* key, int32_t fallback)
{
    std::string value;
    if (!FindValue(document, section, key, value))
        return uint32_t(fallback);
    return ini::ProfileNumber(value.data(), value.size(), fallback);
}

void IniSetValues(IniDocument& document, const char* section, const IniValue* values, size_t count)
{
    if (count == 0 || count > MaxIniValues)
        return;
    std::string sectionName = Encode(document, TrimmedAnsi(section));
    uint32_t index = FindSection(document, sectionName);
    if (index == IniNone) {
        IniSection added = NewSection(IniNone, 0);
        added.Named = true;
        IniText name = Store(document, sectionName);
        added.NameStart = name.Start;
        added.NameLength = name.Length;
        added.Hash = HashOf(document, sectionName);
        index = uint32_t(document.Sections.size());
        document.Sections.push_back(added);
        ++document.NamedCount;
        if (size_t(document.NamedCount) * 2 > document.Buckets.size())
            GrowIndex(document);
        else
            IndexSection(document, index);
    }

    // Each key's first line, found in one walk over the section.
    // A key name that needs neither trimming nor converting is taken as it
    // stands (the program's own names always are).
    std::string encodedKeys[MaxIniValues];
    std::string_view keys[MaxIniValues];
    KeyLine lines[MaxIniValues];
    const bool byteUnits = UnitWidth(document) == 1;
    for (size_t k = 0; k < count; ++k) {
        const char* key = values[k].Key;
        size_t length = std::strlen(key);
        if (byteUnits && length > 0 && !IsBlank((unsigned char)key[0]) && !IsBlank((unsigned char)key[length - 1]) &&
            IsAscii(key, length)) {
            keys[k] = std::string_view(key, length);
        } else {
            encodedKeys[k] = Encode(document, TrimmedAnsi(key));
            keys[k] = encodedKeys[k];
        }
    }
    switch (document.Encoding) {
    case TextEncoding::Utf16Le: FindKeysAs<LittleUnits>(document, document.Sections[index], keys, lines, count); break;
    case TextEncoding::Utf16Be: FindKeysAs<BigUnits>(document, document.Sections[index], keys, lines, count); break;
    default: FindKeysAs<ByteUnits>(document, document.Sections[index], keys, lines, count); break;
    }

    // What each key becomes, worked out before anything is stored: a line
    // found may lie in the written text, which storing moves.
    const size_t width = UnitWidth(document);
    std::string lineTexts[MaxIniValues];
    bool write[MaxIniValues] = {};
    for (size_t k = 0; k < count; ++k) {
        // Leading blanks are not stored (reading would drop them anyway), and
        // a line break would end the line and start another key or section.
        std::string newValue = values[k].Value;
        size_t blanks = 0;
        while (blanks < newValue.size() && IsBlank((unsigned char)newValue[blanks]))
            ++blanks;
        newValue.erase(0, blanks);
        for (char& c : newValue)
            if (c == '\r' || c == '\n')
                c = ' ';
        const KeyLine& line = lines[k];
        if (line.Found && line.Parts.HasValue && SameValue(document, line, newValue))
            continue;
        write[k] = true;
        // A key found keeps its name as the file spells it.
        if (line.Found)
            lineTexts[k].assign(reinterpret_cast<const char*>(line.Text) + line.Parts.NameBegin * width,
                                (line.Parts.NameEnd - line.Parts.NameBegin) * width);
        else
            lineTexts[k].assign(keys[k].data(), keys[k].size());
        lineTexts[k] += Encode(document, "=", 1);
        lineTexts[k] += Encode(document, newValue);
    }
    for (size_t k = 0; k < count; ++k) {
        if (!write[k])
            continue;
        const KeyLine& line = lines[k];
        IniText stored = Store(document, lineTexts[k]);
        if (line.Found && line.Added) {
            document.Added[line.Index].Text = stored;
        } else if (line.Found) {
            if (document.Replaced.empty())
                document.Replaced.assign(document.LineStarts.size(), 0);
            document.Replacements.push_back(stored);
            document.Replaced[line.Index] = uint32_t(document.Replacements.size());
        } else {
            uint32_t addedIndex = uint32_t(document.Added.size());
            document.Added.push_back(IniAddedLine{stored, IniNone});
            IniSection& target = document.Sections[index];
            if (target.LastAdded == IniNone)
                target.FirstAdded = addedIndex;
            else
                document.Added[target.LastAdded].Next = addedIndex;
            target.LastAdded = addedIndex;
        }
        document.Changed = true;
    }
}

void IniSetString(IniDocument& document, const char* section, const char* key, const char* value)
{
    IniValue one{key, value};
    IniSetValues(document, section, &one, 1);
}

void IniRemoveSection(IniDocument& document, const char* section)
{
    uint32_t index = FindSection(document, Encode(document, TrimmedAnsi(section)));
    for (; index != IniNone; index = document.Sections[index].NextOfName) {
        if (!document.Sections[index].Removed) {
            document.Sections[index].Removed = true;
            document.Changed = true;
        }
    }
}

void IniListNames(const IniDocument& document, std::vector<std::string>& sections, std::vector<std::string>& keys)
{
    size_t width = UnitWidth(document);
    for (const IniSection& section : document.Sections) {
        if (section.Removed)
            continue;
        if (section.Named)
            sections.push_back(Decode(document, NameOf(document, section), section.NameLength));
        for (uint32_t line = section.First; line < section.End; ++line) {
            const unsigned char* text;
            size_t length;
            LineBytes(document, line, text, length);
            LineParts parts = width == 1 ? ParseLine<ByteUnits>(text, length)
                              : document.Encoding == TextEncoding::Utf16Le ? ParseLine<LittleUnits>(text, length / 2)
                                                                           : ParseLine<BigUnits>(text, length / 2);
            if (parts.IsKey)
                keys.push_back(Decode(document, text + parts.NameBegin * width, (parts.NameEnd - parts.NameBegin) * width));
        }
        for (uint32_t added = section.FirstAdded; added != IniNone; added = document.Added[added].Next) {
            const IniText& line = document.Added[added].Text;
            std::string text = Decode(document, Bytes(document.Written, line.Start), line.Length);
            keys.push_back(text.substr(0, text.find('=')));
        }
    }
}
