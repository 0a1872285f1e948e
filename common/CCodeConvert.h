// Free texts travel to and from the switch as UTF-8 octet strings; the
// dialogs hold them in the ANSI code page (UTF-8 on this platform). The
// conversions go through UTF-16 and keep characters outside the Basic
// Multilingual Plane as surrogate pairs. Nothing is cut to a buffer size.
// Inputs end at their first NUL (or zero unit), as the switch's octet
// strings may be padded with NULs, and are never read past their end.
#pragma once

#include <string>
#include <string_view>

class CCodeConvert
{
public:
    virtual ~CCodeConvert() = default;

    // Appends the UTF-8 form of one code point, 1 to 6 bytes (the six-byte form up to 2^31 - 1);
    // returns the number of bytes. A negative code point is written as U+FFFD.
    static int EncodeUtf8Char(int codePoint, std::string& out);
    // Reads the sequence at the start of bytes into codePoint and returns its length; 0 for no input.
    // A byte that starts no complete sequence (a stray continuation byte, or a lead byte whose
    // continuation bytes are missing or wrong) stands for itself, length 1.
    static int DecodeUtf8Char(std::string_view bytes, int& codePoint);
    // UTF-16 to UTF-8; a surrogate pair becomes one four-byte sequence, a lone surrogate U+FFFD.
    static std::string Utf16ToUtf8(std::u16string_view units);
    // UTF-8 to UTF-16; a value above U+FFFF becomes a surrogate pair, one above U+10FFFF U+FFFD.
    static std::u16string Utf8ToUtf16(std::string_view utf8);

    // A dialog text to the UTF-8 bytes of a SET value. Returns 1.
    static int AnsiToUtf8(std::string_view text, std::string& out);
    // A received UTF-8 value to dialog text. Returns 0 (and empties out) for a null or empty input,
    // else 1.
    static int Utf8ToAnsi(std::string_view utf8, std::string& out);
    static int Utf8ToAnsi(const char* utf8, std::string& out);
};
