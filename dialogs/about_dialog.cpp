// The About box: the program's name in large bold letters.
#include "dialogs/dialogs.h"
#include "resources/ids.h"

static LOGFONTA TitleFont;
static HFONT AboutFont;

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // Filled in full at every opening.
        TitleFont.lfHeight = 30;
        TitleFont.lfWidth = 0;
        TitleFont.lfEscapement = 0;
        TitleFont.lfOrientation = 0;
        TitleFont.lfWeight = FW_BOLD;
        TitleFont.lfItalic = 0;
        TitleFont.lfUnderline = 0;
        TitleFont.lfStrikeOut = 0;
        TitleFont.lfCharSet = ANSI_CHARSET;
        TitleFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
        TitleFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        TitleFont.lfQuality = PROOF_QUALITY;
        TitleFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpynA(TitleFont.lfFaceName, "Arial", LF_FACESIZE);
        AboutFont = CreateFontIndirectA(&TitleFont);
        SendDlgItemMessageA(dialog, IDC_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(AboutFont), 1);
        return TRUE;
    case WM_COMMAND:
        // Only OK (or Enter) closes the box; Esc's cancel is left unhandled.
        if (LOWORD(wParam) != IDC_OK)
            return FALSE;
        DeleteObject(AboutFont);
        AboutFont = nullptr;
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}
