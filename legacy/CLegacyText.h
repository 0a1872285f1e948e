// Texts and numbers as the legacy configuration dialogs read and show them.
#pragma once

#include <memory>
#include <string>

class CSnmp;

class CLegacyText
{
public:
    // The number at the start of a text as strtol reads it with base 10
    // (leading blanks and a sign accepted, 0 without digits), clamped to the
    // signed 32-bit range.
    static int Number(const std::string& text);
    // The same, read as a 64-bit number (not clamped).
    static long long Number64(const std::string& text);
    // Bytes of a bridge or port identifier: eight as "80:00:00:11:22:33:44:55",
    // two as "80 00", any other number of bytes as the bytes themselves.
    static std::string IdentifierText(const std::string& bytes);
    // True when a synchronous request came back (status 0) and the switch
    // reported no error in its reply.
    static bool Accepted(int nStatus, const std::unique_ptr<CSnmp>& pResponse);
};
