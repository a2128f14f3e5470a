// The hidden main window: timer passes, the notification-area icon, requests
// from the menu and from later instances, the handshake answer, shutdown.
#ifndef TQ_SHELL_MAIN_WINDOW_H
#define TQ_SHELL_MAIN_WINDOW_H

#include <windows.h>

#include "dialogs/dialogs.h"

// The handshake's identify message carries exactly these values.
constexpr WPARAM IdentifyWParam = 19740;
constexpr DWORD IdentifyLParam = 0xEE3FDA8Du;

TQ_EXPORT LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The check pass: a message dialog for every due entry, then a save when
// any was shown, then the editor when one of them asked for it.
void CheckDueEntries();

// The entry editor on the entry EditRequest names; EditRequest is 0 after.
void OpenEditor();

#endif
