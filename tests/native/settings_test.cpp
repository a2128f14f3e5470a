#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/ini_document.h"
#include "data/platform.h"
#include "data/settings.h"
#include "shell/state.h"
#include "settings_fixture.h"
#include "table_fixture.h"
#include "tests/file_bytes.h"

namespace {

TEST_F(SettingsTest, NoFileLoadsDefaultsAndTheFirstSaveCreatesIt)
{
    LoadSettings(1);
    EXPECT_EQ(TaskBarOption, 1);
    EXPECT_EQ(TimerPeriod, 60000u);
    EXPECT_EQ(EntryTable.Count, 0);
    EXPECT_EQ(EntryTable.LoadedCount, 0);
    EXPECT_FALSE(Exists());
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_EQ(Read(), "[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries=0\r\n");
}

TEST_F(SettingsTest, EntryRoundTripKeepsNegativeDayAndTwoLineMessage)
{
    LoadSettings(1);
    GrowEntryTable(0);
    ReminderEntry& entry = EntryTable.Slots[0];
    entry.Day = -6;
    entry.Year = 2026;
    entry.Skip = 20614;
    entry.Active = 1;
    entry.Again = 34590;
    std::snprintf(entry.Message, MessageSize, "Pay the rent\r\nby Friday");
    EntryTable.Count = 1;
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_STREQ(entry.Message, "Pay the rent\r\nby Friday"); // memory keeps CR LF
    EXPECT_EQ(Read(), "[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries=1\r\n\r\n"
                      "[1]\r\nDay=-6\r\nMonth=0\r\nYear=2026\r\nBefore=0\r\nAfter=0\r\nSkip=20614\r\n"
                      "Active=1\r\nAgain=34590\r\nMessage=Pay the rent\\nby Friday\r\n");
    ReleaseEntryTable();
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 1);
    EXPECT_EQ(EntryTable.Slots[0].Day, -6);
    EXPECT_EQ(EntryTable.Slots[0].Skip, 20614);
    EXPECT_EQ(EntryTable.Slots[0].Again, 0); // dropped at start-up
    EXPECT_EQ(EntryTable.Slots[0].MatchingDate, 20619);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "Pay the rent\r\nby Friday");
    ReleaseEntryTable();
    LoadSettings(0); // the editor's Cancel takes the stored time over
    EXPECT_EQ(EntryTable.Slots[0].Again, 34590);
}

TEST(MessageEscaping, EveryLineBreakStaysOnTheLineAndComesBackAsCrLf)
{
    struct {
        const char* Memory;
        const char* File;
        const char* Back; // the message after a save and a load
    } cases[] = {
        {"a\r\nb", "a\\nb", "a\r\nb"},
        {"a\rb\nc", "a\\nb\\nc", "a\r\nb\r\nc"},
        {"\n\r", "\\n\\n", "\r\n\r\n"}, // LF then CR: two breaks, not one
        {"\r\n\r\n", "\\n\\n", "\r\n\r\n"},
        {"Pasted note\n[2]\nMessage=not the second entry", "Pasted note\\n[2]\\nMessage=not the second entry",
         "Pasted note\r\n[2]\r\nMessage=not the second entry"},
        {"back\\slash", "back\\slash", "back\\slash"},
        {"", "", ""},
    };
    for (auto& c : cases) {
        char file[2 * MessageSize];
        EscapeMessage(c.Memory, file, sizeof file);
        EXPECT_STREQ(file, c.File);
        EXPECT_EQ(std::strpbrk(file, "\r\n"), nullptr);
        char memory[MessageSize];
        std::snprintf(memory, sizeof memory, "%s", c.File);
        UnescapeMessage(memory);
        EXPECT_STREQ(memory, c.Back);
    }
    // A typed backslash-n comes back as a line break: there is no escape for it.
    char typed[] = "C:\\new";
    UnescapeMessage(typed);
    EXPECT_STREQ(typed, "C:\r\new");
    // 255 characters with CR LF breaks stay 255 characters either way.
    std::string longest;
    for (int i = 0; i < 127; ++i)
        longest += "\r\n";
    longest += "x";
    char file[MessageSize];
    EscapeMessage(longest.c_str(), file, sizeof file);
    EXPECT_EQ(std::string(file).size(), 255u);
    // A break that no longer fits is never written half.
    char small[4];
    EscapeMessage("ab\ncd", small, sizeof small);
    EXPECT_STREQ(small, "ab");
}

