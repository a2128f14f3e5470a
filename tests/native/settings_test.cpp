#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "data/ini_document.h"
#include "data/settings.h"
#include "shell/state.h"
#include "table_fixture.h"

namespace {

class SettingsTest : public TableTest {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/tq-settings-XXXXXX";
        Directory = mkdtemp(pattern);
        File = Directory + "/TQ.INI";
        std::snprintf(SettingsPath, sizeof SettingsPath, "%s", File.c_str());
        SetToday(2026, 6, 10);
    }
    void TearDown() override
    {
        chmod(File.c_str(), 0644);
        std::remove(File.c_str());
        rmdir(Directory.c_str());
        SettingsPath[0] = 0;
        TaskBarOption = 0;
        TimerPeriod = 0;
        TableTest::TearDown();
    }
    void Write(const std::string& text) const
    {
        std::ofstream(File, std::ios::binary) << text;
    }
    std::string Read() const
    {
        std::ifstream in(File, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Exists() const
    {
        return access(File.c_str(), F_OK) == 0;
    }
    // Values as the profile functions would read them from the file now.
    std::string Value(const char* section, const char* key) const
    {
        IniDocument document;
        ParseIniDocument(document, Read());
        return IniGetString(document, section, key, "<missing>", 256);
    }
    std::string Directory;
    std::string File;
};

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

TEST(MessageEscaping, KeepsTheLengthAndOnlyTouchesCrLf)
{
    struct {
        const char* Memory;
        const char* File;
    } cases[] = {
        {"a\r\nb", "a\\nb"}, {"a\rb\nc", "a\rb\nc"}, {"\r\n\r\n", "\\n\\n"}, {"back\\slash", "back\\slash"},
        {"", ""},
    };
    for (auto& c : cases) {
        char file[MessageSize];
        EscapeMessage(c.Memory, file, sizeof file);
        EXPECT_STREQ(file, c.File);
        char memory[MessageSize];
        std::snprintf(memory, sizeof memory, "%s", c.File);
        UnescapeMessage(memory);
        EXPECT_STREQ(memory, c.Memory);
    }
    // A typed backslash-n comes back as a line break: there is no escape for it.
    char typed[] = "C:\\new";
    UnescapeMessage(typed);
    EXPECT_STREQ(typed, "C:\r\new");
    // 255 characters stay 255 characters either way.
    std::string longest;
    for (int i = 0; i < 127; ++i)
        longest += "\r\n";
    longest += "x";
    char file[MessageSize];
    EscapeMessage(longest.c_str(), file, sizeof file);
    EXPECT_EQ(std::string(file).size(), 255u);
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
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "TQ fatal error: Could not save the settings file\n");
    EXPECT_EQ(Read(), text);
    EXPECT_EQ(EntryTable.Count, 1);

    std::snprintf(SettingsPath, sizeof SettingsPath, "%s/missing/TQ.INI", Directory.c_str());
    testing::internal::CaptureStderr();
    EXPECT_EQ(SaveSettings(), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not save"), std::string::npos);
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
