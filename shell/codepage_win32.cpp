// The program's ANSI text and Unicode on Windows: the system's ANSI code
// page and UTF-8, converted by the system as the profile functions convert
// them.
#include <windows.h>

#include <string>

#include "data/platform.h"

namespace {

void ToUtf16(UINT codePage, const char* text, size_t length, std::u16string& out)
{
    out.clear();
    if (length == 0)
        return;
    int count = MultiByteToWideChar(codePage, 0, text, int(length), nullptr, 0);
    out.resize(size_t(count));
    MultiByteToWideChar(codePage, 0, text, int(length), reinterpret_cast<wchar_t*>(out.data()), count);
}

void FromUtf16(UINT codePage, const char16_t* text, size_t length, std::string& out)
{
    out.clear();
    if (length == 0)
        return;
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text);
    int count = WideCharToMultiByte(codePage, 0, wide, int(length), nullptr, 0, nullptr, nullptr);
    out.resize(size_t(count));
    WideCharToMultiByte(codePage, 0, wide, int(length), out.data(), count, nullptr, nullptr);
}

} // namespace

void AnsiToUtf16(const char* text, size_t length, std::u16string& out)
{
    ToUtf16(CP_ACP, text, length, out);
}

void Utf16ToAnsi(const char16_t* text, size_t length, std::string& out)
{
    FromUtf16(CP_ACP, text, length, out);
}

void Utf8ToUtf16(const char* text, size_t length, std::u16string& out)
{
    ToUtf16(CP_UTF8, text, length, out);
}

void Utf16ToUtf8(const char16_t* text, size_t length, std::string& out)
{
    FromUtf16(CP_UTF8, text, length, out);
}
