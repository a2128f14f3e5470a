#include "data/settings.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "data/dates.h"
#include "data/entry.h"
#include "data/ini_document.h"
#include "data/platform.h"
#include "resources/ids.h"
#include "shell/state.h"

namespace {

const char OptionsSection[] = "Options";

// The keys of an entry section, in the order they are read and written.
struct IntegerKey {
    const char* Name;
    int32_t ReminderEntry::*Field;
};
const IntegerKey EntryKeys[] = {
    {"Day", &ReminderEntry::Day},       {"Month", &ReminderEntry::Month}, {"Year", &ReminderEntry::Year},
    {"Before", &ReminderEntry::Before}, {"After", &ReminderEntry::After}, {"Skip", &ReminderEntry::Skip},
    {"Active", &ReminderEntry::Active}, {"Again", &ReminderEntry::Again},
};

void SectionName(int index, char (&name)[16])
{
    std::snprintf(name, sizeof name, "%d", index + 1);
}

void LoadEntry(const IniDocument& file, int index, int startUp)
{
    char section[16];
    SectionName(index, section);
    ReminderEntry& entry = EntryTable.Slots[index];
    for (const IntegerKey& key : EntryKeys) {
        // Repeat times of an earlier run are dropped at start-up; a reload
        // within the same run takes them over.
        if (startUp && key.Field == &ReminderEntry::Again)
            entry.*key.Field = 0;
        else
            entry.*key.Field = int32_t(IniGetInt(file, section, key.Name, 0));
    }
    ComputeMatchingDate(index);
    std::string message = IniGetString(file, section, "Message", "", MessageSize);
    std::snprintf(entry.Message, sizeof entry.Message, "%s", message.c_str());
    UnescapeMessage(entry.Message);
    ClampDays(entry.Before);
    ClampDays(entry.After);
}

void SaveEntry(IniDocument& file, int index)
{
    char section[16];
    SectionName(index, section);
    const ReminderEntry& entry = EntryTable.Slots[index];
    char value[16];
    for (const IntegerKey& key : EntryKeys) {
        std::snprintf(value, sizeof value, "%d", int(entry.*key.Field));
        IniSetString(file, section, key.Name, value);
    }
    char message[MessageSize];
    EscapeMessage(entry.Message, message, sizeof message);
    IniSetString(file, section, "Message", message);
}

// 1 when read, 0 when there is no such file, -1 when it cannot be read.
int ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    errno = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return errno == ENOENT ? 0 : -1;
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? -1 : 1;
}

// Reads the settings file into a document: 1 read, 0 no file (an empty
// document), -1 not readable or no usable path (also an empty document).
int ReadSettingsDocument(IniDocument& file, std::string& name)
{
    name = SettingsFileName();
    std::string bytes;
    int read = name.empty() ? -1 : ReadWholeFile(name.c_str(), bytes);
    ParseIniDocument(file, std::move(bytes));
    return read;
}

bool IsBareFileName(const char* path)
{
    return std::strpbrk(path, "\\/:") == nullptr;
}

} // namespace

std::string SettingsFileName()
{
    if (!IsBareFileName(SettingsPath))
        return SettingsPath;
    char directory[PathSize];
    if (!SettingsDirectory(directory, sizeof directory))
        return SettingsPath;
    std::string path = directory;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += PathSeparator;
    path += SettingsPath;
    if (path.size() >= size_t(PathSize))
        return std::string();
    return path;
}

void EscapeMessage(const char* message, char* out, int size)
{
    int length = 0;
    for (const char* c = message; *c && length < size - 1; ++c) {
        if (c[0] == '\r' && c[1] == '\n' && length + 2 <= size - 1) {
            out[length++] = '\\';
            out[length++] = 'n';
            ++c;
        } else {
            out[length++] = *c;
        }
    }
    out[length] = 0;
}

void UnescapeMessage(char* message)
{
    for (char* c = message; *c; ++c) {
        if (c[0] == '\\' && c[1] == 'n') {
            c[0] = '\r';
            c[1] = '\n';
            ++c;
        }
    }
}

void LoadSettings(int startUp)
{
    RefreshToday();
    IniDocument file;
    std::string name;
    ReadSettingsDocument(file, name); // a file that cannot be read loads as none

    TaskBarOption = int32_t(IniGetInt(file, OptionsSection, "Task bar", 1));
    TimerPeriod = IniGetInt(file, OptionsSection, "Timer period", int32_t(DefaultTimerPeriod));
    int32_t count = int32_t(IniGetInt(file, OptionsSection, "Entries", 0));
    if (count != 0) {
        GrowEntryTable(count);
        EntryTable.Count = 0;
        while (EntryTable.Count < EntryTable.Capacity) {
            int index = EntryTable.Count;
            EntryTable.Count = index + 1;
            LoadEntry(file, index, startUp);
        }
    }
    EntryTable.LoadedCount = EntryTable.Count;
}

int SaveSettings()
{
    // Read the file afresh: keys and sections written by hand since the
    // load survive the save.
    IniDocument file;
    std::string name;
    if (ReadSettingsDocument(file, name) < 0) {
        // Never overwrite a file whose contents could not be read.
        ShowError(IDS_NO_SAVE, 0);
        return 0;
    }

    char value[16];
    std::snprintf(value, sizeof value, "%u", unsigned(TaskBarOption));
    IniSetString(file, OptionsSection, "Task bar", value);
    std::snprintf(value, sizeof value, "%u", unsigned(TimerPeriod));
    IniSetString(file, OptionsSection, "Timer period", value);
    std::snprintf(value, sizeof value, "%d", int(EntryTable.Count));
    IniSetString(file, OptionsSection, "Entries", value);
    for (int i = 0; i < EntryTable.Count; ++i)
        SaveEntry(file, i);
    for (int i = EntryTable.Count; i < EntryTable.LoadedCount; ++i) {
        char section[16];
        SectionName(i, section);
        IniRemoveSection(file, section);
    }

    if (!file.Changed)
        return 1;
    if (!ReplaceWholeFile(name.c_str(), SerializeIniDocument(file))) {
        ShowError(IDS_NO_SAVE, 0);
        return 0;
    }
    return 1;
}
