// The three dialogs of the program, opened for real and driven from inside
// their modal loops.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "data/dates.h"
#include "data/entry.h"
#include "data/settings.h"
#include "dialog_driver.h"
#include "dialogs/dialogs.h"
#include "resources/ids.h"
#include "shell/services.h"
#include "shell/state.h"
#include "tests/file_bytes.h"

namespace {

std::string TwoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstanceHandle = GetModuleHandleA(nullptr);
        InitCommonControls();
        HelpCall = RecordHelp;
        HelpRequests.clear();
        MainWindow = CreateWindowExA(0, "STATIC", "main", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        TaskBarOption = 0;
        TimerPeriod = 60000;
        EditRequest = 0;
        CalendarDate today{10, 6, 2026};
        SetFixedToday(&today);
        RefreshToday();
    }
    void TearDown() override
    {
        if (TimerRunning)
            KillTimer(MainWindow, ReminderTimerId);
        TimerRunning = 0;
        DestroyWindow(MainWindow);
        MainWindow = nullptr;
        ReleaseEntryTable();
        SetFixedToday(nullptr);
        EXPECT_EQ(ActiveDialog, nullptr);
    }
    static int Add(int32_t day, const char* message, int32_t again = 0)
    {
        if (EntryTable.Count == EntryTable.Capacity)
            GrowEntryTable(0);
        int index = EntryTable.Count++;
        ReminderEntry& entry = EntryTable.Slots[index];
        entry = ReminderEntry{};
        entry.Day = day;
        entry.Active = 1;
        entry.Again = again;
        lstrcpynA(entry.Message, message, MessageSize);
        ComputeMatchingDate(index);
        return index;
    }
};

// --- Layout in the dialogs' own font ------------------------------------------

// The width of the widest value from..to ("%02d" or "%d") in the field's font.
int WidestValue(HWND field, int from, int to, const char* format)
{
    HDC dc = GetDC(field);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (int value = from; value <= to; ++value) {
        char text[8];
        std::snprintf(text, sizeof text, format, value);
        SIZE size;
        GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size);
        widest = std::max(widest, int(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(field, dc);
    return widest;
}

struct FieldCheck {
    int Id;
    int From, To;
    const char* Format;
};

// Every field shows its widest value whole (the edit's formatting rectangle
// is at least as wide as the text); every visible control lies inside the
// dialog and overlaps no other (a group box and its contents, and a spin
// control and its buddy, belong together).
void CheckLayout(HWND dialog, std::vector<FieldCheck> fields)
{
    char face[LF_FACESIZE] = "";
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    SCOPED_TRACE(std::string("font ") + face);
    for (const FieldCheck& f : fields) {
        HWND field = GetDlgItem(dialog, f.Id);
        RECT format;
        SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        EXPECT_GE(format.right - format.left, WidestValue(field, f.From, f.To, f.Format)) << "field " << f.Id;
    }
    struct Placed {
        HWND Window;
        RECT Rect;
        bool Group;
        HWND Buddy;
    };
    std::vector<Placed> placed;
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        Placed p{child, {}, false, nullptr};
        GetWindowRect(child, &p.Rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&p.Rect), 2);
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        p.Group = lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & 0xF) == BS_GROUPBOX;
        if (lstrcmpiA(className, UPDOWN_CLASSA) == 0)
            p.Buddy = reinterpret_cast<HWND>(SendMessageA(child, UDM_GETBUDDY, 0, 0));
        EXPECT_TRUE(p.Rect.left >= client.left && p.Rect.top >= client.top && p.Rect.right <= client.right &&
                    p.Rect.bottom <= client.bottom)
            << "control " << GetDlgCtrlID(child) << " leaves the dialog";
        placed.push_back(p);
    }
    for (size_t i = 0; i < placed.size(); ++i)
        for (size_t j = i + 1; j < placed.size(); ++j) {
            const Placed& a = placed[i];
            const Placed& b = placed[j];
            if (a.Group || b.Group || a.Buddy == b.Window || b.Buddy == a.Window)
                continue;
            // Controls that meet in dialog units may share a pixel row after
            // rounding: only more than that is an overlap.
            RECT first = a.Rect, second = b.Rect, both;
            first.right -= 1;
            first.bottom -= 1;
            second.right -= 1;
            second.bottom -= 1;
            EXPECT_FALSE(IntersectRect(&both, &first, &second))
                << "controls " << GetDlgCtrlID(a.Window) << " and " << GetDlgCtrlID(b.Window) << " overlap";
        }
}

