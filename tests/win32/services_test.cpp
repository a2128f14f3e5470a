// The shell services on Windows, with the strings of the built TQ.EXE.
#include <gtest/gtest.h>
#include <windows.h>

#include "data/entry.h"
#include "resources/strings.h"
#include "shell/services.h"
#include "shell/state.h"

namespace {

class ProgramStrings : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Program = LoadLibraryExA("TQ.EXE", nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(Program, nullptr) << "TQ.EXE must lie in the working directory";
        InstanceHandle = Program;
    }
    static void TearDownTestSuite()
    {
        InstanceHandle = nullptr;
        FreeLibrary(Program);
    }
    static HMODULE Program;
};
HMODULE ProgramStrings::Program;

TEST_F(ProgramStrings, EveryCatalogueTextLoadsByNumber)
{
#define TQ_CHECK_STRING(id, text) EXPECT_STREQ(LoadText(id), text) << #id;
    TQ_STRING_TABLE(TQ_CHECK_STRING)
#undef TQ_CHECK_STRING
}

TEST_F(ProgramStrings, AbsentNumbersLoadEmpty)
{
    for (int id : {0, 1023, 1035, 1039, 1053, 1087, 1096, 4000})
        EXPECT_STREQ(LoadText(id), "") << id;
}

TEST_F(ProgramStrings, RunsOfWeekdaysAndMonths)
{
    char name[SHORT_TEXT_SIZE];
    LoadTextInto(IDS_WEEKDAY_FIRST + 6, name, sizeof name);
    EXPECT_STREQ(name, "Saturday");
    LoadTextInto(IDS_ALL_MONTHS + 12, name, sizeof name);
    EXPECT_STREQ(name, "December");
}

TEST_F(ProgramStrings, SharedBufferAndBoundedCopies)
{
    char* first = LoadText(IDS_NO_WINDOW);
    LoadText(IDS_NO_TIMER);
    EXPECT_STREQ(first, "No timer left");
    char small[6];
    LoadTextInto(IDS_NO_EVENT, small, sizeof small);
    EXPECT_STREQ(small, "(No s");
}

TEST(NowTimeCode, MatchesTheLocalClock)
{
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    int32_t code = NowTimeCode();
    GetLocalTime(&after);
    EXPECT_TRUE(code == EncodeRemindTime(before.wHour, before.wMinute) ||
                code == EncodeRemindTime(after.wHour, after.wMinute));
    EXPECT_NE(code & 0x8000, 0);
}

TEST(ReadLocalDate, IsTheLocalDate)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    CalendarDate date = ReadLocalDate();
    EXPECT_EQ(date.Year, now.wYear);
    EXPECT_EQ(date.Month, now.wMonth);
    EXPECT_EQ(date.Day, now.wDay);
}

} // namespace

namespace {

TEST(StartReminderTimer, StartsOnceAndKeepsItsInterval)
{
    MainWindow = CreateWindowExA(0, "STATIC", "main", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(MainWindow, nullptr);
    TaskBarOption = 0;
    TimerPeriod = 0; // useless: runs at the default minute instead
    StartReminderTimer();
    UINT_PTR first = TimerRunning;
    EXPECT_NE(first, 0u);
    TimerPeriod = 5;
    StartReminderTimer(); // changes nothing: no second timer, no new interval
    EXPECT_EQ(TimerRunning, first);
    KillTimer(MainWindow, ReminderTimerId);
    TimerRunning = 0;
    DestroyWindow(MainWindow);
    MainWindow = nullptr;
}

} // namespace

namespace {

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 1;
}

// The prefix the scripts make carries Wine's own fonts: the dialogs' MS Sans
// Serif and the Marlett of the caption buttons are real faces, not stand-ins.
TEST(Fonts, TheDialogAndCaptionFontsAreInstalled)
{
    HDC dc = GetDC(nullptr);
    for (const char* face : {"MS Sans Serif", "Marlett", "Tahoma"}) {
        LOGFONTA wanted = {};
        wanted.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
        int count = 0;
        EnumFontFamiliesExA(dc, &wanted, CountFace, reinterpret_cast<LPARAM>(&count), 0);
        EXPECT_GT(count, 0) << face;
    }
    ReleaseDC(nullptr, dc);
}

} // namespace
