// The settings document against the real profile functions: for every
// fixture file, every value read through the document equals what
// GetPrivateProfileStringA / GetPrivateProfileIntA return, and after a save
// the profile functions read back what was saved and everything else that
// was there.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "box_watcher.h"
#include "data/dates.h"
#include "data/entry.h"
#include "data/ini_document.h"
#include "data/settings.h"
#include "resources/ids.h"
#include "shell/state.h"
#include "tests/file_bytes.h"

namespace {

std::vector<std::string> Fixtures()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(TQ_FIXTURE_DIR "\\*.ini", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Every section and key as the profile functions see them: section -> key -> value.
using ProfileView = std::map<std::string, std::map<std::string, std::string>>;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = char(tolower((unsigned char)c));
    return text;
}

ProfileView ReadWithProfileFunctions(const std::string& path)
{
    ProfileView view;
    std::vector<char> names(1 << 16);
    DWORD length = GetPrivateProfileSectionNamesA(names.data(), DWORD(names.size()), path.c_str());
    for (const char* section = names.data(); section < names.data() + length && *section;
         section += strlen(section) + 1) {
        std::vector<char> keys(1 << 16);
        DWORD got = GetPrivateProfileSectionA(section, keys.data(), DWORD(keys.size()), path.c_str());
        for (const char* line = keys.data(); line < keys.data() + got && *line; line += strlen(line) + 1) {
            std::string key = line;
            size_t equals = key.find('=');
            if (equals != std::string::npos)
                key.resize(equals);
            char value[256];
            GetPrivateProfileStringA(section, key.c_str(), "<missing>", value, sizeof value, path.c_str());
            auto& keysOfSection = view[Lower(section)];
            keysOfSection.emplace(Lower(key), value); // the first of duplicates is the one read
        }
    }
    return view;
}

class ProfileOracle : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Directory = std::string(temp) + "tq-oracle-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Directory.c_str(), nullptr);
        Fixture = ReadFileBytes(std::string(TQ_FIXTURE_DIR "\\") + GetParam());
        CalendarDate today{10, 6, 2026};
        SetFixedToday(&today);
    }
    void TearDown() override
    {
        ReleaseEntryTable();
        SetFixedToday(nullptr);
        for (const std::string& file : Files) {
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(Directory.c_str());
    }
    std::string Copy(const char* name)
    {
        std::string path = Directory + "\\" + name;
        WriteFileBytes(path, Fixture);
        Files.push_back(path);
        return path;
    }
    // The fixture as the profile functions should see it.  They take a file
    // without a byte-order mark for ANSI, where the program reads valid UTF-8
    // as UTF-8: that file is compared with the profile functions reading it
    // with a mark.
    std::string CopyForProfile(const char* name)
    {
        IniDocument document;
        ParseIniDocument(document, Fixture);
        std::string path = Copy(name);
        if (document.Encoding == TextEncoding::Utf8 && !document.ByteOrderMark)
            WriteFileBytes(path, "\xEF\xBB\xBF" + Fixture);
        return path;
    }
    std::string Directory;
    std::string Fixture;
    std::vector<std::string> Files;
};

TEST_P(ProfileOracle, DocumentReadsWhatTheProfileFunctionsRead)
{
    std::string path = CopyForProfile("read.ini");
    IniDocument document;
    ParseIniDocument(document, Fixture);

    std::vector<std::string> sections = {"Options", "options", " Options ", "1", "2", "3", "4", "5", "6", "Notes",
                                         "Missing", "a]b", " 2 "};
    std::vector<std::string> keys = {"Task bar", "TASK BAR", "Timer period", "Entries", "Day",    "Month",
                                     "Year",     "Before",   "After",        "Skip",    "Active", "Again",
                                     "Message",  "Colour",   ";Day",         "Missing", "orphan", "just a line"};
    IniListNames(document, sections, keys);

    for (const std::string& section : sections) {
        for (const std::string& key : keys) {
            SCOPED_TRACE("[" + section + "] " + key);
            for (int size : {256, 30, 5}) {
                char real[256];
                GetPrivateProfileStringA(section.c_str(), key.c_str(), "dflt", real, size, path.c_str());
                EXPECT_EQ(IniGetString(document, section.c_str(), key.c_str(), "dflt", size), real) << size;
            }
            for (int fallback : {0, 1, -7, 60000}) {
                UINT real = GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, path.c_str());
                EXPECT_EQ(IniGetInt(document, section.c_str(), key.c_str(), fallback), real) << fallback;
            }
        }
    }
}