TEST_F(DialogTest, EveryDigitShowsAndNothingOverlaps)
{
    CurrentEntry = Add(0, "Layout");
    RunDialog(IDD_MESSAGE, MessProc,
              {Check([](HWND d) {
                   CheckLayout(d, {{IDC_HOUR, 0, 23, "%02d"}, {IDC_MINUTE, 0, 59, "%02d"}});
               }),
               Click(IDC_CANCEL)});
    EditRequest = 1;
    RunDialog(IDD_EDITOR, EditProc,
              {Check([](HWND d) {
                   CheckLayout(d, {{IDC_HOUR, 0, 23, "%02d"},
                                   {IDC_MINUTE, 0, 59, "%02d"},
                                   {IDC_BEFORE, 0, 9, "%d"},
                                   {IDC_AFTER, 0, 9, "%d"}});
               }),
               Click(IDC_CANCEL)});
}

// --- The reminder message dialog -------------------------------------------

TEST_F(DialogTest, MessageOpensWithTheCurrentTimeTwoDigitsWide)
{
    CurrentEntry = Add(0, "Every day");
    SYSTEMTIME before, after;
    std::string hour, minute, date, message;
    bool remind = true;
    GetLocalTime(&before);
    RunDialog(IDD_MESSAGE, MessProc, {Check([&](HWND d) {
                                          hour = Text(d, IDC_HOUR);
                                          minute = Text(d, IDC_MINUTE);
                                          date = Text(d, IDC_DATE_MESSAGE);
                                          message = Text(d, IDC_MESSAGE);
                                          remind = IsDlgButtonChecked(d, IDC_REMIND);
                                          EXPECT_EQ(ActiveDialog, d);
                                      }),
                                      Click(IDC_CANCEL)});
    GetLocalTime(&after);
    EXPECT_FALSE(remind);
    EXPECT_TRUE(hour == TwoDigits(before.wHour) || hour == TwoDigits(after.wHour)) << hour;
    EXPECT_TRUE(minute == TwoDigits(before.wMinute) || minute == TwoDigits(after.wMinute)) << minute;
    EXPECT_EQ(date, "Wednesday June 10, 2026");
    EXPECT_EQ(message, "Every day");
}

TEST_F(DialogTest, MessageShowsAStoredRepeatTime)
{
    CurrentEntry = Add(0, "Again", 0x871E);
    std::string hour, minute;
    bool remind = false;
    RunDialog(IDD_MESSAGE, MessProc, {Check([&](HWND d) {
                                          hour = Text(d, IDC_HOUR);
                                          minute = Text(d, IDC_MINUTE);
                                          remind = IsDlgButtonChecked(d, IDC_REMIND);
                                      }),
                                      Click(IDC_CANCEL)});
    EXPECT_TRUE(remind);
    EXPECT_EQ(hour, "07");
    EXPECT_EQ(minute, "30");
    EXPECT_EQ(EntryTable.Slots[CurrentEntry].Again, 0x871E); // cancel stores nothing
}

TEST_F(DialogTest, OkStoresTheRepeatTimeAndStartsTheTimerOnce)
{
    CurrentEntry = Add(0, "first");
    RunDialog(IDD_MESSAGE, MessProc,
              {Click(IDC_REMIND), SpinTo(IDC_HOUR_SPIN, 23), SpinTo(IDC_MINUTE_SPIN, 59),
               Check([](HWND d) { SetDlgItemTextA(d, IDC_MESSAGE, "changed"); }), Click(IDC_OK)});
    EXPECT_EQ(EntryTable.Slots[CurrentEntry].Again, 0x973B);
    EXPECT_STREQ(EntryTable.Slots[CurrentEntry].Message, "changed");
    UINT_PTR timer = TimerRunning;
    EXPECT_NE(timer, 0u);
    CurrentEntry = Add(0, "second");
    RunDialog(IDD_MESSAGE, MessProc, {Click(IDC_REMIND), SpinTo(IDC_HOUR_SPIN, 7), Click(IDC_OK)});
    EXPECT_EQ(TimerRunning, timer);
    EXPECT_EQ(RemindHour(EntryTable.Slots[CurrentEntry].Again), 7);
}

