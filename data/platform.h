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

// The error box, captioned "TQ fatal error", with string id or with a text
// of any length.  When fatal is non-zero the main window is destroyed and
// the process ends with exit code 1.
void ShowError(int id, int fatal);
void ShowErrorText(const char* text, int fatal);

// The local date from the clock.
CalendarDate ReadLocalDate();

// The folders a bare settings file name may stand in.
struct SettingsFolders {
    std::string System;       // the Windows directory; the current directory in the native build
    std::string PerUser;      // "%APPDATA%\TQ", used when System cannot be written; empty: none
    std::string VirtualStore; // "%LOCALAPPDATA%\VirtualStore\Windows": where Windows put older
                              // 32-bit programs' writes into System; empty: none
};
SettingsFolders ReadSettingsFolders();

// Whether a new file can be created in folder (tried with a file that is
// removed again at once).
bool CanCreateFilesIn(const std::string& folder);

bool FileExists(const std::string& path);

// Creates a folder whose parent exists; true when it exists afterwards.
bool CreateFolder(const std::string& path);

#ifdef _WIN32
constexpr char PathSeparator = '\\';
#else
constexpr char PathSeparator = '/';
#endif

// The program's ANSI text and Unicode (UTF-16), both ways: the system's ANSI
// code page on Windows, Windows-1252 in the native build.  A character the
// code page lacks becomes "?".
void AnsiToUtf16(const char* text, size_t length, std::u16string& out);
void Utf16ToAnsi(const char16_t* text, size_t length, std::string& out);

// UTF-8 and UTF-16, both ways, as the platform converts them (an ill-formed
// sequence becomes U+FFFD).
void Utf8ToUtf16(const char* text, size_t length, std::u16string& out);
void Utf16ToUtf8(const char16_t* text, size_t length, std::string& out);

// What a file operation ended with: done, or the reason it failed, as the
// platform words it ("Access is denied.").
struct FileResult {
    bool Ok = false;
    std::string Reason;
};

// Reads the whole file at path.  Returns 1 when read, 0 when there is no such
// file, -1 when it cannot be read (reason says why).  A file held open for a
// moment by another process is tried again for about a second.
int ReadWholeFile(const char* path, std::string& bytes, std::string* reason = nullptr);

// Replaces the file that path names with bytes, whole or not at all.  Links
// are followed, so a linked settings file stays linked and its target gets
// the new text.  The bytes go to a new temporary file beside the target,
// created exclusively under a name no other process uses, flushed, and then
// moved over the target.  A file marked read-only is not replaced.  A file
// held open for a moment by another process is tried again for about a
// second.  On failure the old file is as it was.
FileResult ReplaceWholeFile(const char* path, const std::string& bytes);

#endif
