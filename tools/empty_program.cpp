// The smallest Win32 programs, baselines for timing whole runs of TQ.EXE:
// without arguments it ends at once; with "window" it first creates and
// destroys one hidden window, the fixed cost of any windowed program.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR tail, int)
{
    if (tail && std::strcmp(tail, "window") == 0) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = "Empty";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, "Empty", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, instance,
                                      nullptr);
        DestroyWindow(window);
    }
    return 0;
}
