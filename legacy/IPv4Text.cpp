#include "legacy/IPv4Text.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

int FieldValue(const std::string& field)
{
    const long value = std::strtol(field.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

} // namespace

int ParseIPv4Text(const std::string& text, int& a, int& b, int& c, int& d)
{
    int* fields[] = {&a, &b, &c, &d};
    int values[4] = {};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = text.find('.', start);
        if (i < 3 && dot == std::string::npos)
            return -1;
        if (i == 3 && dot != std::string::npos)
            return -1;
        const std::size_t end = i < 3 ? dot : text.size();
        values[i] = FieldValue(text.substr(start, end - start));
        start = end + 1;
    }
    for (int i = 0; i < 4; ++i)
        *fields[i] = values[i];
    return 0;
}

void FormatIPv4Text(int a, int b, int c, int d, std::string& text)
{
    text = std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
}

int NextIPv4Address(std::string& text)
{
    int a = 0, b = 0, c = 0, d = 0;
    if (ParseIPv4Text(text, a, b, c, d) != 0)
        return -1;
    int result = 0;
    // Wider arithmetic: a field near INT_MAX steps without overflow.
    long long la = a, lb = b, lc = c, ld = d + 1LL;
    if (ld >= 255) {
        lc += 1;
        ld = 1;
    }
    if (lc > 255) {
        lc = 0;
        lb += 1;
    }
    if (lb > 255) {
        lb = 0;
        la += 1;
    }
    if (la < 1 || la > 223) {
        la = 1, lb = 0, lc = 0, ld = 1;
        result = -1;
    } else if (la == 127) {
        la = 128, lb = 0, lc = 0, ld = 1;
    }
    FormatIPv4Text(static_cast<int>(la), static_cast<int>(lb), static_cast<int>(lc), static_cast<int>(ld), text);
    return result;
}

int CheckIPv4Host(const std::string& text)
{
    int a = 0, b = 0, c = 0, d = 0;
    if (ParseIPv4Text(text, a, b, c, d) != 0)
        return -1;
    if (a < 1 || a > 223 || a == 127 || d == 0 || d == 255)
        return -1;
    return 0;
}