TEST_F(DialogTest, SkipActsAtOnceAndSurvivesEscape)
{
    CurrentEntry = Add(0, "skip me", 0x8101);
    RunDialog(IDD_MESSAGE, MessProc,
              {Click(IDC_SKIP), Check([](HWND d) { SetDlgItemTextA(d, IDC_MESSAGE, "not stored"); }),
               Key(VK_ESCAPE)});
    const ReminderEntry& entry = EntryTable.Slots[CurrentEntry];
    EXPECT_EQ(entry.Skip, entry.MatchingDate);
    EXPECT_STREQ(entry.Message, "skip me");
    EXPECT_EQ(entry.Again, 0x8101);

    EntryTable.Slots[CurrentEntry].Skip = 5;
    RunDialog(IDD_MESSAGE, MessProc, {Click(IDC_SKIP), Click(IDC_SKIP), Click(IDC_OK)});
    EXPECT_EQ(EntryTable.Slots[CurrentEntry].Skip, 0);
}

TEST_F(DialogTest, FirstEditOfAPassWins)
{
    Add(0, "a");
    Add(0, "b");
    CurrentEntry = 1;
    RunDialog(IDD_MESSAGE, MessProc, {Click(IDM_EDIT)});
    EXPECT_EQ(EditRequest, 2);
    CurrentEntry = 0;
    RunDialog(IDD_MESSAGE, MessProc, {Click(IDM_EDIT)});
    EXPECT_EQ(EditRequest, 2);
}

TEST_F(DialogTest, SpinsStopAtTheirLimits)
{
    CurrentEntry = Add(0, "spin");
    std::string top, bottom;
    RunDialog(IDD_MESSAGE, MessProc,
              {SpinTo(IDC_HOUR_SPIN, 23), Check([](HWND d) { SetFocus(GetDlgItem(d, IDC_HOUR)); }), Key(VK_UP),
               Check([&](HWND d) { top = Text(d, IDC_HOUR); }), SpinTo(IDC_MINUTE_SPIN, 0),
               Check([](HWND d) { SetFocus(GetDlgItem(d, IDC_MINUTE)); }), Key(VK_DOWN),
               Check([&](HWND d) { bottom = Text(d, IDC_MINUTE); }), Click(IDC_CANCEL)});
    EXPECT_EQ(top, "23");
    EXPECT_EQ(bottom, "00");
}

TEST_F(DialogTest, TabOrderSkipsTheMessageAndEnterPressesOk)
{
    CurrentEntry = Add(0, "tab");
    std::vector<int> order;
    std::vector<Step> steps;
    auto record = [&](HWND) { order.push_back(GetDlgCtrlID(GetFocus())); };
    steps.push_back(record);
    for (int i = 0; i < 7; ++i) {
        steps.push_back(Key(VK_TAB));
        steps.push_back(Pause());
        steps.push_back(Pause());
        steps.push_back(record);
    }
    steps.push_back([](HWND d) {
        SetFocus(GetDlgItem(d, IDC_MESSAGE));
        SetDlgItemTextA(d, IDC_MESSAGE, "entered");
    });
    steps.push_back(Key(VK_RETURN));
    RunDialog(IDD_MESSAGE, MessProc, steps);
    EXPECT_EQ(order, (std::vector<int>{IDC_OK, IDM_EDIT, IDC_HELP_BUTTON, IDC_SKIP, IDC_REMIND, IDC_HOUR, IDC_MINUTE,
                                       IDC_OK}));
    EXPECT_STREQ(EntryTable.Slots[CurrentEntry].Message, "entered");
}

TEST_F(DialogTest, HelpAsksForTheControlOrTheButtonContext)
{
    CurrentEntry = Add(0, "help");
    RunDialog(IDD_MESSAGE, MessProc, {[](HWND d) {
                                          HELPINFO info = {};
                                          info.cbSize = sizeof info;
                                          info.iContextType = HELPINFO_WINDOW;
                                          info.hItemHandle = GetDlgItem(d, IDC_REMIND);
                                          SendMessageA(d, WM_HELP, 0, LPARAM(&info));
                                      },
                                      Click(IDC_HELP_BUTTON), Click(IDC_CANCEL)});
    ASSERT_EQ(HelpRequests.size(), 2u);
    EXPECT_EQ(HelpRequests[0].Command, UINT(HELP_WM_HELP));
    EXPECT_EQ(HelpRequests[0].Table[0], 505u);
    EXPECT_EQ(HelpRequests[0].Table[1], 505u);
    EXPECT_EQ(HelpRequests[0].Table[2], 0u);
    EXPECT_EQ(HelpRequests[0].Table[3], 0u);
    EXPECT_EQ(HelpRequests[1].Command, UINT(HELP_CONTEXT));
    EXPECT_EQ(HelpRequests[1].Context, 1001u);
    EXPECT_EQ(HelpRequests[1].Owner, MainWindow);
    EXPECT_EQ(HelpUsed, 1);
}

