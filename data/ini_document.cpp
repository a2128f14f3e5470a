#include "data/ini_document.h"

#include <algorithm>

namespace {

// The blanks the profile functions trim: white space and Ctrl-Z.
bool IsBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1a;
}

// Names match without regard to the case of ASCII letters.
char LowerChar(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = LowerChar(c);
    return text;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(b[i]))
            return false;
    return true;
}

// The bounds of text[begin, end) without the blanks around it.
void TrimBounds(const std::string& text, size_t& begin, size_t& end)
{
    while (begin < end && IsBlank((unsigned char)text[begin]))
        ++begin;
    while (end > begin && IsBlank((unsigned char)text[end - 1]))
        --end;
}

std::string Trim(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    TrimBounds(text, begin, end);
    return text.substr(begin, end - begin);
}

// Decodes the file into one byte per character (UTF-16 characters beyond
// 255 become "?"), noting where the text starts and how wide a character is
// in the file, so that the bytes of every line can be found again.  ANSI and
// UTF-8 text is read in place.
struct DecodedText {
    std::string Converted; // UTF-16 only
    const std::string* Text;
    size_t Start;
    size_t Width;
};

void Decode(const std::string& bytes, TextEncoding& encoding, DecodedText& decoded)
{
    auto at = [&](size_t i) { return (unsigned char)bytes[i]; };
    decoded.Text = &bytes;
    decoded.Start = 0;
    decoded.Width = 1;
    encoding = TextEncoding::Ansi;
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        encoding = TextEncoding::Utf8;
        decoded.Start = 3;
        return;
    }
    if (bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF))) {
        bool little = at(0) == 0xFF;
        encoding = little ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
        decoded.Converted.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            unsigned unit = little ? at(i) | at(i + 1) << 8 : at(i) << 8 | at(i + 1);
            decoded.Converted.push_back(unit < 256 ? char(unit) : '?');
        }
        decoded.Text = &decoded.Converted;
        decoded.Start = 2;
        decoded.Width = 2;
    }
}

std::string Encode(const std::string& text, TextEncoding encoding)
{
    if (encoding != TextEncoding::Utf16Le && encoding != TextEncoding::Utf16Be)
        return text;
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char c : text) {
        if (encoding == TextEncoding::Utf16Le) {
            bytes.push_back(c);
            bytes.push_back(0);
        } else {
            bytes.push_back(0);
            bytes.push_back(c);
        }
    }
    return bytes;
}

IniSection& AddSection(IniDocument& document, const std::string& name, bool hasHeader, ByteSpan headerRaw)
{
    IniSection section;
    section.Name = name;
    section.HeaderRaw = headerRaw;
    section.HasHeader = hasHeader;
    section.Removed = false;
    if (hasHeader)
        document.Index[Lower(name)].push_back(document.Sections.size());
    document.Sections.push_back(std::move(section));
    return document.Sections.back();
}

// One line that is no section header, already without its outer blanks.
IniLine ParseLine(const std::string& text, size_t begin, size_t end, ByteSpan raw)
{
    IniLine line;
    line.Raw = raw;
    line.IsKey = begin < end;
    line.HasValue = false;
    if (!line.IsKey)
        return line;
    size_t equals = text.find('=', begin);
    if (equals == std::string::npos || equals >= end) {
        line.Name.assign(text, begin, end - begin);
        return line;
    }
    line.HasValue = true;
    size_t nameEnd = equals;
    TrimBounds(text, begin, nameEnd);
    line.Name.assign(text, begin, nameEnd - begin);
    size_t valueBegin = equals + 1;
    TrimBounds(text, valueBegin, end);
    line.Value.assign(text, valueBegin, end - valueBegin);
    return line;
}

// The first section of that name, the one the profile functions look in.
template <typename Document> auto FindSection(Document& document, const char* name) -> decltype(&document.Sections[0])
{
    auto found = document.Index.find(Lower(Trim(name)));
    if (found == document.Index.end())
        return nullptr;
    return &document.Sections[found->second.front()];
}

const IniLine* FindKey(const IniDocument& document, const char* section, const char* key)
{
    const IniSection* found = FindSection(document, section);
    if (!found)
        return nullptr;
    std::string wanted = Trim(key);
    for (const IniLine& line : found->Lines)
        if (line.IsKey && EqualNoCase(line.Name, wanted))
            return &line;
    return nullptr;
}

// The numeric reading of the profile functions: leading control characters
// and blanks skipped, one sign, a 0x/0o/0b prefix, then digits of that base
// up to the first character that is none; the value wraps at 32 bits.
uint32_t ParseProfileNumber(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (unsigned char)text[i] <= ' ')
        ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        minus = text[i] == '-';
        ++i;
    }
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        char prefix = text[i + 1];
        if (prefix == 'x' || prefix == 'o' || prefix == 'b') {
            base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : 2;
            i += 2;
        }
    }
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
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

} // namespace