TEST(MessageEscaping, NormalizingMakesEveryBreakCrLfWithinTheField)
{
    struct {
        const char* Typed;
        int Size;
        const char* Kept;
    } cases[] = {
        {"one\ntwo", MessageSize, "one\r\ntwo"},
        {"one\rtwo", MessageSize, "one\r\ntwo"},
        {"one\r\ntwo", MessageSize, "one\r\ntwo"},
        {"a\n\rb\r\r\nc", MessageSize, "a\r\n\r\nb\r\n\r\nc"},
        {"\n", MessageSize, "\r\n"},
        {"abcd\nx", 6, "abcd"}, // the break does not fit whole: left out, and what follows
        {"ab\ncd", 6, "ab\r\nc"}, // what follows a break that fits, until full
        {"abcdef", 4, "abc"},
    };
    for (auto& c : cases) {
        char message[MessageSize];
        std::snprintf(message, sizeof message, "%s", c.Typed);
        NormalizeLineBreaks(message, c.Size);
        EXPECT_STREQ(message, c.Kept) << c.Typed;
    }
    // A field full of lone breaks keeps 255 characters and whole pairs.
    char message[MessageSize];
    std::memset(message, '\n', MessageSize - 1);
    message[MessageSize - 1] = 0;
    NormalizeLineBreaks(message, MessageSize);
    EXPECT_EQ(std::strlen(message), 254u);
    EXPECT_EQ(message[252], '\r');
    EXPECT_EQ(message[253], '\n');
}

TEST_F(SettingsTest, MessageLongerThan255IsCut)
{
    Write("[Options]\nEntries=1\n[1]\nActive=1\nMessage=" + std::string(300, 'm') + "\n");
    LoadSettings(1);
    EXPECT_EQ(std::string(EntryTable.Slots[0].Message), std::string(255, 'm'));
}

TEST_F(SettingsTest, SurplusSectionsAreCountedAgainstTheLastLoad)
{
    std::string text = "[Options]\r\nEntries=5\r\n";
    for (int i = 1; i <= 5; ++i)
        text += "[" + std::to_string(i) + "]\r\nDay=" + std::to_string(i) + "\r\nActive=1\r\n";
    Write(text);
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 5);
    EntryTable.Count = 3;
    SaveSettings();
    EXPECT_EQ(Value("Options", "Entries"), "3");
    EXPECT_EQ(Value("3", "Day"), "3");
    EXPECT_EQ(Value("4", "Day"), "<missing>");
    EXPECT_EQ(Value("5", "Day"), "<missing>");

    // The same run grows to 7 and saves, shrinks to 5 and saves: the last
    // load read 5, so sections 6 and 7 are left behind, never read.
    GrowEntryTable(7);
    for (int i = 3; i < 7; ++i)
        EntryTable.Slots[i].Day = 10 + i;
    EntryTable.Count = 7;
    SaveSettings();
    EXPECT_EQ(Value("7", "Day"), "16");
    EntryTable.Count = 5;
    SaveSettings();
    EXPECT_EQ(Value("Options", "Entries"), "5");
    EXPECT_EQ(Value("6", "Day"), "15");
    EXPECT_EQ(Value("7", "Day"), "16");
    EXPECT_EQ(EntryTable.LoadedCount, 5);
}

TEST_F(SettingsTest, WarningDaysAreClampedAtLoadAndSavedClamped)
{
    Write("[Options]\nEntries=1\n[1]\nBefore=15\nAfter=-4\nActive=1\n");
    LoadSettings(1);
    EXPECT_EQ(EntryTable.Slots[0].Before, 9);
    EXPECT_EQ(EntryTable.Slots[0].After, 0);
    EXPECT_EQ(Value("1", "Before"), "15"); // the file keeps its text until the next save
    SaveSettings();
    EXPECT_EQ(Value("1", "Before"), "9");
    EXPECT_EQ(Value("1", "After"), "0");
}

