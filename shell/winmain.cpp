// Start-up of TQ.EXE: the command line, the single-instance probe, the
// hidden main window, the first pass, then the resident loop or the end.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "data/settings.h"
#include "resources/ids.h"
#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/services.h"
#include "shell/state.h"

static const char ClassName[] = "Tq_Main";

// Compares two settings paths by their short forms, without regard to case.
// A path that does not name an existing file has no short form; then the
// texts themselves are compared.
static bool SameSettingsFile(const char* theirs, const char* ours)
{
    char theirShort[PathSize];
    char ourShort[PathSize];
    DWORD a = GetShortPathNameA(theirs, theirShort, sizeof theirShort);
    DWORD b = GetShortPathNameA(ours, ourShort, sizeof ourShort);
    if (a == 0 || a >= sizeof theirShort || b == 0 || b >= sizeof ourShort)
        return lstrcmpiA(theirs, ours) == 0;
    return lstrcmpiA(theirShort, ourShort) == 0;
}

// Instances started on one settings file at the same moment would all probe
// before any of them has a window, and all find nobody.  So the probe and the
// creation of the window are done under a lock named after the file, as the
// probe tells files apart: by the short form without regard to case, or by
// the text when there is no short form.  Instances on other files take other
// locks; a crashed holder leaves its lock abandoned, which the next one takes.
static HANDLE LockStartUp()
{
    char identity[PathSize];
    DWORD length = GetShortPathNameA(SettingsPath, identity, sizeof identity);
    if (length == 0 || length >= sizeof identity)
        lstrcpynA(identity, SettingsPath, sizeof identity);
    CharUpperA(identity);
    uint64_t hash = 14695981039346656037ull;
    for (const char* c = identity; *c; ++c)
        hash = (hash ^ (unsigned char)*c) * 1099511628211ull;
    char name[64];
    wsprintfA(name, "TQ.StartUp.%08lX%08lX", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFF));
    HANDLE lock = CreateMutexA(nullptr, FALSE, name);
    if (lock)
        WaitForSingleObject(lock, INFINITE); // WAIT_ABANDONED: its holder ended without letting go
    return lock;
}

static void UnlockStartUp(HANDLE lock)
{
    if (!lock)
        return;
    ReleaseMutex(lock);
    CloseHandle(lock);
}

// Asks one top-level window whether it is a TQ serving our settings file;
// if it is, hands it our request and stops the enumeration.
TQ_EXPORT BOOL CALLBACK PreviousProc(HWND window, LPARAM editParameter)
{
    char className[PathSize];
    if (!GetClassNameA(window, className, sizeof className) || lstrcmpiA(className, ClassName) != 0)
        return TRUE;
    ATOM atom = ATOM(SendMessageA(window, WM_REMIND_IDENTIFY, IdentifyWParam, LPARAM(IdentifyLParam)) & 0xFFFF);
    if (atom == 0)
        return TRUE;
    char theirPath[PathSize];
    bool match = GlobalGetAtomNameA(atom, theirPath, sizeof theirPath) != 0 && SameSettingsFile(theirPath, SettingsPath);
    GlobalDeleteAtom(atom);
    if (!match)
        return TRUE;
    PostMessageA(window, editParameter ? WM_REMIND_EDIT : WM_REMIND_CHECK, 0, 0);
    return FALSE;
}

static void BuildHelpPath()
{
    char program[PathSize];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program)
        return;
    MakeHelpPath(program, HelpPath, sizeof HelpPath);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int)
{
    InstanceHandle = instance;
    int edit = 0;
    // The tail the runtime hands over drops a switch glued to a quoted
    // program name and keeps a program name after leading blanks: it is
    // derived from the whole command line instead.
    const char* tail = CommandTail(GetCommandLineA());
    if (ParseCommandTail(tail, SettingsPath, sizeof SettingsPath, edit) != CommandLineResult::Ok) {
        ShowError(IDS_PATH_TOO_LONG, 1);
        return 1;
    }
    EditRequest = edit;

    if (!previous) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = MainWndProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = ClassName;
        if (!RegisterClassA(&windowClass))
            ShowError(IDS_NO_WINDOW, 1);
    }

    // A running instance on the same file takes the request over.
    HANDLE lock = LockStartUp();
    if (!EnumWindows(PreviousProc, EditRequest)) {
        UnlockStartUp(lock);
        return 1;
    }

    BuildHelpPath();
    MainWindow = CreateWindowExA(WS_EX_TOPMOST, "TQ_Main", LoadText(IDS_WINDOW_TITLE), WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, nullptr);
    UnlockStartUp(lock); // from here on a later start finds this window
    if (!MainWindow)
        ShowError(IDS_NO_WINDOW, 1);
    LoadSettings(1);
    InitCommonControls();
    if (EditRequest)
        OpenEditor();
    else
        CheckDueEntries();

    if (TimerRunning) {
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } else if (MainWindow) {
        DestroyWindow(MainWindow);
    }
    return 0;
}
