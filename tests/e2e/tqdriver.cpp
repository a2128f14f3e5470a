// Drives running TQ processes from outside, the way a user would: finds
// their windows by caption or class, reads and sets control texts, clicks,
// posts messages.  One command per run:
//   tqdriver wait CAPTION [ID] [SECONDS]   a window (holding control ID) appears
//   tqdriver gone CAPTION [SECONDS]        no window of that caption is left
//   tqdriver count CAPTION                 prints how many are shown
//   tqdriver text CAPTION ID               prints a control's text
//   tqdriver settext CAPTION ID TEXT
//   tqdriver click CAPTION ID              a button click
//   tqdriver spin CAPTION ID POSITION      sets a spin control
//   tqdriver post PATH MESSAGE [WPARAM LPARAM]
//                                          posts to the main window of the TQ
//                                          serving settings file PATH
//   tqdriver identify WPARAM LPARAM        prints what a main window answers
//   tqdriver classcount CLASS              prints how many windows of a class exist
//   tqdriver together N PROGRAM ARGS       starts N processes of PROGRAM at the same
//                                          moment (created suspended, then let go
//                                          together); prints "exit INDEX CODE" for each
//                                          as it ends, and returns when all have
//   tqdriver exec PROGRAM COMMANDLINE      starts PROGRAM with exactly that command
//                                          line, waits and prints its exit code
//   tqdriver shortcut LINK                 prints a shortcut's target and, on the
//                                          next line, its arguments
// ID may be the control of the first window of that caption holding it.
// Exit code 0 on success, 1 when the window or control was not found.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<HWND> Found;
const char* WantedCaption;
const char* WantedClass;

BOOL CALLBACK Collect(HWND window, LPARAM)
{
    char text[256];
    if (WantedCaption) {
        if (!IsWindowVisible(window) || !GetWindowTextA(window, text, sizeof text) ||
            std::strcmp(text, WantedCaption) != 0)
            return TRUE;
    } else if (!GetClassNameA(window, text, sizeof text) || lstrcmpiA(text, WantedClass) != 0) {
        return TRUE;
    }
    Found.push_back(window);
    return TRUE;
}

std::vector<HWND> Windows(const char* caption, const char* className = nullptr)
{
    Found.clear();
    WantedCaption = caption;
    WantedClass = className;
    EnumWindows(Collect, 0);
    return Found;
}

// The first window of the caption that holds control id (any when id is 0).
HWND Window(const char* caption, int id)
{
    for (HWND window : Windows(caption))
        if (id == 0 || GetDlgItem(window, id))
            return window;
    return nullptr;
}

HWND Control(const char* caption, int id)
{
    HWND window = Window(caption, id);
    return window ? GetDlgItem(window, id) : nullptr;
}

HWND MainWindowServing(const char* path)
{
    for (HWND window : Windows(nullptr, "Tq_Main")) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window, 0x8003, 19740, LPARAM(0xEE3FDA8Du), SMTO_ABORTIFHUNG, 5000, &answer))
            continue;
        ATOM atom = ATOM(answer & 0xFFFF);
        if (!atom)
            continue;
        char text[MAX_PATH] = "";
        GlobalGetAtomNameA(atom, text, sizeof text);
        GlobalDeleteAtom(atom);
        if (lstrcmpiA(text, path) == 0)
            return window;
    }
    return nullptr;
}

unsigned long Number(const char* text)
{
    return std::strtoul(text, nullptr, 0);
}

int Wait(const char* caption, int id, int seconds, bool untilGone)
{
    for (int tick = 0; tick < seconds * 20; ++tick) {
        bool present = Window(caption, id) != nullptr;
        if (present != untilGone)
            return 0;
        Sleep(50);
    }
    std::fprintf(stderr, "tqdriver: timed out waiting for \"%s\"%s\n", caption, untilGone ? " to go" : "");
    return 1;
}