// --- The About box -----------------------------------------------------------

TEST_F(DialogTest, AboutStaysOpenOnEscapeClosesOnEnterAndReleasesItsFont)
{
    for (int opening = 0; opening < 10; ++opening) {
        HFONT font = nullptr;
        bool openAfterEscape = false;
        INT_PTR result = RunDialog(IDD_ABOUT, AboutProc,
                                   {Check([&](HWND d) {
                                        font = HFONT(SendDlgItemMessageA(d, IDC_TITLE, WM_GETFONT, 0, 0));
                                    }),
                                    Key(VK_ESCAPE), Check([&](HWND d) { openAfterEscape = IsWindow(d); }),
                                    Key(VK_RETURN)});
        EXPECT_TRUE(openAfterEscape);
        EXPECT_EQ(result, 1);
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(GetObjectType(font), 0u) << "the title font outlived the box";
    }
}

TEST_F(DialogTest, AboutTitleIsBoldArial)
{
    LOGFONTA shown = {};
    RunDialog(IDD_ABOUT, AboutProc, {Check([&](HWND d) {
                                         HFONT font = HFONT(SendDlgItemMessageA(d, IDC_TITLE, WM_GETFONT, 0, 0));
                                         GetObjectA(font, sizeof shown, &shown);
                                     }),
                                     Click(IDC_OK)});
    EXPECT_EQ(shown.lfHeight, 30);
    EXPECT_EQ(shown.lfWeight, FW_BOLD);
    EXPECT_STREQ(shown.lfFaceName, "Arial");
    EXPECT_EQ(shown.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_EQ(shown.lfQuality, PROOF_QUALITY);
}

// --- The entry editor ----------------------------------------------------------

class EditorTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        File = std::string(temp) + "tq-editor-" + std::to_string(GetCurrentProcessId()) + ".ini";
        lstrcpynA(SettingsPath, File.c_str(), PathSize);
    }
    void TearDown() override
    {
        DeleteFileA(File.c_str());
        DialogTest::TearDown();
    }
    void WriteFile(const std::string& text) const { WriteFileBytes(File, text); }
    std::string ReadFile() const { return ReadFileBytes(File); }
    static bool Enabled(HWND d, int id)
    {
        return IsWindowEnabled(GetDlgItem(d, id));
    }
    std::string File;
};

const char ThreeEntries[] = "[Options]\r\nEntries=3\r\n"
                            "[1]\r\nDay=-6\r\nActive=1\r\nAgain=34565\r\nMessage=Monday\r\n"
                            "[2]\r\nDay=25\r\nMonth=12\r\nBefore=3\r\nActive=1\r\nAgain=34825\r\nMessage=Christmas\r\n"
                            "[3]\r\nDay=0\r\nYear=2027\r\nActive=1\r\nMessage=Next year\r\n";

TEST_F(EditorTest, EmptyTable)
{
    LoadSettings(1);
    RunDialog(IDD_EDITOR, EditProc, {Check([](HWND d) {
                                         EXPECT_EQ(Text(d, IDC_POSITION), "(No scheduled event)");
                                         for (int id : {IDC_PREVIOUS, IDC_MOVE_UP, IDC_NEXT, IDC_MOVE_DOWN, IDC_REMOVE})
                                             EXPECT_FALSE(Enabled(d, id)) << id;
                                         EXPECT_TRUE(Enabled(d, IDC_NEW));
                                         EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_NEW);
                                         for (int id : {IDC_DAY, IDC_MONTH, IDC_YEAR})
                                             EXPECT_EQ(SendDlgItemMessageA(d, id, CB_GETCURSEL, 0, 0), -1) << id;
                                         EXPECT_EQ(Text(d, IDC_BEFORE), "0");
                                         EXPECT_EQ(Text(d, IDC_AFTER), "0");
                                         EXPECT_FALSE(IsDlgButtonChecked(d, IDC_SKIP));
                                         EXPECT_TRUE(IsDlgButtonChecked(d, IDC_ACTIVE));
                                         EXPECT_FALSE(IsDlgButtonChecked(d, IDC_REMIND));
                                         EXPECT_EQ(Text(d, IDC_MESSAGE), "");
                                         EXPECT_EQ(Text(d, IDC_DATE_EDITOR), "");
                                         EXPECT_EQ(SendDlgItemMessageA(d, IDC_YEAR, CB_GETCOUNT, 0, 0), 11);
                                         EXPECT_EQ(SendDlgItemMessageA(d, IDC_MONTH, CB_GETCOUNT, 0, 0), 13);
                                         EXPECT_EQ(SendDlgItemMessageA(d, IDC_DAY, CB_GETCOUNT, 0, 0), 39);
                                     }),
                                     Click(IDC_CANCEL)});
}

