#include "platform/system/PrivateProfile.h"

#include <climits>
#include <fstream>
#include <optional>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string Trim(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The value of the key, or nothing when the file, the section or the key is absent.
std::optional<std::string> FindValue(const std::string& section, const std::string& key, const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string wantedSection = Trim(section);
    const std::string wantedKey = Trim(key);
    std::string line;
    bool first = true;
    bool inSection = false;
    while (std::getline(file, line)) {
        if (first && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        first = false;
        const std::string text = Trim(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.front() == '[') {
            const auto close = text.find(']');
            inSection = close != std::string::npos && SameName(Trim(text.substr(1, close - 1)), wantedSection);
            continue;
        }
        if (!inSection)
            continue;
        const auto equals = text.find('=');
        if (equals == std::string::npos)
            continue;
        if (SameName(Trim(text.substr(0, equals)), wantedKey))
            return Unquote(Trim(text.substr(equals + 1)));
    }
    return std::nullopt;
}

// At most `limit` bytes of `text`, not ending inside a UTF-8 character.
std::string CutUtf8(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

DWORD GetPrivateProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                              std::string& returned, DWORD size, const std::string& fileName)
{
    std::string value;
    if (auto found = FindValue(section, key, fileName)) {
        value = std::move(*found);
    } else {
        value = defaultValue;
        while (!value.empty() && IsBlank(value.back()))
            value.pop_back();
    }
    returned = size == 0 ? std::string() : CutUtf8(value, size - 1);
    return static_cast<DWORD>(returned.size());
}

UINT GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                          const std::string& fileName)
{
    const auto found = FindValue(section, key, fileName);
    if (!found)
        return static_cast<UINT>(defaultValue);
    long long number = 0;
    for (const char c : *found) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + (c - '0');
        if (number > INT_MAX) {
            number = INT_MAX;
            break;
        }
    }
    return static_cast<UINT>(number);
}
