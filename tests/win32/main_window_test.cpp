// The main window in-process: the timer pass, the guards and the handshake
// answer, with every message dialog answered OK by a thread timer.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "box_watcher.h"
#include "data/dates.h"
#include "data/entry.h"
#include "resources/ids.h"
#include "shell/main_window.h"
#include "shell/services.h"
#include "shell/state.h"

namespace {

std::vector<std::string> Shown; // messages of the dialogs answered
HWND LastDialog;

void CALLBACK AnswerDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = ActiveDialog;
    if (!dialog || dialog == LastDialog)
        return;
    LastDialog = dialog;
    char text[256] = "";
    GetDlgItemTextA(dialog, IDC_MESSAGE, text, sizeof text);
    Shown.push_back(text);
    PostMessageA(dialog, WM_COMMAND, IDC_OK, 0);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstanceHandle = GetModuleHandleA(nullptr);
        InitCommonControls();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = MainWndProc;
        windowClass.hInstance = InstanceHandle;
        windowClass.lpszClassName = "Tq_Main";
        RegisterClassA(&windowClass);
        MainWindow = CreateWindowExA(WS_EX_TOPMOST, "TQ_Main", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
                                     nullptr, InstanceHandle, nullptr);
        ASSERT_NE(MainWindow, nullptr);
        Window = MainWindow;
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        File = std::string(temp) + "tq-main-" + std::to_string(GetCurrentProcessId()) + ".ini";
        lstrcpynA(SettingsPath, File.c_str(), PathSize);
        TaskBarOption = 0;
        CalendarDate today{10, 6, 2026};
        SetFixedToday(&today);
        RefreshToday();
        Shown.clear();
        LastDialog = nullptr;
        Answerer = SetTimer(nullptr, 0, 20, AnswerDialogs);
    }
    void TearDown() override
    {
        KillTimer(nullptr, Answerer);
        if (IsWindow(Window))
            DestroyWindow(Window);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ;
        DeleteFileA(File.c_str());
        SetFixedToday(nullptr);
    }
    static int Add(const char* message, int32_t again, int32_t active = 1)
    {
        if (EntryTable.Count == EntryTable.Capacity)
            GrowEntryTable(0);
        int index = EntryTable.Count++;
        ReminderEntry& entry = EntryTable.Slots[index];
        entry = ReminderEntry{};
        entry.Active = active;
        entry.Again = again;
        lstrcpynA(entry.Message, message, MessageSize);
        return index;
    }
    // Whether the window has posted itself a shutdown request.
    bool ShutdownPosted() const
    {
        MSG message;
        return PeekMessageA(&message, Window, WM_DESTROY, WM_DESTROY, PM_NOREMOVE) != 0;
    }
    HWND Window = nullptr;
    std::string File;
    UINT_PTR Answerer = 0;
};

TEST_F(MainWindowTest, TimerPassShowsReachedTimesAndStaysWhilePending)
{
    int low = Add("below the flag bit", 0x7FFF);        // non-zero below 0x8000: reached at once
    int never = Add("top bit set", int32_t(0xFFFF8000)); // compared unsigned: never reached
    int off = Add("switched off", 0x8000, 0);           // midnight: reached, whatever Active says
    int none = Add("no repeat", 0);
    SendMessageA(Window, WM_TIMER, ReminderTimerId, 0);
    EXPECT_EQ(Shown, (std::vector<std::string>{"below the flag bit", "switched off"}));
    EXPECT_EQ(EntryTable.Slots[low].Again, 0);
    EXPECT_EQ(EntryTable.Slots[off].Again, 0);
    EXPECT_EQ(EntryTable.Slots[never].Again, int32_t(0xFFFF8000));
    EXPECT_EQ(EntryTable.Slots[none].Again, 0);
    EXPECT_FALSE(ShutdownPosted());
    EXPECT_NE(GetFileAttributesA(File.c_str()), INVALID_FILE_ATTRIBUTES) << "a pass that showed something saves";

    // Nothing pending any more: the next tick asks for the shutdown.
    EntryTable.Slots[never].Again = 0;
    Shown.clear();
    SendMessageA(Window, WM_TIMER, ReminderTimerId, 0);
    EXPECT_TRUE(Shown.empty());
    EXPECT_TRUE(ShutdownPosted());
}

