// Reading a settings file, whole or in pieces, over the platform's open and
// read (data/platform.h).
#include <algorithm>
#include <memory>
#include <string>

#include "data/ini_document.h"
#include "data/platform.h"

namespace {

std::string TooLarge()
{
    return "The file is larger than 1 GiB.";
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
        int64_t got = ReadSome(file, piece.get(), room, reason);
        failed = got < 0;
        if (got <= 0)
            break;
        total += size_t(got);
        if (total > MaxSettingsFileSize) {
            failed = true;
            if (reason)
                *reason = TooLarge();
            break;
        }
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
        int64_t got = ReadSome(file, bytes.data() + done, bytes.size() - done, reason);
        failed = got < 0;
        if (got <= 0)
            break;
        done += size_t(got);
        if (done > MaxSettingsFileSize) {
            failed = true;
            if (reason)
                *reason = TooLarge();
            break;
        }
    }
    CloseRead(file);
    bytes.resize(failed ? 0 : done);
    return failed ? -1 : 1;
}
