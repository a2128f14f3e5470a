// Every call into the help system goes through OpenHelp, so that a test can
// put a recorder in place of WinHelpA (which would wait for a help window).
#ifndef TQ_SHELL_HELP_H
#define TQ_SHELL_HELP_H

#include <windows.h>

using HelpFunction = BOOL(WINAPI*)(HWND owner, LPCSTR file, UINT command, ULONG_PTR data);
extern HelpFunction HelpCall; // WinHelpA unless a test replaced it

// Marks the help file as used and asks the help system for it.
void OpenHelp(HWND owner, UINT command, ULONG_PTR data);

#endif