void ParseIniDocument(IniDocument& document, std::string bytes)
{
    document = IniDocument();
    document.Source = std::move(bytes);
    DecodedText decoded;
    Decode(document.Source, document.Encoding, decoded);
    const std::string& text = *decoded.Text;
    AddSection(document, "", false, ByteSpan{});
    bool lineEndSeen = false;
    size_t position = decoded.Width == 1 ? decoded.Start : 0;
    const size_t textStart = position;
    while (position < text.size()) {
        size_t end = position;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        size_t next = end;
        if (next < text.size()) {
            next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
            if (!lineEndSeen) {
                document.LineEnd = text.substr(end, next - end);
                lineEndSeen = true;
            }
        }
        ByteSpan raw;
        raw.Start = decoded.Start + (position - textStart) * decoded.Width;
        raw.Length = (next - position) * decoded.Width;
        size_t begin = position;
        position = next;

        TrimBounds(text, begin, end);
        if (begin < end && text[begin] == '[') {
            size_t close = text.rfind(']', end - 1);
            if (close != std::string::npos && close > begin) {
                size_t nameBegin = begin + 1;
                size_t nameEnd = close;
                TrimBounds(text, nameBegin, nameEnd);
                AddSection(document, text.substr(nameBegin, nameEnd - nameBegin), true, raw);
                continue;
            }
        }
        document.Sections.back().Lines.push_back(ParseLine(text, begin, end, raw));
    }
}

std::string SerializeIniDocument(const IniDocument& document)
{
    std::string out;
    switch (document.Encoding) {
    case TextEncoding::Utf8: out = "\xEF\xBB\xBF"; break;
    case TextEncoding::Utf16Le: out = "\xFF\xFE"; break;
    case TextEncoding::Utf16Be: out = "\xFE\xFF"; break;
    case TextEncoding::Ansi: break;
    }
    const size_t start = out.size();
    const std::string lineEnd = Encode(document.LineEnd, document.Encoding);
    // A kept last line may lack its line end; anything written after it
    // starts on a line of its own.
    auto endLine = [&] {
        if (out.size() == start)
            return;
        // The last character, whole: in UTF-16 both of its bytes.
        char last = out.back();
        if (document.Encoding == TextEncoding::Utf16Le)
            last = out.back() == 0 ? out[out.size() - 2] : '?';
        else if (document.Encoding == TextEncoding::Utf16Be)
            last = out[out.size() - 2] == 0 ? out.back() : '?';
        if (last != '\r' && last != '\n')
            out += lineEnd;
    };
    auto writeNew = [&](const std::string& text) {
        endLine();
        out += Encode(text, document.Encoding);
        out += lineEnd;
    };
    for (const IniSection& section : document.Sections) {
        if (section.Removed)
            continue;
        if (section.HasHeader) {
            if (section.HeaderRaw.Length) {
                endLine();
                out.append(document.Source, section.HeaderRaw.Start, section.HeaderRaw.Length);
            } else {
                if (out.size() != start)
                    writeNew("");
                writeNew("[" + section.Name + "]");
            }
        }
        for (const IniLine& line : section.Lines) {
            if (line.Raw.Length) {
                endLine();
                out.append(document.Source, line.Raw.Start, line.Raw.Length);
            } else {
                writeNew(line.HasValue ? line.Name + "=" + line.Value : line.Name);
            }
        }
    }
    return out;
}

std::string IniGetString(const IniDocument& document, const char* section, const char* key, const char* fallback,
                         int size)
{
    if (size <= 0)
        return std::string();
    const IniLine* line = FindKey(document, section, key);
    std::string value = line && line->HasValue ? line->Value : std::string(fallback);
    // One pair of enclosing quotes is dropped.  As in the profile functions,
    // the closing quote is cut off only when the text after the opening quote
    // fits the buffer whole.
    bool quoted = value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
    if (quoted)
        value.erase(0, 1);
    bool fits = value.size() <= size_t(size);
    if (value.size() > size_t(size - 1))
        value.resize(size_t(size - 1));
    if (quoted && fits && !value.empty())
        value.pop_back();
    return value;
}

uint32_t IniGetInt(const IniDocument& document, const char* section, const char* key, int32_t fallback)
{
    // The profile functions read the number through a 30-character buffer.
    std::string text = IniGetString(document, section, key, "", 30);
    if (text.empty())
        return uint32_t(fallback);
    return ParseProfileNumber(text);
}

void IniSetString(IniDocument& document, const char* section, const char* key, const char* value)
{
    // Leading blanks are not stored (reading would drop them anyway).
    std::string newValue = value;
    size_t blanks = 0;
    while (blanks < newValue.size() && IsBlank((unsigned char)newValue[blanks]))
        ++blanks;
    newValue.erase(0, blanks);

    IniSection* found = FindSection(document, section);
    if (!found)
        found = &AddSection(document, Trim(section), true, ByteSpan{});
    std::string wanted = Trim(key);
    for (IniLine& line : found->Lines) {
        if (line.IsKey && EqualNoCase(line.Name, wanted)) {
            if (line.HasValue && line.Value == newValue)
                return;
            line.Value = newValue;
            line.HasValue = true;
            line.Raw = ByteSpan{};
            document.Changed = true;
            return;
        }
    }
    IniLine line;
    line.Name = Trim(key);
    line.Value = newValue;
    line.IsKey = true;
    line.HasValue = true;
    // After the section's last non-blank line, so blank lines that separate
    // it from the next section stay below.
    auto lastUsed = std::find_if(found->Lines.rbegin(), found->Lines.rend(), [](const IniLine& l) { return l.IsKey; });
    found->Lines.insert(lastUsed.base(), std::move(line));
    document.Changed = true;
}

void IniRemoveSection(IniDocument& document, const char* section)
{
    auto found = document.Index.find(Lower(Trim(section)));
    if (found == document.Index.end())
        return;
    for (size_t index : found->second)
        document.Sections[index].Removed = true;
    document.Index.erase(found);
    document.Changed = true;
}
