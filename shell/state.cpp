#include "shell/state.h"

char SettingsPath[PathSize];
char HelpPath[PathSize];
int HelpUsed;
int32_t EditRequest;
int32_t CurrentEntry;
uintptr_t TimerRunning;
int32_t TaskBarOption;
uint32_t TimerPeriod;

#ifdef _WIN32
HINSTANCE InstanceHandle;
HWND MainWindow;
HWND ActiveDialog;
int OpenBoxes;
#endif

uint32_t EffectiveTimerPeriod()
{
    // 0 would tick without pause, more than a day would never tick in time.
    const uint32_t day = 24u * 60 * 60 * 1000;
    return TimerPeriod == 0 || TimerPeriod > day ? DefaultTimerPeriod : TimerPeriod;
}