TEST_F(SettingsTest, MissingSectionLoadsAsZeroEntryAndOthersStay)
{
    Write("[Options]\nEntries=2\n[1]\nDay=5\nActive=1\nMessage=one\n[3]\nDay=7\nMessage=three\n");
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 2);
    EXPECT_EQ(EntryTable.Slots[0].Day, 5);
    EXPECT_EQ(EntryTable.Slots[1].Day, 0);
    EXPECT_EQ(EntryTable.Slots[1].Active, 0);
    EXPECT_STREQ(EntryTable.Slots[1].Message, "");
    SaveSettings();
    EXPECT_EQ(Value("2", "Active"), "0");
    EXPECT_EQ(Value("3", "Message"), "three");
}

TEST_F(SettingsTest, NothingChangedLeavesTheFileAlone)
{
    // Written by hand, in another letter case and spacing, but with every
    // value the program would write: a save does not touch the file.
    const std::string text = "; my reminders\n[options]\ntask bar = 1\nTimer period=60000\nEntries=1\n\n"
                             "[1]\nDay=5\nMonth=0\nYear=0\nBefore=0\nAfter=0\nSkip=0\nActive=1\nAgain=0\n"
                             "Message=  spaced\nColour=blue";
    Write(text);
    LoadSettings(1);
    struct stat before;
    ASSERT_EQ(stat(File.c_str(), &before), 0);
    EXPECT_EQ(SaveSettings(), 1);
    struct stat after;
    ASSERT_EQ(stat(File.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(Read(), text);
}

TEST_F(SettingsTest, ChangesKeepCommentsUnknownKeysAndSections)
{
    Write("; my reminders\n[options]\ntask bar = 0\nEntries=1\n\n[1]\nDay=5\nActive=1\nColour=blue\n\n"
          "[Extra]\nkey=value");
    LoadSettings(1);
    EntryTable.Slots[0].Day = 6;
    SaveSettings();
    EXPECT_EQ(Read(), "; my reminders\n[options]\ntask bar = 0\nEntries=1\nTimer period=60000\n\n"
                      "[1]\nDay=6\nActive=1\nColour=blue\nMonth=0\nYear=0\nBefore=0\nAfter=0\nSkip=0\n"
                      "Again=0\nMessage=\n\n[Extra]\nkey=value");
}

TEST_F(SettingsTest, NegativeOrAbsurdEntryCountIsFatal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* count : {"-1", "4000000000", "100001"}) {
        Write(std::string("[Options]\nEntries=") + count + "\n");
        EXPECT_EXIT(LoadSettings(1), ::testing::ExitedWithCode(1), "Not enough memory") << count;
    }
}

TEST_F(SettingsTest, FailedSavesAreReportedAndKeepTheOldFile)
{
    const std::string text = "[Options]\nEntries=0\n";
    Write(text);
    LoadSettings(1);
    GrowEntryTable(0);
    EntryTable.Count = 1;
    chmod(File.c_str(), 0444);
    testing::internal::CaptureStderr();
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "TQ fatal error: Could not save the settings file " + File + ": Permission denied\n");
    EXPECT_EQ(Read(), text);
    EXPECT_EQ(EntryTable.Count, 1);

    std::snprintf(SettingsPath, sizeof SettingsPath, "%s/missing/TQ.INI", Directory.c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "TQ fatal error: Could not save the settings file " +
                                                          Directory + "/missing/TQ.INI: No such file or directory\n");
    EXPECT_EQ(access((Directory + "/missing").c_str(), F_OK), -1);
}

TEST_F(SettingsTest, BareNameIsInTheCurrentDirectory)
{
    char previous[PathSize];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(Directory.c_str()), 0);
    std::snprintf(SettingsPath, sizeof SettingsPath, "TQ.INI");
    SaveSettings();
    EXPECT_TRUE(Exists());
    ASSERT_EQ(chdir(previous), 0);
}

} // namespace

