#include "data/settings.h"

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
    // Room for a message whose every character is a lone line break.
    char message[2 * MessageSize];
    EscapeMessage(entry.Message, message, sizeof message);
    IniSetString(file, section, "Message", message);
}

bool IsBareFileName(const char* path)
{
    return std::strpbrk(path, "\\/:") == nullptr;
}

const SettingsFolders* FixedFolders;
bool FixedSystemWritable;

std::string Join(const std::string& folder, const char* name)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += PathSeparator;
    return path + name;
}

// Reads the settings file into a document: 1 read, 0 no file (an empty
// document), -1 not readable (also an empty document; reason says why).
int ReadSettingsDocument(IniDocument& file, const SettingsFiles& files, std::string* reason)
{
    std::string bytes;
    int read = ReadWholeFile(files.Read.c_str(), bytes, reason);
    ParseIniDocument(file, std::move(bytes));
    return read;
}

void ReportFailedSave(const std::string& path, const std::string& reason)
{
    char text[LONG_TEXT_SIZE];
    LoadTextInto(IDS_NO_SAVE, text, sizeof text);
    std::string message = std::string(text) + " " + path + ": " + reason;
    ShowErrorText(message.c_str(), 0);
}

} // namespace

void SetSettingsFolders(const SettingsFolders* folders, bool systemWritable)
{
    FixedFolders = folders;
    FixedSystemWritable = systemWritable;
}

SettingsFiles LocateSettingsFiles()
{
    SettingsFiles files;
    if (!IsBareFileName(SettingsPath)) {
        files.Read = files.Write = SettingsPath;
        return files;
    }
    SettingsFolders folders = FixedFolders ? *FixedFolders : ReadSettingsFolders();
    const std::string system = folders.System.empty() ? SettingsPath : Join(folders.System, SettingsPath);
    files.Read = files.Write = system;
    // Where the Windows directory can be written (old Windows, Wine, an
    // elevated user) the file lives there.  A standard user of today's
    // Windows cannot write there, and no virtualization saves the writes of
    // this program: it keeps the file in the user's own folder, starting from
    // the Windows directory's file (or the copy Windows made of it for older
    // programs) until the first save.
    bool systemWritable = FixedFolders ? FixedSystemWritable : CanCreateFilesIn(folders.System);
    if (folders.PerUser.empty() || systemWritable)
        return files;
    files.Write = Join(folders.PerUser, SettingsPath);
    files.Folder = folders.PerUser;
    if (FileExists(files.Write)) {
        files.Read = files.Write;
        return files;
    }
    if (!folders.VirtualStore.empty()) {
        std::string copy = Join(folders.VirtualStore, SettingsPath);
        if (FileExists(copy))
            files.Read = copy;
    }
    return files;
}

std::string SettingsFileName()
{
    return LocateSettingsFiles().Write;
}

void EscapeMessage(const char* message, char* out, int size)
{
    if (size <= 0)
        return;
    int length = 0;
    for (const char* c = message; *c; ++c) {
        if (*c == '\r' || *c == '\n') {
            // CR LF, or a CR or an LF on its own: one line break either way.
            if (c[0] == '\r' && c[1] == '\n')
                ++c;
            if (length + 2 > size - 1)
                break;
            out[length++] = '\\';
            out[length++] = 'n';
        } else {
            if (length + 1 > size - 1)
                break;
            out[length++] = *c;
        }
    }
    out[length] = 0;
}

void NormalizeLineBreaks(char* message, int size)
{
    if (size <= 0)
        return;
    std::string text;
    for (const char* c = message; *c; ++c) {
        if (*c == '\r' || *c == '\n') {
            if (c[0] == '\r' && c[1] == '\n')
                ++c;
            // A break that does not fit whole is left out.
            if (text.size() + 2 > size_t(size - 1))
                break;
            text += "\r\n";
        } else {
            if (text.size() + 1 > size_t(size - 1))
                break;
            text += *c;
        }
    }
    std::memcpy(message, text.c_str(), text.size() + 1);
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
    ReadSettingsDocument(file, LocateSettingsFiles(), nullptr); // a file that cannot be read loads as none

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
    SettingsFiles files = LocateSettingsFiles();
    std::string reason;
    if (ReadSettingsDocument(file, files, &reason) < 0) {
        // Never overwrite a file whose contents could not be read.
        ReportFailedSave(files.Read, reason);
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

    // A file taken over from elsewhere is written to its new place even when
    // nothing changed, so that it is found there from now on.
    if (!file.Changed && files.Read == files.Write)
        return 1;
    if (!files.Folder.empty())
        CreateFolder(files.Folder);
    FileResult written = ReplaceWholeFile(files.Write.c_str(), SerializeIniDocument(file));
    if (!written.Ok) {
        ReportFailedSave(files.Write, written.Reason);
        return 0;
    }
    return 1;
}
