// Reading a settings file, whole or in pieces, over the platform's open and
// read (data/platform.h).
#include <algorithm>
#include <memory>
#include <string>

#include "data/ini_document.h"
#include "data/platform.h"

namespace {

// The next bytes of the file into room, total counting all read so far:
// their number, 0 at the end, -1 on failure (also when the file has grown
// beyond the largest size read).
int64_t ReadMore(intptr_t file, char* into, size_t room, size_t& total, std::string* reason)
{
    int64_t got = ReadSome(file, into, room, reason);
    if (got <= 0)
        return got;
    total += size_t(got);
    if (total > MaxSettingsFileSize) {
        if (reason)
            *reason = "The file is larger than 1 GiB.";
        return -1;
    }
    return got;
}

} // namespace

int ReadFilePieces(const char* path, size_t pieceSize, TakePieceFunction take, void* context, std::string* reason)
{
    intptr_t file;
    size_t size;
    int opened = OpenToRead(path, file, size, reason);
    if (opened <= 0)
        return opened;
    // A piece no larger than the file (plus one byte to see its end at once);
    // a file that grows while it is read is read on in pieces of that size.
    size_t room = std::min(pieceSize, size + 1);
    std::unique_ptr<char[]> piece(new char[room]);
    size_t total = 0;
    bool going = true;
    bool failed = false;
    while (going) {
        int64_t got = ReadMore(file, piece.get(), room, total, reason);
        failed = got < 0;
        if (got <= 0)
            break;
        going = take(context, piece.get(), size_t(got));
    }
    CloseRead(file);
    if (failed)
        return -1;
    if (going)
        take(context, nullptr, 0);
    return 1;
}

int ReadWholeFile(const char* path, std::string& bytes, std::string* reason)
{
    bytes.clear();
    intptr_t file;
    size_t size;
    int opened = OpenToRead(path, file, size, reason);
    if (opened <= 0)
        return opened;
    // Straight into the text, sized by the file (and grown if the file grows).
    bytes.resize(size + 1);
    size_t done = 0;
    bool failed = false;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2);
        int64_t got = ReadMore(file, bytes.data() + done, bytes.size() - done, done, reason);
        failed = got < 0;
        if (got <= 0)
            break;
    }
    CloseRead(file);
    bytes.resize(failed ? 0 : done);
    return failed ? -1 : 1;
}
