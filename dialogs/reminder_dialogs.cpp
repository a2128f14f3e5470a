// Routines shared by the message dialog and the entry editor.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "dialogs/dialogs.h"
#include "shell/help.h"
#include "shell/state.h"

// One flag for both fields of both dialogs: the write below raises another
// EN_CHANGE, which must not pad again.
static bool Padding;

void PadTimeField(HWND field)
{
    if (Padding)
        return;
    char text[16];
    GetWindowTextA(field, text, sizeof text);
    if (std::strlen(text) >= 2)
        return;
    char padded[16] = "0";
    lstrcpynA(padded + 1, text, sizeof padded - 1);
    Padding = true;
    SetWindowTextA(field, padded);
    Padding = false;
}

BOOL ShowContextHelp(const HELPINFO* info)
{
    // Pairs of (control, context), ended by a zero pair; only the first pair
    // is ever written.
    static DWORD contexts[4];
    HWND item = static_cast<HWND>(info->hItemHandle);
    DWORD id = DWORD(GetDlgCtrlID(item));
    contexts[0] = id;
    contexts[1] = id;
    OpenHelp(item, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(contexts));
    return TRUE;
}

void LocalHourMinute(UINT& hour, UINT& minute)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    hour = now.wHour;
    minute = now.wMinute;
}

HWND CreateSpin(HWND dialog, int spinId, int buddyId, int upper, int position)
{
    // Aligned to the right edge of its buddy, which it narrows; the given
    // position does not show.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS;
    return CreateUpDownControl(style, 10, 10, 18, 18, dialog, spinId, InstanceHandle, GetDlgItem(dialog, buddyId),
                               upper, 0, position);
}

INT_PTR DispatchReminderDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, DialogInitHandler onInit,
                               DialogCommandHandler onCommand)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInit(dialog);
    case WM_COMMAND:
        return onCommand(dialog, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_HELP:
        return ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam));
    case WM_DESTROY:
        ActiveDialog = nullptr;
        return TRUE;
    default:
        return FALSE;
    }
}
