// Settings-file access for the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "data/platform.h"

int SettingsDirectory(char* buffer, int size)
{
    return std::snprintf(buffer, size_t(size), ".") == 1;
}

int ReplaceWholeFile(const char* path, const std::string& bytes)
{
    // A file without its write bit counts as read-only, as on Windows, also
    // for root.
    mode_t mode = 0644;
    struct stat status;
    if (stat(path, &status) == 0) {
        if (!(status.st_mode & S_IWUSR) || S_ISDIR(status.st_mode))
            return 0;
        mode = status.st_mode & 0777;
    }
    std::string temporary = std::string(path) + ".tq-new";
    int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (file < 0)
        return 0;
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        ssize_t wrote = write(file, bytes.data() + done, bytes.size() - done);
        ok = wrote > 0;
        if (ok)
            done += size_t(wrote);
    }
    ok = ok && fsync(file) == 0;
    ok = close(file) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}
