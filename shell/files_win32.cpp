// Settings-file access on Windows.
#include <windows.h>

#include <string>

#include "data/platform.h"

int SettingsDirectory(char* buffer, int size)
{
    UINT length = GetWindowsDirectoryA(buffer, UINT(size));
    return length != 0 && length < UINT(size);
}

int ReplaceWholeFile(const char* path, const std::string& bytes)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return 0;
    std::string temporary = std::string(path) + ".tq-new";
    if (temporary.size() >= MAX_PATH)
        return 0;
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size() &&
              FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileA(temporary.c_str());
    return ok;
}
