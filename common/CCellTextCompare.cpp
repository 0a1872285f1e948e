#include "common/CCellTextCompare.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace {

// The "C" locale, so that numbers read the same whatever the user's locale is.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <class T> int Order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A hexadecimal integer with its sign kept apart, so that "-5" orders below "3".
struct HexValue
{
    bool negative = false;
    unsigned long long magnitude = 0;
};

bool ReadHex(const std::string& text, HexValue& value)
{
    if (text.empty())
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    strtoull_l(begin, &end, 16, CLocale());
    if (end == begin || end != begin + text.size())
        return false;
    const char* p = begin;
    while (IsBlank(*p))
        ++p;
    value.negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    value.magnitude = strtoull_l(p, nullptr, 16, CLocale());
    if (value.magnitude == 0)
        value.negative = false;
    return true;
}

int CompareHex(const HexValue& a, const HexValue& b)
{
    if (a.negative != b.negative)
        return a.negative ? -1 : 1;
    return a.negative ? Order(b.magnitude, a.magnitude) : Order(a.magnitude, b.magnitude);
}

// The whole text, or all but a "%" at its very end, as a floating-point number.
bool ReadDecimal(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    value = strtod_l(begin, &end, CLocale());
    const char* last = begin + text.size();
    if (end != last && !(*end == '%' && end + 1 == last))
        return false;
    return !std::isnan(value); // "nan" has no place in an order
}

// Reads 1 to maxDigits decimal digits.
bool ReadInt(const std::string& s, size_t& i, size_t maxDigits, int& value)
{
    size_t n = 0;
    value = 0;
    while (i < s.size() && n < maxDigits && s[i] >= '0' && s[i] <= '9') {
        value = value * 10 + (s[i] - '0');
        ++i;
        ++n;
    }
    return n > 0 && !(i < s.size() && s[i] >= '0' && s[i] <= '9');
}

bool ReadChar(const std::string& s, size_t& i, char c)
{
    if (i < s.size() && s[i] == c) {
        ++i;
        return true;
    }
    return false;
}

void SkipBlanks(const std::string& s, size_t& i)
{
    while (i < s.size() && IsBlank(s[i]))
        ++i;
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

struct Date
{
    int year = 1899;
    int month = 12;
    int day = 30;
};

bool ReadDate(const std::string& s, size_t& i, Date& date)
{
    const size_t start = i;
    int first = 0;
    if (!ReadInt(s, i, 4, first))
        return false;
    const size_t firstDigits = i - start;
    int second = 0;
    int third = 0;
    if (firstDigits == 4) {
        // YYYY-MM-DD or YYYY/MM/DD
        const char sep = i < s.size() ? s[i] : '\0';
        if ((sep != '-' && sep != '/') || !ReadChar(s, i, sep) || !ReadInt(s, i, 2, second) || !ReadChar(s, i, sep) ||
            !ReadInt(s, i, 2, third))
            return false;
        date = {first, second, third};
    } else {
        // M/D/YYYY
        if (firstDigits > 2 || !ReadChar(s, i, '/') || !ReadInt(s, i, 2, second) || !ReadChar(s, i, '/'))
            return false;
        const size_t yearStart = i;
        if (!ReadInt(s, i, 4, third) || i - yearStart != 4)
            return false;
        date = {third, first, second};
    }
    return date.year >= 100 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

bool ReadMeridiem(const std::string& s, size_t& i, bool& pm)
{
    if (i + 2 > s.size())
        return false;
    const char a = static_cast<char>(s[i] | 0x20);
    const char m = static_cast<char>(s[i + 1] | 0x20);
    if ((a != 'a' && a != 'p') || m != 'm')
        return false;
    if (i + 2 < s.size() && !IsBlank(s[i + 2]))
        return false;
    pm = a == 'p';
    i += 2;
    return true;
}

bool ReadTime(const std::string& s, size_t& i, int& seconds)
{
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!ReadInt(s, i, 2, hour) || !ReadChar(s, i, ':'))
        return false;
    const size_t minuteStart = i;
    if (!ReadInt(s, i, 2, minute) || i - minuteStart != 2)
        return false;
    if (ReadChar(s, i, ':')) {
        const size_t secondStart = i;
        if (!ReadInt(s, i, 2, second) || i - secondStart != 2)
            return false;
    }
    size_t j = i;
    SkipBlanks(s, j);
    bool pm = false;
    if (ReadMeridiem(s, j, pm)) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
        i = j;
    } else if (hour > 23) {
        return false;
    }
    if (minute > 59 || second > 59)
        return false;
    seconds = hour * 3600 + minute * 60 + second;
    return true;
}

} // namespace

bool CCellTextCompare::ParseDateTime(const std::string& text, std::int64_t& key)
{
    size_t i = 0;
    SkipBlanks(text, i);
    Date date;
    int seconds = 0;
    const size_t start = i;
    if (ReadDate(text, i, date)) {
        const size_t dateEnd = i;
        SkipBlanks(text, i);
        if (i == text.size()) {
            // a date alone
        } else if (i == dateEnd || !ReadTime(text, i, seconds)) {
            return false;
        }
    } else {
        i = start;
        date = Date{};
        if (!ReadTime(text, i, seconds))
            return false;
    }
    SkipBlanks(text, i);
    if (i != text.size())
        return false;
    const std::int64_t days = (static_cast<std::int64_t>(date.year) * 12 + (date.month - 1)) * 31 + (date.day - 1);
    key = days * 86400 + seconds;
    return true;
}

int CCellTextCompare::Compare(const std::string& a, const std::string& b)
{
    HexValue hexA;
    HexValue hexB;
    if (ReadHex(a, hexA) && ReadHex(b, hexB))
        return CompareHex(hexA, hexB);

    double decA = 0;
    double decB = 0;
    if (ReadDecimal(a, decA) && ReadDecimal(b, decB))
        return Order(decA, decB);

    std::int64_t dateA = 0;
    std::int64_t dateB = 0;
    if (ParseDateTime(a, dateA) && ParseDateTime(b, dateB))
        return Order(dateA, dateB);

    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
