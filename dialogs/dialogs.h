// The three dialog procedures and the routines both reminder dialogs share.
#ifndef TQ_DIALOGS_DIALOGS_H
#define TQ_DIALOGS_DIALOGS_H

#include <windows.h>

// The program's callbacks are exported from the program file by name.
#define TQ_EXPORT extern "C" __declspec(dllexport)

TQ_EXPORT INT_PTR CALLBACK MessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
TQ_EXPORT INT_PTR CALLBACK EditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
TQ_EXPORT INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Keeps an hour or minute field two digits wide (called on its EN_CHANGE).
void PadTimeField(HWND field);

// The context-help request of both reminder dialogs: the help context of a
// control is its identifier.
BOOL ShowContextHelp(const HELPINFO* info);

// The message handling both reminder dialogs share: opening and commands go
// to their handlers, context help to ShowContextHelp, and the end of the
// dialog clears ActiveDialog.
using DialogInitHandler = INT_PTR (*)(HWND dialog);
using DialogCommandHandler = INT_PTR (*)(HWND dialog, int id, int code, HWND control);
INT_PTR DispatchReminderDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, DialogInitHandler onInit,
                               DialogCommandHandler onCommand);

// The present local hour and minute, shown when an entry has no repeat time.
void LocalHourMinute(UINT& hour, UINT& minute);

// The spin control beside an hour, minute or day field.
HWND CreateSpin(HWND dialog, int spinId, int buddyId, int upper, int position);

#endif
