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
#endif