TEST_F(EditorTest, OpensOnTheRequestedEntry)
{
    WriteFile(ThreeEntries);
    LoadSettings(1);
    for (int request : {0, 1, 2, 3}) {
        EditRequest = request;
        std::string caption;
        int focus = 0;
        RunDialog(IDD_EDITOR, EditProc, {Check([&](HWND d) {
                                             caption = Text(d, IDC_POSITION);
                                             focus = GetDlgCtrlID(GetFocus());
                                         }),
                                         Click(IDC_CANCEL)});
        int shown = request == 0 ? 1 : request;
        EXPECT_EQ(caption, std::to_string(shown) + " of 3");
        EXPECT_EQ(focus, shown < 3 ? IDC_NEXT : IDC_PREVIOUS) << request;
        EditRequest = 0;
    }
}

TEST_F(EditorTest, DateControlsRefreshTheLabelAtOnceOthersDoNot)
{
    WriteFile(ThreeEntries);
    LoadSettings(1);
    std::string start, afterCheck, afterList, afterBefore;
    RunDialog(IDD_EDITOR, EditProc,
              {Check([&](HWND d) { start = Text(d, IDC_DATE_EDITOR); }), Click(IDC_ACTIVE),
               Check([&](HWND d) {
                   SetDlgItemTextA(d, IDC_MESSAGE, "typed");
                   afterCheck = Text(d, IDC_DATE_EDITOR);
                   EXPECT_EQ(EntryTable.Slots[0].Active, 1); // not stored yet
                   EXPECT_STREQ(EntryTable.Slots[0].Message, "Monday");
               }),
               Select(IDC_DAY, 8 + 19 - 1), // the 19th
               Check([&](HWND d) { afterList = Text(d, IDC_DATE_EDITOR); }), SpinTo(IDC_AFTER_SPIN, 3),
               Check([&](HWND d) { afterBefore = Text(d, IDC_DATE_EDITOR); }), Click(IDC_CANCEL)});
    EXPECT_EQ(start, "Monday June 15, 2026");
    EXPECT_EQ(afterCheck, start);
    EXPECT_EQ(afterList, "Friday June 19, 2026");
    EXPECT_EQ(afterBefore, "Friday June 19, 2026");
}

TEST_F(EditorTest, TimeFieldsAreTwoDigitsWideFromTheOpeningOn)
{
    WriteFile(ThreeEntries);
    LoadSettings(0); // keeps the repeat times: 07:05 and 08:09
    std::string openedHour, openedMinute, nextHour, nextMinute;
    RunDialog(IDD_EDITOR, EditProc, {Check([&](HWND d) {
                                         openedHour = Text(d, IDC_HOUR);
                                         openedMinute = Text(d, IDC_MINUTE);
                                     }),
                                     Click(IDC_NEXT), Check([&](HWND d) {
                                         nextHour = Text(d, IDC_HOUR);
                                         nextMinute = Text(d, IDC_MINUTE);
                                     }),
                                     Click(IDC_CANCEL)});
    EXPECT_EQ(openedHour, "07");
    EXPECT_EQ(openedMinute, "05");
    EXPECT_EQ(nextHour, "08");
    EXPECT_EQ(nextMinute, "09");
}

TEST_F(EditorTest, CancelGivesBackTheFilesTableRepeatTimesIncluded)
{
    WriteFile(ThreeEntries);
    LoadSettings(1); // start-up: repeat times dropped
    RunDialog(IDD_EDITOR, EditProc,
              {Select(IDC_MONTH, 5), Click(IDC_MOVE_DOWN), Click(IDC_NEW), Click(IDC_NEW), Click(IDC_PREVIOUS),
               Click(IDC_REMOVE), Check([](HWND d) { SetDlgItemTextA(d, IDC_MESSAGE, "edited"); }),
               Click(IDC_PREVIOUS), Click(IDC_CANCEL)});
    std::vector<ReminderEntry> afterCancel(EntryTable.Slots, EntryTable.Slots + EntryTable.Count);
    ReleaseEntryTable();
    LoadSettings(0);
    ASSERT_EQ(afterCancel.size(), size_t(EntryTable.Count));
    for (size_t i = 0; i < afterCancel.size(); ++i)
        EXPECT_EQ(std::memcmp(&afterCancel[i], &EntryTable.Slots[i], sizeof(ReminderEntry)), 0) << i;
    EXPECT_EQ(EntryTable.Slots[0].Again, 34565);
}

