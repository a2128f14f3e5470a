// What the reminder data needs from the platform.  Each function has one
// implementation for Windows and one for the native build (shell/).
#ifndef TQ_DATA_PLATFORM_H
#define TQ_DATA_PLATFORM_H

#include <cstddef>
#include <cstdint>
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

// Storage for the entry table: a block of bytes that is zero when it comes,
// resized keeping what both sizes hold (the new part zero), and released
// with the size it has.  Null when the storage cannot be had.
void* AllocateZeroed(size_t bytes);
void* ResizeZeroed(void* block, size_t oldBytes, size_t newBytes);
void ReleaseZeroed(void* block, size_t bytes);

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

// Opens a file for reading, with its size: 1 when open, 0 when there is no
// such file, -1 when it cannot be read (reason says why; a file larger than
// 1 GiB is not read).  A file held open for a moment by another process is
// tried again for about a second.  ReadSome gives the bytes read, 0 at the
// end, -1 on failure.
int OpenToRead(const char* path, intptr_t& handle, size_t& size, std::string* reason);
int64_t ReadSome(intptr_t handle, char* into, size_t room, std::string* reason);
void CloseRead(intptr_t handle);

// Reads the file at path from its start in pieces of at most pieceSize
// bytes, handing each to take in order, and then a last call with null
// bytes; take returns false to stop the reading there.  Returns 1 when read,
// 0 when there is no such file, -1 when it cannot be read (reason says why; a
// file larger than 1 GiB is not read).  A file held open for a moment by
// another process is tried again for about a second.
using TakePieceFunction = bool (*)(void* context, const char* bytes, size_t length);
int ReadFilePieces(const char* path, size_t pieceSize, TakePieceFunction take, void* context, std::string* reason);

// The same, the whole file into bytes at once.
int ReadWholeFile(const char* path, std::string& bytes, std::string* reason);

// Replaces the file that path names with bytes, whole or not at all.  Links
// are followed, so a linked settings file stays linked and its target gets
// the new text.  The bytes go to a new temporary file beside the target,
// created exclusively under a name no other process uses, flushed, and then
// moved over the target.  A file marked read-only is not replaced.  A file
// held open for a moment by another process is tried again for about a
// second.  On failure the old file is as it was.
FileResult ReplaceWholeFile(const char* path, const std::string& bytes);

#endif