TEST_P(ProfileOracle, SaveIsReadBackAndKeepsWhatTheProgramDoesNotWrite)
{
    std::string original = CopyForProfile("original.ini");
    std::string saved = Copy("saved.ini");
    ProfileView before = ReadWithProfileFunctions(original);

    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", saved.c_str());
    LoadSettings(0);
    for (int i = 0; i < EntryTable.Count; ++i) {
        ReminderEntry& entry = EntryTable.Slots[i];
        entry.Day = i + 1;
        entry.Again = EncodeRemindTime(7, 30);
        std::snprintf(entry.Message, sizeof entry.Message, "saved %d \xE9\x80\r\nsecond line", i + 1);
    }
    if (EntryTable.Count > 0)
        --EntryTable.Count; // the last section goes
    ASSERT_EQ(SaveSettings(), 1);

    // A file that is UTF-8 without a mark stays so; the profile functions
    // read it as such only with a mark.
    std::string savedBytes = ReadFileBytes(saved);
    IniDocument savedDocument;
    ParseIniDocument(savedDocument, savedBytes);
    if (savedDocument.Encoding == TextEncoding::Utf8 && !savedDocument.ByteOrderMark) {
        saved = Copy("saved-marked.ini");
        WriteFileBytes(saved, "\xEF\xBB\xBF" + savedBytes);
    }
    const char* file = saved.c_str();
    EXPECT_EQ(GetPrivateProfileIntA("Options", "Task bar", 99, file), UINT(TaskBarOption));
    EXPECT_EQ(GetPrivateProfileIntA("Options", "Timer period", 99, file), TimerPeriod);
    EXPECT_EQ(int(GetPrivateProfileIntA("Options", "Entries", 99, file)), EntryTable.Count);
    for (int i = 0; i < EntryTable.Count; ++i) {
        std::string section = std::to_string(i + 1);
        const ReminderEntry& entry = EntryTable.Slots[i];
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Day", 99, file)), entry.Day);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Month", 99, file)), entry.Month);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Year", 99, file)), entry.Year);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Before", 99, file)), entry.Before);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "After", 99, file)), entry.After);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Skip", 99, file)), entry.Skip);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Active", 99, file)), entry.Active);
        EXPECT_EQ(int(GetPrivateProfileIntA(section.c_str(), "Again", 99, file)), entry.Again);
        char message[256];
        GetPrivateProfileStringA(section.c_str(), "Message", "", message, sizeof message, file);
        EXPECT_EQ(std::string(message), "saved " + section + " \xE9\x80\\nsecond line");
    }
    std::map<std::string, bool> removed;
    for (int i = EntryTable.Count; i < EntryTable.LoadedCount; ++i) {
        std::string section = std::to_string(i + 1);
        removed[section] = true;
        char keys[64];
        EXPECT_EQ(GetPrivateProfileSectionA(section.c_str(), keys, sizeof keys, file), 0u) << section;
    }

    static const char* const written[] = {"task bar", "timer period", "entries", "day",    "month",  "year",
                                          "before",   "after",        "skip",    "active", "again", "message"};
    ProfileView after = ReadWithProfileFunctions(saved);
    for (const auto& [section, keys] : before) {
        if (removed.count(section))
            continue;
        bool programSection = section == "options";
        for (int i = 0; i < EntryTable.Count; ++i)
            programSection = programSection || section == std::to_string(i + 1);
        for (const auto& [key, value] : keys) {
            bool isWritten = false;
            for (const char* name : written)
                isWritten = isWritten || (programSection && key == name);
            if (isWritten)
                continue;
            ASSERT_TRUE(after.count(section)) << "section lost: " << section;
            ASSERT_TRUE(after.at(section).count(key)) << "key lost: [" << section << "] " << key;
            EXPECT_EQ(after.at(section).at(key), value) << "[" << section << "] " << key;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ProfileOracle, ::testing::ValuesIn(Fixtures()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param.substr(0, info.param.find('.'));
                         });

// The platform's own words for an error, as the box gives them.
std::string SystemText(DWORD error)
{
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = 0;
    return text;
}

class FailedSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Directory = std::string(temp) + "tq-failed-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Directory.c_str(), nullptr);
        InstanceHandle = LoadLibraryExA("TQ.EXE", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(InstanceHandle, nullptr);
    }
    void TearDown() override
    {
        ReleaseEntryTable();
        FreeLibrary(InstanceHandle);
        InstanceHandle = nullptr;
        SetFileAttributesA(File.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(File.c_str());
        RemoveDirectoryA(Directory.c_str());
    }
    std::string Directory;
    std::string File;
};

TEST_F(FailedSave, ReadOnlyFileShowsTheBoxAndKeepsTheBytes)
{
    File = Directory + "\\readonly.ini";
    const std::string text = "[Options]\r\nEntries=0\r\n";
    WriteFileBytes(File, text);
    SetFileAttributesA(File.c_str(), FILE_ATTRIBUTE_READONLY);
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", File.c_str());
    LoadSettings(1);
    GrowEntryTable(0);
    EntryTable.Count = 1;
    BoxWatcher watcher("TQ fatal error");
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_EQ(watcher.Texts(), "Could not save the settings file " + File + ": " + SystemText(ERROR_ACCESS_DENIED) + "\n");
    EXPECT_EQ(ReadFileBytes(File), text);
    EXPECT_EQ(EntryTable.Count, 1);
}

TEST_F(FailedSave, MissingDirectoryShowsTheBox)
{
    File = Directory + "\\missing\\TQ.INI";
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", File.c_str());
    LoadSettings(1);
    BoxWatcher watcher("TQ fatal error");
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_EQ(watcher.Texts(), "Could not save the settings file " + File + ": " + SystemText(ERROR_PATH_NOT_FOUND) + "\n");
    EXPECT_EQ(GetFileAttributesA((Directory + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(SettingsFiles, BareNameIsInTheWindowsDirectory)
{
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::snprintf(SettingsPath, sizeof SettingsPath, "TQ.INI");
    EXPECT_EQ(LocateSettingsFiles().Write, std::string(windows) + "\\TQ.INI");
    std::snprintf(SettingsPath, sizeof SettingsPath, ".\\TQ.INI");
    EXPECT_EQ(LocateSettingsFiles().Write, ".\\TQ.INI");
}

} // namespace
