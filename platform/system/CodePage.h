// Code-page conversion between byte texts and UTF-16, on iconv. This
// platform's "ANSI" code page (CP_ACP) is UTF-8. Input is read exactly to
// its length, never beyond; characters outside the Basic Multilingual Plane
// travel as surrogate pairs. Input that the code page cannot carry is not
// dropped silently: it becomes U+FFFD (or "?" in a code page without it).
#pragma once

#include "platform/system/WinTypes.h"

#include <string>
#include <string_view>

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;

// Bytes in codePage (CP_ACP, CP_UTF8, or a number iconv knows as "CP<n>") to UTF-16. False, with out
// empty, when the code page is unknown.
bool MultiByteToWideChar(UINT codePage, std::string_view in, std::u16string& out);

// UTF-16 to bytes in codePage. A lone surrogate or a character the code page lacks is replaced.
bool WideCharToMultiByte(UINT codePage, std::u16string_view in, std::string& out);
