// Reading initialisation files (User.ini) with the rules of the Windows
// private-profile functions:
// - "[Section]" lines open sections; "key=value" lines inside them; lines that
//   start with ';' are comments; other lines are ignored.
// - Section and key names match without regard to ASCII case and without the
//   blanks around them (in the file and in the name asked for).
// - A value loses the blanks around it and one pair of enclosing quotes
//   ('...' or "...").
// - The first matching key of the first matching section counts.
// A file that cannot be read counts as empty. Texts are UTF-8 (a leading
// UTF-8 byte-order mark is skipped); Windows line ends are accepted.
#pragma once

#include "platform/system/WinTypes.h"

#include <string>

// Puts the value of `key` (or `defaultValue`, less trailing blanks, when the
// key is absent) into `returned`, cut to at most `size` - 1 bytes, never inside
// a UTF-8 character. Returns the length of `returned`. `size` 0 gives "".
DWORD GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                              std::string& returned, DWORD size, const std::string& fileName);

// The value of `key` as a decimal number: its leading digits (a value that does
// not start with a digit gives 0; a number too large for an int gives INT_MAX).
// An absent key gives `defaultValue`.
UINT GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                          const std::string& fileName);
