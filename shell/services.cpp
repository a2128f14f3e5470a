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

void ShowErrorText(const char* text, int fatal)
{
    // The caption into a buffer of its own: text may be LoadText's.
    char caption[LONG_TEXT_SIZE];
    LoadTextInto(IDS_ERROR_CAPTION, caption, sizeof caption);
    // The box's own loop dispatches ticks and requests to the main window:
    // they wait for it as for a dialog, so that nothing ends the program
    // under an unanswered box.
    ++OpenBoxes;
    MessageBoxA(GetActiveWindow(), text, caption, MB_OK | MB_ICONERROR);
    --OpenBoxes;
    if (fatal) {
        if (MainWindow)
            DestroyWindow(MainWindow);
        std::exit(1);
    }
}

void ShowError(int id, int fatal)
{
    ShowErrorText(LoadText(id), fatal);
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

HICON TrayIconImage()
{
    // The notification area shows small icons: the small image of the icon,
    // rather than the large one shrunk by the shell.
    return static_cast<HICON>(LoadImageA(InstanceHandle, MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

static void AddTrayIcon()
{
    NOTIFYICONDATAA icon = TrayIconRecord(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    icon.uCallbackMessage = WM_REMIND_TRAY;
    icon.hIcon = TrayIconImage();
    lstrcpynA(icon.szTip, LoadText(IDS_TRAY_TIP), 64);
    Shell_NotifyIconA(NIM_ADD, &icon);
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
    if (TaskBarOption)
        AddTrayIcon();
}

void RestoreTrayIcon()
{
    if (TimerRunning && TaskBarOption)
        AddTrayIcon();
}

void RemoveTrayIcon()
{
    NOTIFYICONDATAA icon = TrayIconRecord(0);
    Shell_NotifyIconA(NIM_DELETE, &icon);
}
