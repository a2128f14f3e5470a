// Fuzz target for the whole load, edit, save round trip: arbitrary bytes as a
// settings file, loaded; every entry changed in ways the dialogs can change
// it (messages with every kind of line break and text beyond ASCII), saved,
// and loaded again.  The entries come back as saved, and every key the
// program does not write keeps its value.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "data/dates.h"
#include "data/entry.h"
#include "data/ini_document.h"
#include "data/settings.h"
#include "shell/state.h"
#include "tests/file_bytes.h"

namespace {

void Check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

std::string Path()
{
    // TMPDIR on a memory file system keeps the flushes of every save cheap.
    static const char* folder = std::getenv("TMPDIR");
    static std::string path =
        std::string(folder && *folder ? folder : "/tmp") + "/tq-roundtrip-" + std::to_string(getpid()) + ".ini";
    return path;
}

// A message as a dialog could store it, made from fuzz bytes: any text,
// lone CR and LF included, but no backslash-n (which reads back as a break),
// no blanks or quotes at its ends (which reading drops).
void MakeMessage(const uint8_t* data, size_t size, size_t& at, char (&message)[MessageSize])
{
    size_t length = at < size ? data[at++] % 80 : 0;
    std::string text = "m";
    for (size_t i = 0; i < length && at < size; ++i, ++at) {
        char c = char(data[at]);
        if (c == 0 || c == '\\')
            c = '/';
        text += c;
    }
    text += "z";
    std::snprintf(message, sizeof message, "%s", text.c_str());
    NormalizeLineBreaks(message, MessageSize);
}

std::string Lower(const std::string& text)
{
    std::string lower;
    for (char c : text)
        lower += c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return lower;
}

// Each name once, by its ASCII lower case (as names are matched); a name
// with a NUL in it cannot be asked for.
std::map<std::string, std::string> Distinct(const std::vector<std::string>& names)
{
    std::map<std::string, std::string> distinct;
    for (const std::string& name : names)
        if (name.find('\0') == std::string::npos)
            distinct.emplace(Lower(name), name);
    return distinct;
}

// Every value the profile functions would read from a file, section -> key
// -> value, by names in lower case; "<none>" where there is none.
struct Values {
    IniDocument Document;
    std::map<std::string, std::string> Sections, Keys;
};

void ReadValues(Values& values, const std::string& bytes)
{
    ParseIniDocument(values.Document, bytes);
    std::vector<std::string> sections, keys;
    IniListNames(values.Document, sections, keys);
    values.Sections = Distinct(sections);
    values.Keys = Distinct(keys);
}

std::string ValueOf(const Values& values, const std::string& section, const std::string& key)
{
    return IniGetString(values.Document, section.c_str(), key.c_str(), "<none>", 256);
}

bool WrittenByProgram(const std::string& section, const std::string& key, int count)
{
    static const char* const optionKeys[] = {"task bar", "timer period", "entries"};
    static const char* const entryKeys[] = {"day", "month", "year", "before", "after",
                                            "skip", "active", "again", "message"};
    std::string name, lowerKey;
    for (char c : section)
        if (c != ' ' && c != '\t')
            name += char(std::tolower((unsigned char)c));
    for (char c : key)
        lowerKey += char(std::tolower((unsigned char)c));
    size_t begin = lowerKey.find_first_not_of(" \t");
    size_t end = lowerKey.find_last_not_of(" \t");
    lowerKey = begin == std::string::npos ? "" : lowerKey.substr(begin, end - begin + 1);
    if (name == "options") {
        for (const char* k : optionKeys)
            if (lowerKey == k)
                return true;
        return false;
    }
    for (int i = 1; i <= count + 5; ++i)
        if (name == std::to_string(i)) {
            if (i > count)
                return true; // a removed surplus section
            for (const char* k : entryKeys)
                if (lowerKey == k)
                    return true;
        }
    return false;
}

// Text with its control characters made visible, for a failure report.
std::string Visible(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        char code[8];
        std::snprintf(code, sizeof code, c < 0x20 || c >= 0x7F ? "\\x%02X" : "%c", c);
        out += code;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first bytes steer the edits; the rest is the file.
    if (size < 4)
        return 0;
    size_t steer = data[0] % 64;
    if (steer + 1 > size)
        steer = size - 1;
    const uint8_t* edits = data + 1;
    std::string bytes(reinterpret_cast<const char*>(data + 1 + steer), size - 1 - steer);
    IniDocument peek;
    ParseIniDocument(peek, bytes);
    int32_t entries = int32_t(IniGetInt(peek, "Options", "Entries", 0));
    if (entries < 0 || entries > 200)
        return 0;

    CalendarDate today{10, 6, 2026};
    SetFixedToday(&today);
    WriteFileBytes(Path(), bytes);
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", Path().c_str());
    LoadSettings(0);
    Values before;
    ReadValues(before, bytes);

    size_t at = 0;
    if (at < steer && edits[at++] % 3 == 0 && EntryTable.Count > 0)
        --EntryTable.Count; // the editor removed the last entry
    for (int i = 0; i < EntryTable.Count; ++i) {
        ReminderEntry& entry = EntryTable.Slots[i];
        if (at < steer) {
            entry.Day = int8_t(edits[at++]);
            entry.Again = at < steer ? RemindTimeFlag + edits[at++] : 0;
        }
        MakeMessage(edits, steer, at, entry.Message);
    }
    std::vector<ReminderEntry> saved(EntryTable.Slots, EntryTable.Slots + EntryTable.Count);
    int32_t savedCount = EntryTable.Count;
    if (SaveSettings() != 1)
        std::abort();

    ReleaseEntryTable();
    LoadSettings(0);
    Check(EntryTable.Count == savedCount, "entry count read back");
    for (int i = 0; i < EntryTable.Count; ++i) {
        const ReminderEntry& a = saved[size_t(i)];
        const ReminderEntry& b = EntryTable.Slots[i];
        Check(a.Day == b.Day && a.Month == b.Month && a.Year == b.Year && a.Before == b.Before &&
                  a.After == b.After && a.Skip == b.Skip && a.Active == b.Active && a.Again == b.Again,
              "entry fields read back");
        Check(std::strcmp(a.Message, b.Message) == 0, "message read back");
    }

    Values after;
    ReadValues(after, ReadFileBytes(Path()));
    for (const auto& [section, sectionName] : before.Sections)
        for (const auto& [key, keyName] : before.Keys) {
            std::string was = ValueOf(before, sectionName, keyName);
            if (was == "<none>" || WrittenByProgram(section, key, savedCount))
                continue;
            std::string is = ValueOf(after, sectionName, keyName);
            if (is != was)
                std::fprintf(stderr, "[%s] %s was \"%s\", is \"%s\"\n", Visible(section).c_str(), Visible(key).c_str(),
                             Visible(was).c_str(), Visible(is).c_str());
            Check(is == was, "a key the program does not write keeps its value");
        }
    ReleaseEntryTable();
    SetFixedToday(nullptr);
    std::remove(Path().c_str());
    return 0;
}
