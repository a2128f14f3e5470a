#include "shell/main_window.h"

#include <shellapi.h>

#include "data/dates.h"
#include "data/entry.h"
#include "data/settings.h"
#include "resources/ids.h"
#include "shell/help.h"
#include "shell/services.h"
#include "shell/state.h"

// Set for the whole of a timer pass, the gaps between its dialogs included,
// so that a tick dispatched by one of its dialogs' loops is ignored.
static bool PassRunning;

static void ShowMessageDialog(int index)
{
    CurrentEntry = index;
    DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(IDD_MESSAGE), MainWindow, MessProc, 0);
}

void OpenEditor()
{
    DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(IDD_EDITOR), MainWindow, EditProc, 0);
    EditRequest = 0;
}

void CheckDueEntries()
{
    bool shown = false;
    for (int i = 0; i < EntryTable.Count; ++i) {
        if (IsDue(i)) {
            ShowMessageDialog(i);
            shown = true;
        }
    }
    if (shown)
        SaveSettings();
    if (EditRequest != 0)
        OpenEditor();
}

static void OnDestroy()
{
    if (TimerRunning) {
        if (TaskBarOption)
            RemoveTrayIcon();
        KillTimer(MainWindow, ReminderTimerId);
        TimerRunning = 0;
    }
    if (HelpUsed)
        HelpCall(MainWindow, HelpPath, HELP_QUIT, 0);
    ReleaseEntryTable();
    MainWindow = nullptr;
    PostQuitMessage(0);
}

static void OnTimerPass(HWND window)
{
    if (ActiveDialog || OpenBoxes || PassRunning)
        return; // this tick is lost; the next one tries again
    PassRunning = true;
    EditRequest = 0;
    // Compared unsigned: a hand-edited time with the top bit set is never
    // reached and keeps the program resident.
    uint32_t now = uint32_t(NowTimeCode());
    bool shown = false;
    bool pending = false;
    for (int i = 0; i < EntryTable.Count; ++i) {
        ReminderEntry& entry = EntryTable.Slots[i];
        if (entry.Again == 0)
            continue;
        pending = true;
        if (uint32_t(entry.Again) > now)
            continue;
        entry.Again = 0;
        ShowMessageDialog(i);
        shown = true;
    }
    if (shown)
        SaveSettings();
    if (EditRequest > 0)
        OpenEditor();
    if (!pending)
        PostMessageA(window, WM_DESTROY, 0, 0);
    EditRequest = 0;
    PassRunning = false;
}

static BOOL CALLBACK FindBox(HWND window, LPARAM found)
{
    char className[16];
    if (window == MainWindow || !IsWindowVisible(window) || !GetClassNameA(window, className, sizeof className) ||
        lstrcmpA(className, "#32770") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// A request while a dialog or an error box is open only beeps and shows it.
static bool RefusedForOpenDialog()
{
    if (!ActiveDialog && !OpenBoxes)
        return false;
    MessageBeep(MB_ICONEXCLAMATION);
    HWND open = ActiveDialog;
    if (!open)
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&open));
    if (open)
        SetForegroundWindow(open);
    return true;
}

// The handshake answer: an atom of the settings path, or of its short form
// when the path is too long for an atom (255 characters); the asking side
// compares short forms anyway.
static LRESULT IdentifyAnswer()
{
    ATOM atom = GlobalAddAtomA(SettingsPath);
    if (atom)
        return atom;
    char shortPath[PathSize];
    DWORD length = GetShortPathNameA(SettingsPath, shortPath, sizeof shortPath);
    if (length == 0 || length >= sizeof shortPath)
        return 0;
    return GlobalAddAtomA(shortPath);
}

static UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

static void OnTrayMenu(HWND window)
{
    HMENU menu = LoadMenuA(InstanceHandle, MAKEINTRESOURCEA(IDM_TRAY));
    if (!menu)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    // The menu of a notification-area icon closes on a click elsewhere only
    // when its owner is the foreground window; the posted message lets the
    // shell see the menu end (TrackPopupMenu's documented remarks).
    SetForegroundWindow(window);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

static void OnCommand(HWND window, int command)
{
    switch (command) {
    case IDM_EDIT:
        PostMessageA(window, WM_REMIND_EDIT, 0, 0);
        break;
    case IDM_CHECK:
        PostMessageA(window, WM_REMIND_CHECK, 0, 0);
        break;
    case IDM_QUIT:
        PostMessageA(window, WM_DESTROY, 0, 0);
        break;
    case IDM_HELP:
        OpenHelp(window, HELP_CONTEXT, HELP_CONTEXT_MENU);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        OnTimerPass(window);
        return 0;
    case WM_REMIND_EDIT:
        if (!RefusedForOpenDialog())
            OpenEditor();
        return 0;
    case WM_REMIND_CHECK:
        if (!RefusedForOpenDialog())
            CheckDueEntries();
        return 0;
    case WM_REMIND_TRAY:
        if (lParam == WM_LBUTTONDBLCLK)
            PostMessageA(window, WM_REMIND_EDIT, 0, 0);
        else if (lParam == WM_RBUTTONUP)
            OnTrayMenu(window);
        return 0;
    case WM_REMIND_IDENTIFY:
        // The 32-bit values of the handshake, whatever the width of a parameter.
        if (wParam != IdentifyWParam || DWORD(lParam) != IdentifyLParam)
            return 0;
        return IdentifyAnswer();
    default:
        // The shell announces a restart (Explorer crashed or was restarted)
        // with this registered message: its icons are gone.
        if (message == TaskbarCreatedMessage()) {
            RestoreTrayIcon();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
