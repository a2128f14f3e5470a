// The reminder message dialog: one due entry, its date, its message, skip
// and remind-me-at.
#include <windows.h>
#include <commctrl.h>

#include "data/dates.h"
#include "data/entry.h"
#include "data/settings.h"
#include "dialogs/dialogs.h"
#include "resources/ids.h"
#include "shell/help.h"
#include "shell/services.h"
#include "shell/state.h"

static ReminderEntry& Shown()
{
    return EntryTable.Slots[CurrentEntry];
}

static INT_PTR OnInitDialog(HWND dialog)
{
    ActiveDialog = dialog;
    SetDlgItemTextA(dialog, IDC_DATE_MESSAGE, FormatMatchingDate(CurrentEntry));
    SendDlgItemMessageA(dialog, IDC_MESSAGE, EM_LIMITTEXT, MessageSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_MESSAGE, Shown().Message);
    CheckDlgButton(dialog, IDC_SKIP, BST_UNCHECKED);
    UINT hour, minute;
    if (Shown().Again != 0) {
        hour = UINT(RemindHour(Shown().Again));
        minute = UINT(RemindMinute(Shown().Again));
        CheckDlgButton(dialog, IDC_REMIND, BST_CHECKED);
    } else {
        LocalHourMinute(hour, minute);
        CheckDlgButton(dialog, IDC_REMIND, BST_UNCHECKED);
    }
    // Each spin writes its position into its field; the EN_CHANGE that
    // raises pads it to two digits.
    CreateSpin(dialog, IDC_HOUR_SPIN, IDC_HOUR, 23, int(hour));
    CreateSpin(dialog, IDC_MINUTE_SPIN, IDC_MINUTE, 59, int(minute));
    MessageBeep(MB_ICONEXCLAMATION);
    return TRUE; // focus on the first tab stop, OK
}

static void StoreAndClose(HWND dialog)
{
    ReminderEntry& entry = Shown();
    GetDlgItemTextA(dialog, IDC_MESSAGE, entry.Message, MessageSize);
    NormalizeLineBreaks(entry.Message, MessageSize); // pasted text may break lines with LF alone
    if (IsDlgButtonChecked(dialog, IDC_REMIND) == BST_CHECKED) {
        UINT minute = GetDlgItemInt(dialog, IDC_MINUTE, nullptr, FALSE);
        UINT hour = GetDlgItemInt(dialog, IDC_HOUR, nullptr, FALSE);
        entry.Again = EncodeRemindTime(hour, minute);
        StartReminderTimer();
    } else {
        entry.Again = 0;
    }
    EndDialog(dialog, 1);
}

static INT_PTR OnCommand(HWND dialog, int id, int code, HWND control)
{
    switch (id) {
    case IDC_OK:
        StoreAndClose(dialog);
        return TRUE;
    case IDM_EDIT:
        if (EditRequest == 0) // an earlier Edit in the same pass wins
            EditRequest = CurrentEntry + 1;
        StoreAndClose(dialog);
        return TRUE;
    case IDC_CANCEL:
        EndDialog(dialog, 1);
        return TRUE;
    case IDC_SKIP:
        // Acts at once: a cancelled dialog keeps the skip.
        Shown().Skip = IsDlgButtonChecked(dialog, IDC_SKIP) == BST_CHECKED ? Shown().MatchingDate : 0;
        return TRUE;
    case IDC_HOUR:
    case IDC_MINUTE:
        if (code == EN_CHANGE)
            PadTimeField(control);
        return TRUE;
    case IDC_HELP_BUTTON:
        OpenHelp(MainWindow, HELP_CONTEXT, HELP_CONTEXT_BUTTON);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK MessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchReminderDialog(dialog, message, wParam, lParam, OnInitDialog, OnCommand);
}
