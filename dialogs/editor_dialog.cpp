// The entry editor dialog: moves the values of dialogs/editor_logic between
// the entry table and the controls.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "data/dates.h"
#include "data/entry.h"
#include "data/platform.h"
#include "data/settings.h"
#include "dialogs/dialogs.h"
#include "dialogs/editor_logic.h"
#include "resources/ids.h"
#include "shell/help.h"
#include "shell/services.h"
#include "shell/state.h"

// Set for the whole opening: change notifications of the date controls and
// the time fields are not acted on while the dialog fills itself.
static bool EditorInitialising;
// Set while ShowEditorEntry writes the controls: the spin positions it sets
// raise EN_CHANGE, which must not store the half-written entry.
static bool EditorFilling;

static HWND Item(int id)
{
    return GetDlgItem(ActiveDialog, id);
}

static LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(ActiveDialog, id, message, wParam, lParam);
}

// A negative text id stands for the number -id; others are string ids.
static void AddListString(int listId, int textId)
{
    char text[SHORT_TEXT_SIZE];
    if (textId < 0)
        std::snprintf(text, sizeof text, "%d", -textId);
    else
        LoadTextInto(textId, text, sizeof text);
    Send(listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

static void FillEditorLists()
{
    AddListString(IDC_YEAR, IDS_ALL_YEARS);
    for (int k = 0; k < YearListLength; ++k)
        AddListString(IDC_YEAR, -(Today.Year + k));
    for (int id = IDS_ALL_MONTHS; id <= IDS_DECEMBER; ++id)
        AddListString(IDC_MONTH, id);
    for (int id = IDS_ALL_DAYS; id <= IDS_SATURDAY; ++id)
        AddListString(IDC_DAY, id);
    for (int day = 1; day <= 31; ++day)
        AddListString(IDC_DAY, -day);
    Send(IDC_BEFORE, EM_LIMITTEXT, 1, 0);
    Send(IDC_AFTER, EM_LIMITTEXT, 1, 0);
    Send(IDC_MESSAGE, EM_LIMITTEXT, MessageSize - 1, 0);
}

static BOOL TryFocus(int excluded, int candidate)
{
    if (candidate == excluded || !IsWindowEnabled(Item(candidate)))
        return FALSE;
    SetFocus(Item(candidate));
    return TRUE;
}

static void SetControlEnabled(int id, bool enable)
{
    if (!enable && GetFocus() == Item(id)) {
        int target = FocusAfterDisabling(id, IsWindowEnabled(Item(IDC_PREVIOUS)), IsWindowEnabled(Item(IDC_NEXT)));
        if (!TryFocus(id, target))
            SetFocus(Item(IDC_NEW));
    }
    EnableWindow(Item(id), enable);
}

static void ReadControls(EditorControls& controls)
{
    controls.DayIndex = int(Send(IDC_DAY, CB_GETCURSEL, 0, 0));
    controls.MonthIndex = int(Send(IDC_MONTH, CB_GETCURSEL, 0, 0));
    controls.YearIndex = int(Send(IDC_YEAR, CB_GETCURSEL, 0, 0));
    controls.Before = uint32_t(int(GetDlgItemInt(ActiveDialog, IDC_BEFORE, nullptr, TRUE)));
    controls.After = uint32_t(int(GetDlgItemInt(ActiveDialog, IDC_AFTER, nullptr, TRUE)));
    controls.Skip = IsDlgButtonChecked(ActiveDialog, IDC_SKIP) == BST_CHECKED;
    controls.Active = IsDlgButtonChecked(ActiveDialog, IDC_ACTIVE) == BST_CHECKED;
    GetDlgItemTextA(ActiveDialog, IDC_MESSAGE, controls.Message, sizeof controls.Message);
    controls.Remind = IsDlgButtonChecked(ActiveDialog, IDC_REMIND) == BST_CHECKED;
    controls.Minute = GetDlgItemInt(ActiveDialog, IDC_MINUTE, nullptr, FALSE);
    controls.Hour = GetDlgItemInt(ActiveDialog, IDC_HOUR, nullptr, FALSE);
}

static void ShowEditorEntry(int index)
{
    EditorFilling = true;
    char caption[SHORT_TEXT_SIZE];
    if (EntryTable.Count != 0)
        std::snprintf(caption, sizeof caption, "%d of %d", index + 1, int(EntryTable.Count));
    else
        LoadTextInto(IDS_NO_EVENT, caption, sizeof caption);
    SetDlgItemTextA(ActiveDialog, IDC_POSITION, caption);

    EditorControls controls;
    UINT hour, minute;
    LocalHourMinute(hour, minute);
    if (index < EntryTable.Count) {
        SetControlEnabled(IDC_REMOVE, true);
        ShowEntryInControls(EntryTable.Slots[index], Today.Year, hour, minute, controls);
        Send(IDC_DAY, CB_SETCURSEL, WPARAM(controls.DayIndex), 0);
        Send(IDC_MONTH, CB_SETCURSEL, WPARAM(controls.MonthIndex), 0);
        Send(IDC_YEAR, CB_SETCURSEL, WPARAM(controls.YearIndex), 0);
        Send(IDC_BEFORE_SPIN, UDM_SETPOS, 0, MAKELPARAM(controls.Before, 0));
        Send(IDC_AFTER_SPIN, UDM_SETPOS, 0, MAKELPARAM(controls.After, 0));
        CheckDlgButton(ActiveDialog, IDC_SKIP, controls.Skip ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(ActiveDialog, IDC_ACTIVE, controls.Active ? BST_CHECKED : BST_UNCHECKED);
        SetControlEnabled(IDC_PREVIOUS, index != 0);
        SetControlEnabled(IDC_MOVE_UP, index != 0);
        SetControlEnabled(IDC_NEXT, index < EntryTable.Count - 1);
        SetControlEnabled(IDC_MOVE_DOWN, index < EntryTable.Count - 1);
        SetDlgItemTextA(ActiveDialog, IDC_MESSAGE, controls.Message);
        SetDlgItemTextA(ActiveDialog, IDC_DATE_EDITOR, FormatMatchingDate(index));
    } else {
        for (int id : {IDC_PREVIOUS, IDC_MOVE_UP, IDC_NEXT, IDC_MOVE_DOWN, IDC_REMOVE})
            SetControlEnabled(id, false);
        ShowNoEntryInControls(hour, minute, controls);
        for (int id : {IDC_DAY, IDC_MONTH, IDC_YEAR})
            Send(id, CB_SETCURSEL, WPARAM(-1), 0);
        Send(IDC_BEFORE_SPIN, UDM_SETPOS, 0, MAKELPARAM(0, 0));
        Send(IDC_AFTER_SPIN, UDM_SETPOS, 0, MAKELPARAM(0, 0));
        CheckDlgButton(ActiveDialog, IDC_SKIP, BST_UNCHECKED);
        CheckDlgButton(ActiveDialog, IDC_ACTIVE, BST_CHECKED);
        SetDlgItemTextA(ActiveDialog, IDC_MESSAGE, "");
        SetDlgItemTextA(ActiveDialog, IDC_DATE_EDITOR, "");
    }
    CheckDlgButton(ActiveDialog, IDC_REMIND, controls.Remind ? BST_CHECKED : BST_UNCHECKED);
    Send(IDC_HOUR_SPIN, UDM_SETPOS, 0, MAKELPARAM(controls.Hour, 0));
    Send(IDC_MINUTE_SPIN, UDM_SETPOS, 0, MAKELPARAM(controls.Minute, 0));
    EditorFilling = false;
}

static void StoreEditorEntry(int index)
{
    if (index < 0 || index >= EntryTable.Count)
        return;
    EditorControls controls;
    ReadControls(controls);
    if (StoreControlsInEntry(controls, Today.Year, EntryTable.Slots[index]))
        StartReminderTimer();
}

static void RefreshDateLabel()
{
    if (EditorFilling)
        return;
    int current = EditRequest;
    if (current < EntryTable.Count) {
        StoreEditorEntry(current);
        SetDlgItemTextA(ActiveDialog, IDC_DATE_EDITOR, FormatMatchingDate(current));
    } else {
        SetDlgItemTextA(ActiveDialog, IDC_DATE_EDITOR, "");
    }
}

static INT_PTR OnInitDialog(HWND dialog)
{
    ActiveDialog = dialog;
    if (EditRequest != 0)
        --EditRequest; // from here on the current index
    EditorInitialising = true;
    CreateSpin(dialog, IDC_BEFORE_SPIN, IDC_BEFORE, 9, 0);
    CreateSpin(dialog, IDC_AFTER_SPIN, IDC_AFTER, 9, 0);
    CreateSpin(dialog, IDC_HOUR_SPIN, IDC_HOUR, 23, 0);
    CreateSpin(dialog, IDC_MINUTE_SPIN, IDC_MINUTE, 59, 0);
    FillEditorLists();
    ShowEditorEntry(EditRequest);
    RefreshDateLabel();
    EditorInitialising = false;
    // The time fields were filled while padding was off: pad them now, so
    // that the editor never opens showing "11 : 0".
    PadTimeField(Item(IDC_HOUR));
    PadTimeField(Item(IDC_MINUTE));
    return TRUE;
}

// The buttons that step through or change the table.
static void RunTableCommand(int id)
{
    EditorControls controls;
    ReadControls(controls);
    int current = EditRequest;
    EditorStep step;
    switch (id) {
    case IDC_MOVE_UP: step = EditorMoveUp(current, controls, Today.Year); break;
    case IDC_MOVE_DOWN: step = EditorMoveDown(current, controls, Today.Year); break;
    case IDC_PREVIOUS: step = EditorPrevious(current, controls, Today.Year); break;
    case IDC_NEXT: step = EditorNext(current, controls, Today.Year); break;
    case IDC_REMOVE: step = EditorRemove(current); break;
    default: step = EditorNew(current, controls, Today.Year); break;
    }
    if (step.StoredRepeat)
        StartReminderTimer();
    EditRequest = step.Current;
    if (step.Show)
        ShowEditorEntry(step.Current);
}

static INT_PTR OnCommand(HWND dialog, int id, int code, HWND control)
{
    switch (id) {
    case IDC_OK:
        StoreEditorEntry(EditRequest);
        SaveSettings();
        EndDialog(dialog, 1);
        return TRUE;
    case IDC_CANCEL:
        // The only undo: the table as the file holds it, repeat times included.
        ReleaseEntryTable();
        LoadSettings(0);
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_BEFORE:
    case IDC_AFTER:
        if (code == EN_CHANGE && !EditorInitialising)
            RefreshDateLabel();
        return TRUE;
    case IDC_MONTH:
    case IDC_DAY:
    case IDC_YEAR:
        if (code == CBN_SELCHANGE && !EditorInitialising)
            RefreshDateLabel();
        return TRUE;
    case IDC_MOVE_UP:
    case IDC_MOVE_DOWN:
    case IDC_PREVIOUS:
    case IDC_NEXT:
    case IDC_REMOVE:
    case IDC_NEW:
        RunTableCommand(id);
        return TRUE;
    case IDC_ABOUT:
        DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(IDD_ABOUT), dialog, AboutProc, 0);
        return TRUE;
    case IDC_HOUR:
    case IDC_MINUTE:
        if (code == EN_CHANGE && !EditorInitialising)
            PadTimeField(control);
        return TRUE;
    case IDC_HELP_BUTTON:
        OpenHelp(MainWindow, HELP_CONTEXT, HELP_CONTEXT_BUTTON);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK EditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DispatchReminderDialog(dialog, message, wParam, lParam, OnInitDialog, OnCommand);
}
