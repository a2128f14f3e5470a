// Services of the shell used by the dialogs and the main window.  LoadText
// and ShowError are declared with the platform seam (data/platform.h).
#ifndef TQ_SHELL_SERVICES_H
#define TQ_SHELL_SERVICES_H

#include <cstdint>

#include "data/platform.h"

// The present local time of day as a repeat time code.
int32_t NowTimeCode();

// Makes the program resident: starts the reminder timer once and adds the
// notification-area icon when the "Task bar" option asks for it.
void StartReminderTimer();

#ifdef _WIN32
#include <windows.h>

// The image the notification-area icon shows: the small image of the
// program's icon, shared (never destroyed).
HICON TrayIconImage();

// Takes the notification-area icon away again.
void RemoveTrayIcon();

// Adds the icon again after the shell restarted, while it should be there.
void RestoreTrayIcon();
#endif

#endif