TEST_F(MainWindowTest, APassThatShowedSomethingNeverEndsTheResidentState)
{
    Add("once", 0x8000);
    SendMessageA(Window, WM_TIMER, ReminderTimerId, 0);
    EXPECT_EQ(Shown.size(), 1u);
    EXPECT_FALSE(ShutdownPosted()) << "the entry shown counts as pending in its own pass";
}

TEST_F(MainWindowTest, TicksAndRequestsWaitForAnOpenDialog)
{
    Add("waiting", 0x8000);
    ActiveDialog = Window; // as if a dialog were open
    SendMessageA(Window, WM_TIMER, ReminderTimerId, 0);
    SendMessageA(Window, WM_REMIND_CHECK, 0, 0);
    SendMessageA(Window, WM_REMIND_EDIT, 0, 0);
    ActiveDialog = nullptr;
    EXPECT_TRUE(Shown.empty());
    EXPECT_EQ(EntryTable.Slots[0].Again, 0x8000);
}

// While the box of a failed save is open, its own loop dispatches ticks and
// requests: they must wait for it as they wait for a dialog.
struct UnderTheBox {
    HWND Box = nullptr;
    bool ShutdownAfterTick = true;
    bool EditorOpened = true;
    int Ticks = 0;
};
UnderTheBox BoxState;
HWND BoxWindow;

void CALLBACK ActUnderTheBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = FindOwnBox("TQ fatal error");
    if (!box || !IsWindowVisible(box))
        return;
    KillTimer(nullptr, timer);
    BoxState.Box = box;
    SendMessageA(BoxWindow, WM_TIMER, ReminderTimerId, 0);
    MSG message;
    BoxState.ShutdownAfterTick = PeekMessageA(&message, BoxWindow, WM_DESTROY, WM_DESTROY, PM_NOREMOVE) != 0;
    size_t shownBefore = Shown.size();
    SendMessageA(BoxWindow, WM_REMIND_EDIT, 0, 0);
    SendMessageA(BoxWindow, WM_REMIND_CHECK, 0, 0);
    BoxState.EditorOpened = Shown.size() != shownBefore;
    EXPECT_TRUE(IsWindow(box)) << "the box is still waiting for its answer";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindowTest, AFailedSaveKeepsItsBoxWhileTicksAndRequestsWait)
{
    HANDLE file = CreateFileA(File.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_READONLY, nullptr);
    CloseHandle(file);
    int due = Add("due, and the save fails", 0);
    ComputeMatchingDate(due);
    ASSERT_EQ(IsDue(due), 1);
    TimerRunning = 1; // resident: nothing is pending, so a tick would end it
    BoxWindow = Window;
    BoxState = UnderTheBox{};
    UINT_PTR actor = SetTimer(nullptr, 0, 30, ActUnderTheBox);
    SendMessageA(Window, WM_REMIND_CHECK, 0, 0); // the check pass: dialog, failed save, box
    KillTimer(nullptr, actor);
    TimerRunning = 0;
    SetFileAttributesA(File.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(BoxState.Box, nullptr) << "the save failed and said so";
    EXPECT_FALSE(BoxState.ShutdownAfterTick) << "a tick under the box ends nothing";
    EXPECT_FALSE(BoxState.EditorOpened) << "a request under the box opens nothing";
    EXPECT_EQ(Shown, (std::vector<std::string>{"due, and the save fails"}));
    EXPECT_EQ(OpenBoxes, 0);
    // Once it is answered, the next tick decides as always.
    SendMessageA(Window, WM_TIMER, ReminderTimerId, 0);
    EXPECT_TRUE(ShutdownPosted());
}

TEST_F(MainWindowTest, AnAtomOfTheShortFormAnswersForAPathTooLongForAnAtom)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "tq-atom-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder;
    while (path.size() < 200) {
        path += "\\" + std::string(40, 'a');
        CreateDirectoryA(path.c_str(), nullptr);
    }
    path += "\\" + std::string(258 - path.size() - 1, 'f');
    ASSERT_EQ(path.size(), 258u);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    lstrcpynA(SettingsPath, path.c_str(), PathSize);
    ATOM atom = ATOM(SendMessageA(Window, WM_REMIND_IDENTIFY, 19740, 0xEE3FDA8D) & 0xFFFF);
    ASSERT_NE(atom, 0);
    char text[MAX_PATH] = "";
    GlobalGetAtomNameA(atom, text, sizeof text);
    GlobalDeleteAtom(atom);
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    EXPECT_STREQ(text, shortPath);
    DeleteFileA(path.c_str());
    while (path.size() > folder.size()) {
        path.resize(path.rfind('\\'));
        RemoveDirectoryA(path.c_str());
    }
}

