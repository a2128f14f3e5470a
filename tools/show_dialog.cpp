// Shows one of the program's dialogs on a settings file for a few seconds,
// for screenshots:  show_dialog SETTINGS-FILE TEMPLATE-ID [ENTRY] [SECONDS]
// The message dialog shows entry ENTRY (from 1), the editor opens on it.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "data/entry.h"
#include "data/settings.h"
#include "dialogs/dialogs.h"
#include "resources/ids.h"
#include "shell/state.h"

static void CALLBACK Close(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    PostMessageA(dialog, WM_COMMAND, GetDlgItem(dialog, IDC_CANCEL) ? IDC_CANCEL : IDC_OK, 0);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc < 3)
        return 2;
    InstanceHandle = instance;
    lstrcpynA(SettingsPath, __argv[1], PathSize);
    int id = std::atoi(__argv[2]);
    int entry = __argc > 3 ? std::atoi(__argv[3]) : 1;
    int seconds = __argc > 4 ? std::atoi(__argv[4]) : 5;
    InitCommonControls();
    LoadSettings(1);
    SetTimer(nullptr, 0, UINT(seconds) * 1000, Close);
    DLGPROC proc = id == IDD_ABOUT ? AboutProc : id == IDD_EDITOR ? EditProc : MessProc;
    if (id == IDD_MESSAGE && (entry < 1 || entry > EntryTable.Count))
        return 1;
    CurrentEntry = entry - 1;
    EditRequest = id == IDD_EDITOR ? entry : 0;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(id), nullptr, proc, 0);
    ReleaseEntryTable();
    return 0;
}
