// Shows one of the program's dialogs on a settings file for a few seconds,
// for screenshots:  show_dialog SETTINGS-FILE TEMPLATE-ID [ENTRY] [SECONDS] [FACE-FILE]
// The message dialog shows entry ENTRY (from 1), the editor opens on it.
// FACE-FILE receives the name of the font face the dialog was drawn with.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "data/entry.h"
#include "data/settings.h"
#include "dialogs/dialogs.h"
#include "resources/ids.h"
#include "shell/state.h"

static const char* FaceFile;

// The face the system matched to the dialog's font, which is what it drew with.
static void ReportFace(HWND dialog)
{
    if (!FaceFile)
        return;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    HANDLE file = CreateFileA(FaceFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, face, DWORD(lstrlenA(face)), &written, nullptr);
    CloseHandle(file);
}

static void CALLBACK Close(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    ReportFace(dialog);
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
    FaceFile = __argc > 5 ? __argv[5] : nullptr;
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
