// Process-wide state of the application shell.  Everything starts zero,
// null or empty.
#ifndef TQ_SHELL_STATE_H
#define TQ_SHELL_STATE_H

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

constexpr int PathSize = 260; // 259 characters and a terminator

extern char SettingsPath[PathSize]; // as given on the command line, or "TQ.INI"
extern char HelpPath[PathSize];
extern int HelpUsed;         // the help file was opened and must be closed at the end
extern int32_t EditRequest;  // 0 none; k >= 1 open the editor on entry k - 1
extern int32_t CurrentEntry; // entry whose message dialog is open
extern uintptr_t TimerRunning; // non-zero while the reminder timer runs
extern int32_t TaskBarOption;  // non-zero: notification-area icon while resident
extern uint32_t TimerPeriod;   // reminder timer interval in milliseconds

// Private messages of the main window.
constexpr unsigned WM_REMIND_EDIT = 0x8000;
constexpr unsigned WM_REMIND_CHECK = 0x8001;
constexpr unsigned WM_REMIND_TRAY = 0x8002;
constexpr unsigned WM_REMIND_IDENTIFY = 0x8003;

constexpr unsigned ReminderTimerId = 1;
constexpr uint32_t DefaultTimerPeriod = 60000;

// The interval the reminder timer runs at: the "Timer period" option, or the
// default of one minute when the option is 0 or longer than a day.
uint32_t EffectiveTimerPeriod();

#ifdef _WIN32
extern HINSTANCE InstanceHandle;
extern HWND MainWindow;
extern HWND ActiveDialog; // open message dialog or editor, null when none
extern int OpenBoxes;     // error boxes open now: ticks and requests wait for them as for a dialog
#endif

#endif
