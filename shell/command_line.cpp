#include "shell/command_line.h"

#include <cstring>

namespace {

bool IsBlankOrTab(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

const char* CommandTail(const char* commandLine)
{
    if (!commandLine)
        return nullptr;
    const char* c = commandLine;
    while (IsBlankOrTab(*c))
        ++c;
    if (*c == '"') {
        ++c;
        while (*c && *c != '"' && *c != '\t')
            ++c;
        if (*c == '"')
            ++c;
    } else {
        while (*c && !IsBlankOrTab(*c))
            ++c;
    }
    while (IsBlankOrTab(*c))
        ++c;
    return c;
}

CommandLineResult ParseCommandTail(const char* tail, char* settingsPath, size_t size, int& editRequest)
{
    const char* path = "";
    size_t length = 0;
    if (tail) {
        while (*tail == ' ')
            ++tail;
        if (tail[0] == '/' && (tail[1] == 'e' || tail[1] == 'E')) {
            editRequest = 1;
            tail += 2; // whatever follows, with or without a space, is the path
            while (*tail == ' ')
                ++tail;
        }
        path = tail;
        length = std::strlen(path);
        // One pair of enclosing double quotes, as shortcuts and shells write
        // paths with blanks (blanks after the closing quote do not count).
        size_t end = length;
        while (end > 0 && (path[end - 1] == ' ' || path[end - 1] == '\t'))
            --end;
        if (end >= 2 && path[0] == '"' && path[end - 1] == '"' && !std::memchr(path + 1, '"', end - 2)) {
            ++path;
            length = end - 2;
        }
    }
    if (length == 0) {
        path = "TQ.INI";
        length = std::strlen(path);
    }
    if (length >= size) {
        if (size > 0)
            settingsPath[0] = 0;
        return CommandLineResult::PathTooLong;
    }
    std::memcpy(settingsPath, path, length);
    settingsPath[length] = 0;
    return CommandLineResult::Ok;
}

bool MakeHelpPath(const char* programPath, char* out, size_t size)
{
    static const char Extension[] = ".HLP";
    const char* name = programPath;
    for (const char* c = programPath; *c; ++c)
        if (*c == '\\' || *c == '/' || (c == programPath + 1 && *c == ':'))
            name = c + 1;
    const char* dot = std::strrchr(name, '.');
    size_t stem = dot ? size_t(dot - programPath) : std::strlen(programPath);
    if (size == 0 || stem + sizeof Extension > size) {
        if (size > 0)
            out[0] = 0;
        return false;
    }
    std::memcpy(out, programPath, stem);
    std::memcpy(out + stem, Extension, sizeof Extension);
    return true;
}
