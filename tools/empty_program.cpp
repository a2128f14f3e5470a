// The smallest Win32 program: the baseline for timing whole runs of TQ.EXE.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