TEST_F(EditorTest, RemovingTheOnlyEntryLeavesTheFocusOnNew)
{
    WriteFile("[Options]\r\nEntries=1\r\n[1]\r\nActive=1\r\nMessage=only\r\n");
    LoadSettings(1);
    int focus = 0;
    RunDialog(IDD_EDITOR, EditProc, {Check([](HWND) { EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_REMOVE); }),
                                     Click(IDC_REMOVE), Check([&](HWND) { focus = GetDlgCtrlID(GetFocus()); }),
                                     Click(IDC_CANCEL)});
    EXPECT_EQ(focus, IDC_NEW);
}

TEST_F(EditorTest, OkSavesTheEditsAndLeavesOtherEntriesAlone)
{
    WriteFile(ThreeEntries);
    LoadSettings(1);
    EditRequest = 2;
    RunDialog(IDD_EDITOR, EditProc,
              {Check([](HWND d) { SetDlgItemTextA(d, IDC_MESSAGE, "Boxing Day"); }), Select(IDC_DAY, 8 + 26 - 1),
               Click(IDC_REMIND), SpinTo(IDC_HOUR_SPIN, 23), SpinTo(IDC_MINUTE_SPIN, 59), Click(IDC_OK)});
    std::string saved = ReadFile();
    EXPECT_NE(saved.find("[2]\r\nDay=26\r\nMonth=12\r\nBefore=3\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Again=38715\r\nMessage=Boxing Day"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[3]\r\nDay=0\r\nYear=2027"), std::string::npos) << saved;
    EXPECT_NE(TimerRunning, 0u);
}

TEST_F(EditorTest, PastedLineBreaksInBothDialogsStayInTheirEntry)
{
    WriteFile(ThreeEntries);
    LoadSettings(1);
    CurrentEntry = 0;
    RunDialog(IDD_MESSAGE, MessProc,
              {Check([](HWND d) { SetDlgItemTextA(d, IDC_MESSAGE, "Pasted note\n[2]\nMessage=not the second entry"); }),
               Click(IDC_OK)});
    ASSERT_EQ(SaveSettings(), 1);
    EditRequest = 3;
    RunDialog(IDD_EDITOR, EditProc,
              {Check([](HWND d) { SetDlgItemTextA(d, IDC_MESSAGE, "one\rtwo\nthree\r\nfour"); }), Click(IDC_OK)});
    ReleaseEntryTable();
    LoadSettings(1);
    ASSERT_EQ(EntryTable.Count, 3);
    EXPECT_STREQ(EntryTable.Slots[0].Message, "Pasted note\r\n[2]\r\nMessage=not the second entry");
    EXPECT_EQ(EntryTable.Slots[1].Day, 25);
    EXPECT_EQ(EntryTable.Slots[1].Month, 12);
    EXPECT_EQ(EntryTable.Slots[1].Active, 1);
    EXPECT_STREQ(EntryTable.Slots[1].Message, "Christmas");
    EXPECT_STREQ(EntryTable.Slots[2].Message, "one\r\ntwo\r\nthree\r\nfour");
    std::string saved = ReadFile();
    EXPECT_NE(saved.find("Message=Pasted note\\n[2]\\nMessage=not the second entry\r\n"), std::string::npos) << saved;
}

TEST_F(EditorTest, AboutOpensOverTheEditor)
{
    LoadSettings(1);
    HWND editor = nullptr;
    bool aboutOwnedByEditor = false;
    RunDialog(IDD_EDITOR, EditProc,
              {Check([&](HWND d) { editor = d; }),
               [](HWND d) { PostMessageA(d, WM_COMMAND, IDC_ABOUT, 0); },
               Check([&](HWND about) {
                   aboutOwnedByEditor = GetWindow(about, GW_OWNER) == editor;
                   EXPECT_EQ(ActiveDialog, editor);
               }),
               Click(IDC_OK), Click(IDC_CANCEL)});
    EXPECT_TRUE(aboutOwnedByEditor);
}

} // namespace
