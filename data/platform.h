// What the reminder data needs from the platform.  Each function has one
// implementation for Windows and one for the native build (shell/).
#ifndef TQ_DATA_PLATFORM_H
#define TQ_DATA_PLATFORM_H

#include <string>

#include "data/dates.h"

// Copies string-table text id into buffer (at most size - 1 characters and a
// terminator); an id the table does not hold gives an empty text.  Returns
// the length copied.
int LoadTextInto(int id, char* buffer, int size);

// The shared 256-byte text buffer, holding string id.  Each call overwrites
// the text of the call before.
char* LoadText(int id);

// The error box, captioned "TQ fatal error".  When fatal is non-zero the
// main window is destroyed and the process ends with exit code 1.
void ShowError(int id, int fatal);

// The local date from the clock.
CalendarDate ReadLocalDate();

// The directory a bare settings file name stands in: the Windows directory,
// or the current directory in the native build.  Returns 0 on failure.
int SettingsDirectory(char* buffer, int size);

#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

// Replaces the file at path with bytes, whole or not at all: the bytes go to
// a temporary file beside it, which then takes the old file's place.  A file
// marked read-only is not replaced.  Returns 1 on success, 0 on failure (the
// old file is then as it was).
int ReplaceWholeFile(const char* path, const std::string& bytes);

#endif
