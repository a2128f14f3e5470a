// The settings file on Windows itself: long paths, files held open by other
// processes for a moment, links, and what a failed save says.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "box_watcher.h"
#include "data/dates.h"
#include "data/entry.h"
#include "data/platform.h"
#include "data/settings.h"
#include "shell/state.h"

namespace {

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        wide[i] = wchar_t((unsigned char)text[i]);
    return wide;
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        Directory = std::string(temp) + "tq-file-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(Directory.c_str(), nullptr);
        InstanceHandle = LoadLibraryExA("TQ.EXE", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        CalendarDate today{10, 6, 2026};
        SetFixedToday(&today);
    }
    void TearDown() override
    {
        ReleaseEntryTable();
        SetFixedToday(nullptr);
        FreeLibrary(InstanceHandle);
        InstanceHandle = nullptr;
        // Everything below the folder, however deep (long form).
        RemoveTree(L"\\\\?\\" + Wide(Directory));
    }
    static void RemoveTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                std::wstring path = folder + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
    // A settings path of exactly length characters below the test folder.
    std::string PathOfLength(size_t length)
    {
        std::string path = Directory;
        const std::string name = "\\TQ.INI";
        while (path.size() + name.size() < length) {
            size_t room = length - name.size() - path.size() - 1;
            path += "\\" + std::string(std::min<size_t>(room, 60), 'd');
            CreateDirectoryW((L"\\\\?\\" + Wide(path)).c_str(), nullptr);
        }
        return path + name;
    }
    static void OneEntry(const char* message)
    {
        GrowEntryTable(1);
        EntryTable.Count = 1;
        EntryTable.Slots[0].Active = 1;
        std::snprintf(EntryTable.Slots[0].Message, MessageSize, "%s", message);
    }
    std::string Directory;
};

TEST_F(SettingsFile, EveryPathTheCommandLineTakesCanBeSaved)
{
    for (size_t length : {200u, 253u, 256u, 259u}) {
        std::string path = PathOfLength(length);
        ASSERT_EQ(path.size(), length);
        std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path.c_str());
        LoadSettings(1);
        OneEntry("long path");
        EXPECT_EQ(SaveSettings(), 1) << length;
        EntryTable.Slots[0].Day = 7; // the second save replaces an existing file
        EXPECT_EQ(SaveSettings(), 1) << length;
        ReleaseEntryTable();
        LoadSettings(1);
        ASSERT_EQ(EntryTable.Count, 1) << length;
        EXPECT_EQ(EntryTable.Slots[0].Day, 7);
        EXPECT_STREQ(EntryTable.Slots[0].Message, "long path");
        ReleaseEntryTable();
    }
}

TEST_F(SettingsFile, AFileHeldOpenForAMomentIsSavedOnceItIsFree)
{
    std::string path = Directory + "\\held.ini";
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path.c_str());
    LoadSettings(1);
    OneEntry("first");
    ASSERT_EQ(SaveSettings(), 1);
    // Another process (here: a thread) holds the file without sharing it.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(400);
        CloseHandle(held);
    });
    std::snprintf(EntryTable.Slots[0].Message, MessageSize, "second");
    BoxWatcher watcher("TQ fatal error");
    EXPECT_EQ(SaveSettings(), 1);
    release.join();
    EXPECT_EQ(watcher.Texts(), "");
    ReleaseEntryTable();
    LoadSettings(1);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "second");
}

TEST_F(SettingsFile, ALeftOverTemporaryFileNeverBlocksASave)
{
    std::string path = Directory + "\\stale.ini";
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", path.c_str());
    // Files a crashed save of an earlier run (or of this process id) left.
    std::vector<std::string> stale = {path + ".tq-new"};
    for (int serial = 1; serial <= 50; ++serial)
        stale.push_back(path + ".tq-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial));
    for (const std::string& name : stale) {
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        DWORD written;
        WriteFile(file, "left over", 9, &written, nullptr);
        CloseHandle(file);
    }
    LoadSettings(1);
    OneEntry("saved past the stale files");
    EXPECT_EQ(SaveSettings(), 1);
    ReleaseEntryTable();
    LoadSettings(1);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "saved past the stale files");
    for (const std::string& name : stale) {
        char bytes[16] = "";
        DWORD got = 0;
        HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ReadFile(file, bytes, sizeof bytes - 1, &got, nullptr);
        CloseHandle(file);
        EXPECT_STREQ(bytes, "left over") << name;
    }
}

TEST_F(SettingsFile, ABareNameMovesToThePerUserFolderWhereWindowsCannotBeWritten)
{
    SettingsFolders folders = ReadSettingsFolders();
    char windows[MAX_PATH], appData[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    EXPECT_EQ(folders.System, windows);
    EXPECT_EQ(folders.PerUser, std::string(appData) + "\\TQ");
    EXPECT_NE(folders.VirtualStore.find("\\VirtualStore\\windows"), std::string::npos) << folders.VirtualStore;
    EXPECT_TRUE(CanCreateFilesIn(folders.System)); // under Wine the Windows directory can be written

    const std::string name = "TQ-" + std::to_string(GetCurrentProcessId()) + ".INI";
    const std::string system = folders.System + "\\" + name;
    const std::string perUser = folders.PerUser + "\\" + name;
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", name.c_str());
    HANDLE file = CreateFileA(system.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char text[] = "[Options]\r\nEntries=1\r\n[1]\r\nActive=1\r\nMessage=from C:\\windows\r\n";
    DWORD written;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    CloseHandle(file);

    // As a standard user of Windows 10 sees it: the Windows directory cannot
    // be written.
    SetSettingsFolders(&folders, false);
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 1);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "from C:\\windows");
    std::snprintf(EntryTable.Slots[0].Message, MessageSize, "saved for this user");
    EXPECT_EQ(SaveSettings(), 1);
    ReleaseEntryTable();
    SetSettingsFolders(nullptr, false);
    EXPECT_NE(GetFileAttributesA(perUser.c_str()), INVALID_FILE_ATTRIBUTES) << perUser;
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", perUser.c_str());
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 1);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "saved for this user");
    DeleteFileA(perUser.c_str());
    DeleteFileA(system.c_str());
}

} // namespace
