// Entry point of TQ.EXE.
#include <windows.h>

#include "shell/state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InstanceHandle = instance;
    return 0;
}