// Starts count processes of program with the same arguments at once, and
// reports each exit code as it comes.
int Together(int count, const char* program, int argc, char** argv, int first)
{
    std::string line = std::string("\"") + program + "\"";
    for (int i = first; i < argc; ++i)
        line += std::string(" \"") + argv[i] + "\"";
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < count; ++i) {
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back(0);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(program, buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                            &startup, &process)) {
            std::fprintf(stderr, "tqdriver: cannot start %s\n", program);
            return 1;
        }
        started.push_back(process);
    }
    for (const PROCESS_INFORMATION& process : started)
        ResumeThread(process.hThread);
    std::vector<bool> done(started.size());
    for (size_t left = started.size(); left > 0;) {
        std::vector<HANDLE> waiting;
        std::vector<size_t> which;
        for (size_t i = 0; i < started.size(); ++i)
            if (!done[i]) {
                waiting.push_back(started[i].hProcess);
                which.push_back(i);
            }
        DWORD result = WaitForMultipleObjects(DWORD(waiting.size()), waiting.data(), FALSE, INFINITE);
        size_t index = which[result - WAIT_OBJECT_0];
        DWORD code = 0;
        GetExitCodeProcess(started[index].hProcess, &code);
        std::printf("exit %d %lu\n", int(index), code);
        std::fflush(stdout);
        done[index] = true;
        --left;
    }
    return 0;
}

int Exec(const char* program, const char* commandLine)
{
    std::vector<char> buffer(commandLine, commandLine + std::strlen(commandLine) + 1);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("%lu\n", code);
    return 0;
}

int Shortcut(const char* path)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    int status = 1;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
        char target[MAX_PATH] = "", arguments[1024] = "";
        if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
            SUCCEEDED(link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetArguments(arguments, sizeof arguments))) {
            std::printf("%s\n%s\n", target, arguments);
            status = 0;
        }
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    std::string command = argv[1];
    auto arg = [&](int i) { return i < argc ? argv[i] : ""; };
    if (command == "wait")
        return Wait(arg(2), argc > 3 ? int(Number(arg(3))) : 0, argc > 4 ? int(Number(arg(4))) : 30, false);
    if (command == "gone")
        return Wait(arg(2), 0, argc > 3 ? int(Number(arg(3))) : 30, true);
    if (command == "count") {
        std::printf("%d\n", int(Windows(arg(2)).size()));
        return 0;
    }
    if (command == "classcount") {
        std::printf("%d\n", int(Windows(nullptr, arg(2)).size()));
        return 0;
    }
    if (command == "together")
        return Together(int(Number(arg(2))), arg(3), argc, argv, 4);
    if (command == "exec")
        return Exec(arg(2), arg(3));
    if (command == "shortcut")
        return Shortcut(arg(2));
    if (command == "identify") {
        std::vector<HWND> windows = Windows(nullptr, "Tq_Main");
        if (windows.empty())
            return 1;
        LRESULT answer = SendMessageA(windows[0], 0x8003, Number(arg(2)), LPARAM(Number(arg(3))));
        std::printf("%d\n", int(answer & 0xFFFF));
        if (answer & 0xFFFF)
            GlobalDeleteAtom(ATOM(answer & 0xFFFF));
        return 0;
    }
    if (command == "post") {
        HWND window = MainWindowServing(arg(2));
        if (!window)
            return 1;
        PostMessageA(window, UINT(Number(arg(3))), WPARAM(Number(arg(4))), LPARAM(Number(arg(5))));
        return 0;
    }
    HWND control = Control(arg(2), int(Number(arg(3))));
    if (!control) {
        std::fprintf(stderr, "tqdriver: no control %s in \"%s\"\n", arg(3), arg(2));
        return 1;
    }
    if (command == "text") {
        // Asked of the control itself: another process's edit keeps its text
        // where GetWindowText does not look.
        char text[512] = "";
        SendMessageA(control, WM_GETTEXT, sizeof text, LPARAM(text));
        std::printf("%s\n", text);
    } else if (command == "settext") {
        SendMessageA(control, WM_SETTEXT, 0, LPARAM(arg(4)));
    } else if (command == "click") {
        PostMessageA(control, BM_CLICK, 0, 0);
    } else if (command == "spin") {
        SendMessageA(control, 0x400 + 103 /* UDM_SETPOS */, 0, MAKELPARAM(Number(arg(4)), 0));
    } else {
        return 2;
    }
    return 0;
}
