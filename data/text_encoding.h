// UTF-8 as a settings file may hold it: the test that tells UTF-8 without a
// byte-order mark from ANSI text, and a portable conversion to and from
// UTF-16 for the native build (Windows converts with its own functions,
// data/platform.h).
#ifndef TQ_DATA_TEXT_ENCODING_H
#define TQ_DATA_TEXT_ENCODING_H

#include <cstddef>
#include <string>

// True when bytes are valid UTF-8 (shortest forms, no surrogates, nothing
// above U+10FFFF) and hold at least one character beyond ASCII: what a text
// editor saves as UTF-8 without a byte-order mark.
bool IsUtf8WithNonAscii(const char* bytes, size_t length);

// Whether bytes are valid UTF-8 in the sense above; nonAscii tells whether
// they hold a character beyond ASCII.
bool CheckUtf8(const char* bytes, size_t length, bool& nonAscii);

// How many bytes the sequence that starts with lead takes when well formed
// (1 for ASCII and for bytes that start no sequence).
size_t Utf8SequenceLength(unsigned char lead);

// UTF-8 to UTF-16.  Each maximal ill-formed part becomes U+FFFD.
void DecodeUtf8(const char* bytes, size_t length, std::u16string& out);

// UTF-16 to UTF-8.  An unpaired surrogate becomes U+FFFD.
void EncodeUtf8(const char16_t* units, size_t length, std::string& out);

#endif