// Whether the notification-area icon of the main window is there: only an
// icon that exists can be modified.
bool TrayIconShown(HWND window)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = IDI_APP;
    return Shell_NotifyIconA(NIM_MODIFY, &icon) != FALSE;
}

TEST_F(MainWindowTest, TheIconComesBackWhenTheShellRestarts)
{
    TaskBarOption = 1;
    TimerPeriod = 60000;
    StartReminderTimer();
    ASSERT_NE(TimerRunning, 0u);
    EXPECT_TRUE(TrayIconShown(Window));
    RemoveTrayIcon(); // as a restarting shell loses it
    EXPECT_FALSE(TrayIconShown(Window));
    SendMessageA(Window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconShown(Window));
    DestroyWindow(Window); // the shutdown sequence takes it down again
    EXPECT_FALSE(TrayIconShown(Window));
    TaskBarOption = 0;
}

TEST_F(MainWindowTest, TheNotificationAreaGetsTheSmallImageOfTheIcon)
{
    HICON image = TrayIconImage();
    ASSERT_NE(image, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(image, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2, GetSystemMetrics(SM_CYSMICON));
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(TrayIconImage(), image); // shared: loaded once, never destroyed
}

TEST_F(MainWindowTest, TheIconIsNotAddedByARestartedShellWhenItShouldNotBeThere)
{
    TaskBarOption = 0;
    TimerPeriod = 60000;
    StartReminderTimer();
    SendMessageA(Window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_FALSE(TrayIconShown(Window));
    DestroyWindow(Window);
}

HWND ForegroundDuringMenu;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    ForegroundDuringMenu = GetForegroundWindow();
    EndMenu();
}

TEST_F(MainWindowTest, TheMenuIsTrackedWithItsOwnerInFront)
{
    ForegroundDuringMenu = nullptr;
    SetTimer(nullptr, 0, 200, CloseMenu);
    SendMessageA(Window, WM_REMIND_TRAY, IDI_APP, WM_RBUTTONUP);
    EXPECT_EQ(ForegroundDuringMenu, Window);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, Window, WM_NULL, WM_NULL, PM_REMOVE)) << "WM_NULL posted after the menu";
}

TEST_F(MainWindowTest, HandshakeAnswersOnlyItsExactValues)
{
    lstrcpynA(SettingsPath, "C:\\some\\TQ.INI", PathSize);
    EXPECT_EQ(SendMessageA(Window, WM_REMIND_IDENTIFY, 19740, 0xEE3FDA8C), 0);
    EXPECT_EQ(SendMessageA(Window, WM_REMIND_IDENTIFY, 19741, 0xEE3FDA8D), 0);
    LRESULT answer = SendMessageA(Window, WM_REMIND_IDENTIFY, 19740, 0xEE3FDA8D);
    ATOM atom = ATOM(answer & 0xFFFF);
    ASSERT_NE(atom, 0);
    char text[MAX_PATH] = "";
    GlobalGetAtomNameA(atom, text, sizeof text);
    GlobalDeleteAtom(atom);
    EXPECT_STREQ(text, "C:\\some\\TQ.INI");
}

TEST_F(MainWindowTest, ShutdownSequenceReleasesEverything)
{
    Add("kept", 0x9000);
    TimerPeriod = 60000;
    TimerRunning = SetTimer(Window, ReminderTimerId, 60000, nullptr);
    DestroyWindow(Window);
    EXPECT_EQ(TimerRunning, 0u);
    EXPECT_EQ(EntryTable.Count, 0);
    EXPECT_EQ(EntryTable.Slots, nullptr);
    EXPECT_EQ(MainWindow, nullptr);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace
