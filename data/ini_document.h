// The settings file held in memory: read once, looked up and changed like
// the Windows profile functions do, written back once.
//
// Reading follows the profile functions: lines end at CR, LF or both; blanks
// around each line are dropped; "[name]" opens a section (the name is what
// stands between "[" and the last "]"); other lines are keys, "name=value"
// with blanks around "=" dropped, or a bare name without a value (comments
// included).  Section and key names match without regard to case; the first
// section of a name is the one looked up, and its first key of a name.  A
// byte-order mark selects UTF-8 or UTF-16 (little or big endian); otherwise
// the text is taken as ANSI bytes.
//
// Writing keeps every line the program does not change exactly as it was
// read, blank lines and comments included, in the file's own encoding and
// line ends.  A changed key is rewritten in place, a new key goes after the
// last line of its section, a new section at the end of the file.
#ifndef TQ_DATA_INI_DOCUMENT_H
#define TQ_DATA_INI_DOCUMENT_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// A stretch of the file's bytes as read (IniDocument::Source).
struct ByteSpan {
    size_t Start = 0;
    size_t Length = 0; // 0: no bytes as read (a new or rewritten line)
};

struct IniLine {
    ByteSpan Raw;      // the line as read, line end included
    std::string Name;  // key name; empty for a blank line
    std::string Value;
    bool IsKey;
    bool HasValue;     // the line has an "="
};

struct IniSection {
    std::string Name;      // as written between the brackets, blanks around it dropped
    ByteSpan HeaderRaw;    // the header line as read
    bool HasHeader;        // false only for the lines before the first section
    bool Removed;
    std::vector<IniLine> Lines;
};

struct IniDocument {
    std::string Source; // the file's bytes as read
    TextEncoding Encoding = TextEncoding::Ansi;
    std::string LineEnd = "\r\n";
    std::vector<IniSection> Sections;
    // lower-case section name -> indices of the sections of that name, in order
    std::unordered_map<std::string, std::vector<size_t>> Index;
    bool Changed = false;
};

// Parses the bytes of a settings file.
void ParseIniDocument(IniDocument& document, std::string bytes);

// The bytes to write back.
std::string SerializeIniDocument(const IniDocument& document);

// Reads like GetPrivateProfileStringA into a buffer of size bytes: at most
// size - 1 characters, one pair of enclosing quotes dropped; the default when
// the section, the key or its "=" is missing.
std::string IniGetString(const IniDocument& document, const char* section, const char* key, const char* fallback,
                         int size);

// Reads like GetPrivateProfileIntA: the default when missing or empty,
// otherwise the number the text begins with (sign, and 0x/0o/0b prefixes,
// wrapping like an unsigned 32-bit value), 0 when it begins with no number.
uint32_t IniGetInt(const IniDocument& document, const char* section, const char* key, int32_t fallback);

// Creates or replaces a key, creating its section when missing.  Marks the
// document changed only when the stored value differs.
void IniSetString(IniDocument& document, const char* section, const char* key, const char* value);

// Removes every section of that name with all its lines.
void IniRemoveSection(IniDocument& document, const char* section);

#endif
