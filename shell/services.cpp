// The shell services on Windows.
#include "shell/services.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "data/entry.h"
#include "resources/ids.h"
#include "shell/state.h"

static char TextBuffer[LONG_TEXT_SIZE];

int LoadTextInto(int id, char* buffer, int size)
{
    if (size <= 0)
        return 0;
    buffer[0] = 0;
    return LoadStringA(InstanceHandle, UINT(id), buffer, size);
}

char* LoadText(int id)
{
    LoadTextInto(id, TextBuffer, sizeof TextBuffer);
    return TextBuffer;
}

void ShowError(int id, int fatal)
{
    char caption[LONG_TEXT_SIZE];
    lstrcpynA(caption, LoadText(IDS_ERROR_CAPTION), sizeof caption);
    // The box's own loop dispatches ticks and requests to the main window:
    // they wait for it as for a dialog, so that nothing ends the program
    // under an unanswered box.
    ++OpenBoxes;
    MessageBoxA(GetActiveWindow(), LoadText(id), caption, MB_OK | MB_ICONERROR);
    --OpenBoxes;
    if (fatal) {
        if (MainWindow)
            DestroyWindow(MainWindow);
        std::exit(1);
    }
}

CalendarDate ReadLocalDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    CalendarDate date;
    date.Day = uint8_t(now.wDay);
    date.Month = uint8_t(now.wMonth);
    date.Year = now.wYear;
    return date;
}

int32_t NowTimeCode()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return EncodeRemindTime(now.wHour, now.wMinute);
}

// The icon's record in the form of the first shell version (64-byte tip),
// sized for the architecture being built.
static NOTIFYICONDATAA TrayIconRecord(UINT flags)
{
    NOTIFYICONDATAA icon = {};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = MainWindow;
    icon.uID = IDI_APP;
    icon.uFlags = flags;
    return icon;
}

void StartReminderTimer()
{
    if (TimerRunning)
        return;
    TimerRunning = SetTimer(MainWindow, ReminderTimerId, EffectiveTimerPeriod(), nullptr);
    if (!TimerRunning) {
        ShowError(IDS_NO_TIMER, 0);
        return;
    }
    if (TaskBarOption) {
        NOTIFYICONDATAA icon = TrayIconRecord(NIF_MESSAGE | NIF_ICON | NIF_TIP);
        icon.uCallbackMessage = WM_REMIND_TRAY;
        icon.hIcon = LoadIconA(InstanceHandle, MAKEINTRESOURCEA(IDI_TRAY));
        lstrcpynA(icon.szTip, LoadText(IDS_TRAY_TIP), 64);
        Shell_NotifyIconA(NIM_ADD, &icon);
    }
}

void RemoveTrayIcon()
{
    NOTIFYICONDATAA icon = TrayIconRecord(0);
    Shell_NotifyIconA(NIM_DELETE, &icon);
}
