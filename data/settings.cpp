#include "data/settings.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <utility>

#include "data/dates.h"
#include "data/entry.h"
#include "data/ini_document.h"
#include "data/platform.h"
#include "data/settings_reader.h"
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
    *std::to_chars(name, name + sizeof name - 1, index + 1).ptr = 0; // "%d"
}

// A number in decimal, as "%d" (or "%u" of an unsigned value) writes it.
void FormatNumber(int64_t value, char (&text)[16])
{
    *std::to_chars(text, text + sizeof text - 1, value).ptr = 0;
}

void SaveEntry(IniDocument& file, int index)
{
    char section[16];
    SectionName(index, section);
    const ReminderEntry& entry = EntryTable.Slots[index];
    char numbers[8][16];
    IniValue values[9];
    for (size_t k = 0; k < 8; ++k) {
        FormatNumber(int64_t(entry.*EntryKeys[k].Field), numbers[k]);
        values[k] = IniValue{EntryKeys[k].Name, numbers[k]};
    }
    // Room for a message whose every character is a lone line break.
    char message[2 * MessageSize];
    EscapeMessage(entry.Message, message, sizeof message);
    values[8] = IniValue{"Message", message};
    IniSetValues(file, section, values, 9);
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
    for (char* c = std::strchr(message, '\\'); c; c = std::strchr(c, '\\')) {
        if (c[1] == 'n') {
            c[0] = '\r';
            c[1] = '\n';
            c += 2;
        } else {
            ++c;
        }
    }
}

void LoadSettings(int startUp)
{
    RefreshToday();
    ReadSettingsFile(LocateSettingsFiles().Read.c_str(), startUp); // a file that cannot be read loads as none
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

    char taskBar[16], timerPeriod[16], entries[16];
    FormatNumber(int64_t(uint32_t(TaskBarOption)), taskBar); // "%u"
    FormatNumber(int64_t(TimerPeriod), timerPeriod);
    FormatNumber(int64_t(EntryTable.Count), entries);
    const IniValue options[] = {{"Task bar", taskBar}, {"Timer period", timerPeriod}, {"Entries", entries}};
    IniSetValues(file, OptionsSection, options, 3);
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
