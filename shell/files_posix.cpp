// Settings-file access for the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "data/ini_document.h"
#include "data/platform.h"

namespace {

FileResult Failed(int error)
{
    FileResult result;
    result.Reason = std::strerror(error);
    return result;
}

bool WriteAll(int file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t wrote = write(file, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += size_t(wrote);
    }
    return true;
}

// The file a path finally names: links resolved.  A file that does not exist
// yet is created under the path as given.
std::string FinalPath(const char* path)
{
    char* real = realpath(path, nullptr);
    if (!real)
        return path;
    std::string final = real;
    std::free(real);
    return final;
}

// Makes a rename inside a folder survive a power cut.
void SyncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        fsync(handle);
        close(handle);
    }
}

} // namespace

SettingsFolders ReadSettingsFolders()
{
    return SettingsFolders{std::string(1, '.'), std::string(), std::string()};
}

bool CanCreateFilesIn(const std::string& folder)
{
    std::string probe = folder + "/.tq-probe-" + std::to_string(getpid());
    int file = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (file < 0)
        return errno == EEXIST;
    close(file);
    unlink(probe.c_str());
    return true;
}

bool FileExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

bool CreateFolder(const std::string& path)
{
    struct stat status;
    return mkdir(path.c_str(), 0755) == 0 || (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode));
}

int OpenToRead(const char* path, intptr_t& handle, size_t& size, std::string* reason)
{
    int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT)
            return 0;
        if (reason)
            *reason = std::strerror(errno);
        return -1;
    }
    struct stat status;
    int error = 0;
    if (fstat(file, &status) != 0)
        error = errno;
    else if (S_ISDIR(status.st_mode))
        error = EISDIR;
    else if (status.st_size > off_t(MaxSettingsFileSize))
        error = EFBIG;
    if (error) {
        close(file);
        if (reason)
            *reason = std::strerror(error);
        return -1;
    }
    handle = file;
    size = size_t(status.st_size);
    return 1;
}

int64_t ReadSome(intptr_t handle, char* into, size_t room, std::string* reason)
{
    ssize_t got;
    do
        got = read(int(handle), into, room);
    while (got < 0 && errno == EINTR);
    if (got < 0 && reason)
        *reason = std::strerror(errno);
    return got;
}

void CloseRead(intptr_t handle)
{
    close(int(handle));
}

FileResult ReplaceWholeFile(const char* path, const std::string& bytes)
{
    const std::string target = FinalPath(path);
    // A file without its write bit counts as read-only, as on Windows, also
    // for root.
    mode_t mode = 0644;
    struct stat status;
    if (stat(target.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return Failed(EISDIR);
        if (!(status.st_mode & S_IWUSR))
            return Failed(EACCES);
        mode = status.st_mode & 07777;
    }
    // A new name each time, never opened through an existing file or link:
    // a temporary file left by a crash, or planted, is passed over.
    static unsigned serial;
    std::string temporary;
    int file = -1;
    for (int attempt = 0; attempt < 10000 && file < 0; ++attempt) {
        temporary = target + ".tq-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
        file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0777);
        if (file < 0 && errno != EEXIST)
            return Failed(errno);
    }
    if (file < 0)
        return Failed(EEXIST);
    fchmod(file, mode); // the umask would have narrowed it
    int error = 0;
    if (!WriteAll(file, bytes) || fsync(file) != 0)
        error = errno ? errno : EIO;
    if (close(file) != 0 && !error)
        error = errno;
    if (!error && rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        unlink(temporary.c_str());
        return Failed(error);
    }
    SyncFolderOf(target);
    FileResult result;
    result.Ok = true;
    return result;
}
