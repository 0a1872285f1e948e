// Platform-internal: the helpers shared by the controls' text operations.
#pragma once

#include <QString>

#include <algorithm>
#include <cstring>
#include <string>

// Copies text into a caller's buffer of `size` bytes, cut to fit and ended by
// a NUL; returns the bytes copied (0 without room).
inline int CopyToBuffer(const std::string& text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

// The search of combo and list boxes: the first of `count` items after `start`
// (-1 or out of range: from the top), wrapping round, whose text begins with
// (or, exact, equals) `text`, ignoring case; -1 when none does.
template <class TextAt>
int FindItemText(int count, int start, const std::string& text, bool exact, TextAt textAt)
{
    const QString wanted = QString::fromStdString(text);
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const QString item = textAt(i);
        if (exact ? item.compare(wanted, Qt::CaseInsensitive) == 0 : item.startsWith(wanted, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}
