// The command line and the help file's path, as plain functions.
#ifndef TQ_SHELL_COMMAND_LINE_H
#define TQ_SHELL_COMMAND_LINE_H

#include <cstddef>

enum class CommandLineResult { Ok, PathTooLong };

// The command tail within the process's whole command line: what follows
// the program name and the blanks and tabs after it.  Leading blanks and tabs
// are skipped first; a program name that begins with a double quote ends at
// the closing quote or at a tab, any other at the first blank or tab.
const char* CommandTail(const char* commandLine);

// Reads the command tail: an optional edit switch ("/e" or "/E", after
// spaces), then the settings path, taken whole.  A path wrapped in one pair
// of double quotes is unquoted; an empty path means "TQ.INI".  A path that
// does not fit the buffer is refused, never cut.
CommandLineResult ParseCommandTail(const char* tail, char* settingsPath, size_t size, int& editRequest);

// The help file beside the program: the program's path with its extension
// replaced by ".HLP" (appended when it has none).  Returns false, leaving
// out empty, when the result does not fit.
bool MakeHelpPath(const char* programPath, char* out, size_t size);

#endif
