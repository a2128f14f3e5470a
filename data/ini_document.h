// The settings file held in memory: read once, looked up and changed like
// the Windows profile functions do, written back once.
//
// Reading follows the profile functions: lines end at CR, LF or both; blanks
// around each line are dropped; "[name]" opens a section (the name is what
// stands between "[" and the last "]" of the line); other lines are keys,
// "name=value" with blanks around "=" dropped, or a bare name without a value
// (comments included).  Section and key names match without regard to the
// case of ASCII letters; the first section of a name is the one looked up,
// and its first key of a name.
//
// The file's text may be ANSI, UTF-8 (with a byte-order mark, or without one
// when it is valid UTF-8 holding a character beyond ASCII) or UTF-16 (little
// or big endian, with a mark).  Values are read as the program's ANSI text and
// written back in the file's own encoding, as the profile functions do.
//
// The document keeps the file's bytes and, for each line, where it starts:
// every search stays within one line, so reading is linear in the file's size.
// Writing keeps every line the program does not change exactly as it was
// read, blank lines and comments included, in the file's own encoding and
// line ends.  A changed key is rewritten in place, a new key goes after the
// last line of its section, a new section at the end of the file.
#ifndef TQ_DATA_INI_DOCUMENT_H
#define TQ_DATA_INI_DOCUMENT_H

#include <cstdint>
#include <string>
#include <vector>

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// Text of a file in that encoding (length in bytes; a lone last byte of
// UTF-16 is not taken) as the program's ANSI text, a character the code page
// lacks as "?".
std::string FileTextToAnsi(TextEncoding encoding, const unsigned char* bytes, size_t length);

// Larger files are not read: positions in the document are 32-bit.
constexpr size_t MaxSettingsFileSize = size_t(1) << 30;

constexpr uint32_t IniNone = UINT32_MAX;

// Text the program wrote: a stretch of IniDocument::Written, in the file's
// encoding.
struct IniText {
    uint32_t Start;
    uint32_t Length;
};

struct IniSection {
    uint32_t Header;      // line index of its "[name]" line; IniNone for the lines before the first section
                          // and for a section the program added
    uint32_t First, End;  // its lines after the header: [First, End)
    uint32_t InsertAfter; // new keys follow this line (its last non-blank one, or the header)
    uint32_t NameStart, NameLength; // the name's bytes, in Source (read) or Written (added)
    uint32_t Hash;
    uint32_t NextOfName;  // the next section of the same name, IniNone after the last
    uint32_t LastOfName;  // of the first section of a name: the last one of that name
    uint32_t FirstAdded, LastAdded; // keys the program added, in IniDocument::Added
    bool Named;           // false only for the lines before the first section
    bool Removed;
};

struct IniAddedLine {
    IniText Text;
    uint32_t Next;
};

struct IniDocument {
    std::string Source; // the file's bytes as read
    TextEncoding Encoding = TextEncoding::Ansi;
    bool ByteOrderMark = false;
    uint32_t TextStart = 0; // after the byte-order mark
    uint32_t TextEnd = 0;   // a lone last byte of a UTF-16 file lies beyond, and is kept
    std::string LineEnd;    // of new lines: the file's first line end, in its encoding
    std::vector<uint32_t> LineStarts; // where each line starts in Source, and TextEnd after the last
    std::vector<IniSection> Sections; // in file order, then those the program added
    std::vector<uint32_t> Buckets;    // hash index: 1 + the first section of a name, 0 empty
    uint32_t NamedCount = 0;          // sections with a name: what the index holds
    std::string Written;              // text of replaced and added lines and added section names
    std::vector<uint32_t> Replaced;   // per line, 1 + its replacement in Replacements (empty until one)
    std::vector<IniText> Replacements;
    std::vector<IniAddedLine> Added;
    bool Changed = false;
};

// Parses the bytes of a settings file.  Bytes beyond MaxSettingsFileSize are
// not taken (the file reader refuses such files).
void ParseIniDocument(IniDocument& document, std::string bytes);

// The bytes to write back.
std::string SerializeIniDocument(const IniDocument& document);

// Reads like GetPrivateProfileStringA into a buffer of size bytes: at most
// size - 1 characters of ANSI text, one pair of enclosing quotes dropped; the
// default when the section, the key or its "=" is missing.
std::string IniGetString(const IniDocument& document, const char* section, const char* key, const char* fallback,
                         int size);

// Reads like GetPrivateProfileIntA: the default when missing or empty,
// otherwise the number the text begins with (sign, and 0x/0o/0b prefixes,
// wrapping like an unsigned 32-bit value), 0 when it begins with no number.
uint32_t IniGetInt(const IniDocument& document, const char* section, const char* key, int32_t fallback);

// Creates or replaces a key, creating its section when missing.  Marks the
// document changed only when the value, read as ANSI text, differs from the
// stored one.  A line break in the value is stored as a blank: a value never
// leaves its line.
void IniSetString(IniDocument& document, const char* section, const char* key, const char* value);

// Sets several keys of one section, as many IniSetString calls in the same
// order would (the keys differ from each other), with one look for the
// section and one walk over its lines.
struct IniValue {
    const char* Key;
    const char* Value;
};
constexpr size_t MaxIniValues = 16;
void IniSetValues(IniDocument& document, const char* section, const IniValue* values, size_t count);

// Removes every section of that name with all its lines.
void IniRemoveSection(IniDocument& document, const char* section);

// The names of every section and every key, as ANSI text, in file order.
void IniListNames(const IniDocument& document, std::vector<std::string>& sections, std::vector<std::string>& keys);

#endif
