// Runs a dialog of the program modally and drives it from inside its own
// modal loop: a thread timer, dispatched by that loop, runs one step of a
// script per tick against the active dialog.  Keys are posted so that they
// pass through the dialog manager like typed ones.
#ifndef TQ_TESTS_DIALOG_DRIVER_H
#define TQ_TESTS_DIALOG_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/help.h"
#include "shell/state.h"

using Step = std::function<void(HWND dialog)>;

namespace driver {
inline std::vector<Step> Steps;
inline size_t Next;
inline int IdleTicks;

inline void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = GetActiveWindow();
    if (!dialog)
        dialog = ActiveDialog;
    if (Next < Steps.size()) {
        Step step = Steps[Next++];
        step(dialog);
        return;
    }
    // The script is over but the dialog is still open: close it so that a
    // failing test does not hang.
    if (++IdleTicks > 25 && dialog) {
        ADD_FAILURE() << "dialog still open after its script";
        KillTimer(nullptr, timer);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}
} // namespace driver

inline INT_PTR RunDialog(int templateId, DLGPROC proc, std::vector<Step> steps, HWND owner = nullptr)
{
    driver::Steps = std::move(steps);
    driver::Next = 0;
    driver::IdleTicks = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 40, driver::Tick);
    INT_PTR result = DialogBoxParamA(InstanceHandle, MAKEINTRESOURCEA(templateId), owner, proc, 0);
    KillTimer(nullptr, timer);
    return result;
}

// Script steps.
inline Step Click(int id)
{
    return [id](HWND dialog) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); };
}
inline Step Key(UINT key)
{
    return [key](HWND) {
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, key, 0);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    };
}
// A tick with nothing to do: lets the dialog finish what a posted key started.
inline Step Pause()
{
    return [](HWND) {};
}
inline Step SpinTo(int spinId, int position)
{
    return [spinId, position](HWND dialog) {
        SendDlgItemMessageA(dialog, spinId, UDM_SETPOS, 0, MAKELPARAM(position, 0));
    };
}
inline Step Select(int listId, int index)
{
    return [listId, index](HWND dialog) {
        HWND list = GetDlgItem(dialog, listId);
        SendMessageA(list, CB_SETCURSEL, WPARAM(index), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), LPARAM(list));
    };
}
inline Step Check(std::function<void(HWND)> check)
{
    return check;
}

inline std::string Text(HWND dialog, int id)
{
    char text[300] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Records help requests instead of starting the help program.
struct HelpRequest {
    HWND Owner;
    UINT Command;
    ULONG_PTR Context; // for HELP_WM_HELP the first pair of the table
    DWORD Table[4];
};
inline std::vector<HelpRequest> HelpRequests;
inline BOOL WINAPI RecordHelp(HWND owner, LPCSTR, UINT command, ULONG_PTR data)
{
    HelpRequest request = {owner, command, data, {}};
    if (command == HELP_WM_HELP)
        memcpy(request.Table, reinterpret_cast<const DWORD*>(data), sizeof request.Table);
    HelpRequests.push_back(request);
    return TRUE;
}

#endif
