#include "shell/help.h"

#include "shell/state.h"

HelpFunction HelpCall = WinHelpA;

void OpenHelp(HWND owner, UINT command, ULONG_PTR data)
{
    HelpUsed = 1;
    HelpCall(owner, HelpPath, command, data);
}
