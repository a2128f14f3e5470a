// Settings-file access on Windows.  Paths are used in their long form
// ("\\?\C:\..."), so that a settings path of up to 259 characters can be
// saved although the temporary file beside it has a longer name.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>

#include "data/ini_document.h"
#include "data/platform.h"

namespace {

// Another process may hold the file for a moment (a scanner, a sync client,
// an editor saving): such refusals are tried again for about a second.
constexpr int Attempts = 20;
constexpr DWORD Pause = 50;

bool IsTransient(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

std::string Reason(DWORD error)
{
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        --length;
    if (length == 0)
        return "Error " + std::to_string(error) + ".";
    return std::string(text, length);
}

FileResult Failed(DWORD error)
{
    FileResult result;
    result.Reason = Reason(error);
    return result;
}

// The path in its long form: full, with the "\\?\" prefix.
std::wstring LongPath(const char* path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), length);
    wide.resize(wcslen(wide.c_str()));
    if (wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    full.resize(size);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The file a path finally names, links resolved.  A file that does not exist
// yet is created under the path as given.
std::wstring FinalPath(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::wstring final(32768, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, final.data(), DWORD(final.size()), FILE_NAME_NORMALIZED);
    CloseHandle(file);
    if (length == 0 || length >= final.size())
        return path;
    final.resize(length);
    return final;
}

HANDLE OpenForReading(const std::wstring& path, DWORD& error)
{
    for (int attempt = 0;; ++attempt) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (file != INVALID_HANDLE_VALUE || !IsTransient(error) || attempt + 1 == Attempts)
            return file;
        Sleep(Pause);
    }
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD part = DWORD(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, part, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

SettingsFolders ReadSettingsFolders()
{
    SettingsFolders folders;
    char path[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return folders;
    folders.System = path;
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK)
        folders.PerUser = std::string(path) + "\\TQ";
    // Windows mirrors the redirected folder below VirtualStore without its drive.
    if (SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK)
        folders.VirtualStore = std::string(path) + "\\VirtualStore" +
                               (folders.System.size() > 2 && folders.System[1] == ':' ? folders.System.substr(2)
                                                                                      : "\\" + folders.System);
    return folders;
}

bool CanCreateFilesIn(const std::string& folder)
{
    std::wstring probe = LongPath((folder + "\\tq-" + std::to_string(GetCurrentProcessId()) + ".probe").c_str());
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesW(LongPath(path.c_str()).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolder(const std::string& path)
{
    std::wstring folder = LongPath(path.c_str());
    if (CreateDirectoryW(folder.c_str(), nullptr))
        return true;
    DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int OpenToRead(const char* path, intptr_t& handle, size_t& size, std::string* reason)
{
    DWORD error;
    HANDLE file = OpenForReading(LongPath(path), error);
    if (file == INVALID_HANDLE_VALUE) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return 0;
        if (reason)
            *reason = Reason(error);
        return -1;
    }
    LARGE_INTEGER length;
    error = 0;
    if (!GetFileSizeEx(file, &length))
        error = GetLastError();
    else if (uint64_t(length.QuadPart) > MaxSettingsFileSize)
        error = ERROR_FILE_TOO_LARGE;
    if (error) {
        CloseHandle(file);
        if (reason)
            *reason = Reason(error);
        return -1;
    }
    handle = reinterpret_cast<intptr_t>(file);
    size = size_t(length.QuadPart);
    return 1;
}

int64_t ReadSome(intptr_t handle, char* into, size_t room, std::string* reason)
{
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), into, DWORD(std::min<size_t>(room, size_t(1) << 24)), &got,
                  nullptr)) {
        if (reason)
            *reason = Reason(GetLastError());
        return -1;
    }
    return got;
}

void CloseRead(intptr_t handle)
{
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

FileResult ReplaceWholeFile(const char* path, const std::string& bytes)
{
    const std::wstring target = FinalPath(LongPath(path));
    DWORD attributes = GetFileAttributesW(target.c_str());
    DWORD kept = FILE_ATTRIBUTE_NORMAL;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return Failed(ERROR_ACCESS_DENIED);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return Failed(ERROR_ACCESS_DENIED);
        kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                             FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (kept == 0)
            kept = FILE_ATTRIBUTE_NORMAL;
    }

    // A new name each time, created only if nothing has that name (a link
    // included): a temporary file left by a crash, or planted, is passed over.
    static unsigned serial;
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 10000 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = target + L".tq-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, kept, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        if (file == INVALID_HANDLE_VALUE && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return Failed(error);
    }
    if (file == INVALID_HANDLE_VALUE)
        return Failed(error);
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    error = ok ? 0 : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    for (int attempt = 0; ok; ++attempt) {
        if (MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            break;
        error = GetLastError();
        if (!IsTransient(error) || attempt + 1 == Attempts)
            ok = false;
        else
            Sleep(Pause);
    }
    if (!ok) {
        DeleteFileW(temporary.c_str());
        return Failed(error);
    }
    FileResult result;
    result.Ok = true;
    return result;
}
