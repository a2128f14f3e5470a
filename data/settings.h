// The settings file: options and entries, read at start-up and on the
// editor's Cancel, written after a pass that showed a message and on the
// editor's OK.
#ifndef TQ_DATA_SETTINGS_H
#define TQ_DATA_SETTINGS_H

#include <string>

// Reads the options and every entry from the file named by SettingsPath.
// With the start-up flag the stored repeat times are dropped.
void LoadSettings(int startUp);

// Writes the options and every entry, and removes the sections of entries
// the last load read beyond the present count.  The file is replaced whole
// or not at all; a failure is reported with an error box and 0 returned,
// with the entries still in memory and the old file as it was.
int SaveSettings();

// Where the settings file named by SettingsPath is read from and written
// to.  A path with a folder in it is used as it stands.  A bare file name
// stands for a file in the Windows directory (in the native build, in the
// current directory); where that cannot be written, for a file in the
// per-user folder, which until it exists starts from the Windows directory's
// file, or from the copy Windows' virtualization made of it.
struct SettingsFiles {
    std::string Read;
    std::string Write;
    std::string Folder; // created before the first save; empty when none is needed
};
SettingsFiles LocateSettingsFiles();

// Fixes the folders a bare file name stands in, and whether the first of
// them can be written (tests); null goes back to the platform's.
struct SettingsFolders;
void SetSettingsFolders(const SettingsFolders* folders, bool systemWritable);

// Message escaping of the file: a line break (CR LF, or a CR or an LF on its
// own) is kept as backslash and "n", so that a message never leaves its line.
// Reading gives CR LF for each.  EscapeMessage writes at most size - 1
// characters; a message in which every break is CR LF keeps its length.
void EscapeMessage(const char* message, char* out, int size);
void UnescapeMessage(char* message);

// Makes every line break of a message typed or pasted into a dialog CR LF, as
// the file gives it back, within the message's size - 1 characters (a break
// that does not fit whole is left out with what follows).
void NormalizeLineBreaks(char* message, int size);

#endif
