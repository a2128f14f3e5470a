// Shows one dialog template of a program file for a few seconds, for
// screenshots: show_dialog PROGRAM.EXE TEMPLATE-ID [SECONDS]
#include <windows.h>

#include <cstdlib>

static INT_PTR CALLBACK ShowProc(HWND dialog, UINT message, WPARAM, LPARAM seconds)
{
    if (message == WM_INITDIALOG) {
        SetTimer(dialog, 1, UINT(seconds) * 1000, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER || (message == WM_COMMAND)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    HMODULE program = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program)
        return 1;
    LPARAM seconds = argc > 3 ? std::atoi(argv[3]) : 5;
    DialogBoxParamA(program, MAKEINTRESOURCEA(std::atoi(argv[2])), nullptr, ShowProc, seconds);
    FreeLibrary(program);
    return 0;
}