namespace {

TEST_F(SettingsTest, APastedLineBreakNeverReachesAnotherEntry)
{
    Write("[Options]\r\nEntries=2\r\n[1]\r\nActive=1\r\nMessage=first\r\n[2]\r\nDay=5\r\nActive=1\r\nMessage=second\r\n");
    LoadSettings(1);
    // As a dialog stores it: LF alone, CR alone and CR LF.
    std::snprintf(EntryTable.Slots[0].Message, MessageSize, "Pasted note\n[2]\rMessage=not the second entry\r\nend");
    ASSERT_EQ(SaveSettings(), 1);
    ReleaseEntryTable();
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 2);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "Pasted note\r\n[2]\r\nMessage=not the second entry\r\nend");
    EXPECT_EQ(EntryTable.Slots[1].Day, 5);
    EXPECT_EQ(EntryTable.Slots[1].Active, 1);
    EXPECT_STREQ(EntryTable.Slots[1].Message, "second");
    EXPECT_EQ(Read().find("\n[2]\r\nMessage=not"), std::string::npos);
}

TEST_F(SettingsTest, ALinkedFileStaysLinkedAndItsTargetGetsTheText)
{
    const std::string target = Directory + "/real.ini";
    const std::string link = Directory + "/link.ini";
    WriteFileBytes(target, "[Options]\nEntries=0\n");
    ASSERT_EQ(symlink("real.ini", link.c_str()), 0);
    std::snprintf(SettingsPath, sizeof SettingsPath, "%s", link.c_str());
    LoadSettings(1);
    TimerPeriod = 1234;
    ASSERT_EQ(SaveSettings(), 1);
    struct stat status;
    ASSERT_EQ(lstat(link.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    EXPECT_NE(ReadFileBytes(target).find("Timer period=1234"), std::string::npos);
    std::remove(link.c_str());
    std::remove(target.c_str());
}

TEST_F(SettingsTest, PlantedOrLeftOverTemporaryFilesAreNeverWrittenThroughAndNeverBlock)
{
    Write("[Options]\nEntries=0\n");
    const std::string victim = Directory + "/victim";
    WriteFileBytes(victim, "keep me");
    // Links and stale files at every name a save of this process could pick
    // first, and at the fixed name of earlier versions.
    std::vector<std::string> planted = {File + ".tq-new"};
    for (int serial = 1; serial <= 300; ++serial)
        planted.push_back(File + ".tq-" + std::to_string(getpid()) + "-" + std::to_string(serial));
    for (size_t i = 0; i < planted.size(); ++i) {
        if (i % 2 == 0)
            ASSERT_EQ(symlink(victim.c_str(), planted[i].c_str()), 0);
        else
            WriteFileBytes(planted[i], "left over");
    }
    LoadSettings(1);
    TimerPeriod = 4321;
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_NE(Read().find("Timer period=4321"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(victim), "keep me");
    for (const std::string& name : planted) {
        struct stat status;
        EXPECT_EQ(lstat(name.c_str(), &status), 0) << name;
        std::remove(name.c_str());
    }
    std::remove(victim.c_str());
}

TEST_F(SettingsTest, ASaveLeavesNoTemporaryFileAndKeepsTheFilesMode)
{
    Write("[Options]\nEntries=0\n");
    chmod(File.c_str(), 0600);
    LoadSettings(1);
    TimerPeriod = 99;
    ASSERT_EQ(SaveSettings(), 1);
    struct stat status;
    ASSERT_EQ(stat(File.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    std::string listing;
    if (DIR* folder = opendir(Directory.c_str())) {
        while (dirent* item = readdir(folder))
            if (item->d_name[0] != '.')
                listing += std::string(item->d_name) + " ";
        closedir(folder);
    }
    EXPECT_EQ(listing, "TQ.INI ");
}

} // namespace

namespace {

// A bare file name where the Windows directory cannot be written: the file
// lives in the per-user folder, and starts from what the Windows directory
// (or Windows' virtual store) holds.
class PerUserSettingsTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        Folders.System = Directory + "/windows";
        Folders.PerUser = Directory + "/appdata/TQ";
        Folders.VirtualStore = Directory + "/virtualstore";
        mkdir(Folders.System.c_str(), 0755);
        mkdir((Directory + "/appdata").c_str(), 0755);
        mkdir(Folders.VirtualStore.c_str(), 0755);
        std::snprintf(SettingsPath, sizeof SettingsPath, "TQ.INI");
    }
    void TearDown() override
    {
        SetSettingsFolders(nullptr, false);
        for (const std::string& file : {SystemFile(), PerUserFile(), VirtualFile()})
            std::remove(file.c_str());
        for (const std::string& folder : {Folders.System, Folders.PerUser, Directory + "/appdata", Folders.VirtualStore})
            rmdir(folder.c_str());
        SettingsTest::TearDown();
    }
    std::string SystemFile() const { return Folders.System + "/TQ.INI"; }
    std::string PerUserFile() const { return Folders.PerUser + "/TQ.INI"; }
    std::string VirtualFile() const { return Folders.VirtualStore + "/TQ.INI"; }
    SettingsFolders Folders;
};

TEST(CanCreateFilesIn, TriesAndLeavesNothing)
{
    char pattern[] = "/tmp/tq-probe-XXXXXX";
    std::string folder = mkdtemp(pattern);
    EXPECT_TRUE(CanCreateFilesIn(folder));
    EXPECT_EQ(rmdir(folder.c_str()), 0) << "the probe file is gone";
    EXPECT_FALSE(CanCreateFilesIn(folder + "/missing"));
}

TEST_F(PerUserSettingsTest, AWritableWindowsDirectoryKeepsTheFile)
{
    SetSettingsFolders(&Folders, true);
    SettingsFiles files = LocateSettingsFiles();
    EXPECT_EQ(files.Read, SystemFile());
    EXPECT_EQ(files.Write, SystemFile());
    EXPECT_EQ(files.Folder, "");
    LoadSettings(1);
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_TRUE(FileExists(SystemFile()));
    EXPECT_FALSE(FileExists(Folders.PerUser));
}

TEST_F(PerUserSettingsTest, AnUnwritableWindowsDirectoryIsTakenOverOnceAndThenLeftAlone)
{
    SetSettingsFolders(&Folders, false);
    struct Case {
        const char* What;
        bool InSystem, InVirtualStore;
        const char* Message;
    } cases[] = {
        {"nothing yet: a new file in the per-user folder", false, false, ""},
        {"the Windows directory's file", true, false, "in the Windows directory"},
        {"the virtual store's copy wins over the file it was copied from", true, true, "in the virtual store"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        std::remove(PerUserFile().c_str());
        rmdir(Folders.PerUser.c_str());
        std::remove(SystemFile().c_str());
        std::remove(VirtualFile().c_str());
        const std::string kept = "; kept as it was\n[Options]\nEntries=1\n[1]\nActive=1\nMessage=";
        if (c.InSystem)
            WriteFileBytes(SystemFile(), kept + "in the Windows directory\n");
        if (c.InVirtualStore)
            WriteFileBytes(VirtualFile(), kept + "in the virtual store\n");
        LoadSettings(1);
        EXPECT_EQ(EntryTable.Count, c.InSystem ? 1 : 0);
        if (EntryTable.Count) {
            EXPECT_STREQ(EntryTable.Slots[0].Message, c.Message);
        }
        // The first save writes the per-user file, even with nothing changed,
        // and leaves the files it started from alone.
        ASSERT_EQ(SaveSettings(), 1);
        std::string saved = ReadFileBytes(PerUserFile());
        if (c.InSystem) {
            EXPECT_EQ(saved.rfind("; kept as it was\n[Options]\nEntries=1\n", 0), 0u) << saved;
            EXPECT_NE(saved.find(std::string("Message=") + c.Message + "\n"), std::string::npos) << saved;
            EXPECT_EQ(ReadFileBytes(SystemFile()), kept + "in the Windows directory\n");
        } else {
            EXPECT_EQ(saved, "[Options]\r\nTask bar=1\r\nTimer period=60000\r\nEntries=0\r\n");
        }
        // From then on the per-user file is read and written.
        WriteFileBytes(VirtualFile(), "[Options]\nEntries=0\n");
        ReleaseEntryTable();
        LoadSettings(1);
        EXPECT_EQ(EntryTable.Count, c.InSystem ? 1 : 0);
        EXPECT_EQ(LocateSettingsFiles().Read, PerUserFile());
        ReleaseEntryTable();
    }
}

} // namespace
