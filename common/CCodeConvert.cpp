#include "common/CCodeConvert.h"

#include "platform/system/CodePage.h"

namespace {

constexpr int kReplacement = 0xFFFD;

// The text up to its first NUL.
std::string_view UpToNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::u16string_view UpToZeroUnit(std::u16string_view units)
{
    return units.substr(0, units.find(u'\0'));
}

bool IsHighSurrogate(unsigned u)
{
    return u >= 0xD800 && u <= 0xDBFF;
}

bool IsLowSurrogate(unsigned u)
{
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

int CCodeConvert::EncodeUtf8Char(int codePoint, std::string& out)
{
    const auto value = static_cast<unsigned>(codePoint < 0 ? kReplacement : codePoint);
    int length;
    unsigned lead;
    if (value < (1U << 7)) {
        out += static_cast<char>(value);
        return 1;
    }
    if (value < (1U << 11)) {
        length = 2;
        lead = 0xC0;
    } else if (value < (1U << 16)) {
        length = 3;
        lead = 0xE0;
    } else if (value < (1U << 21)) {
        length = 4;
        lead = 0xF0;
    } else if (value < (1U << 26)) {
        length = 5;
        lead = 0xF8;
    } else {
        length = 6;
        lead = 0xFC;
    }
    const int shift = 6 * (length - 1);
    out += static_cast<char>(lead | (value >> shift));
    for (int s = shift - 6; s >= 0; s -= 6)
        out += static_cast<char>(0x80 | ((value >> s) & 0x3F));
    return length;
}

int CCodeConvert::DecodeUtf8Char(std::string_view bytes, int& codePoint)
{
    if (bytes.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length;
    unsigned value;
    if (lead >= 0xFC) {
        length = 6;
        value = lead & 0x01;
    } else if (lead >= 0xF8) {
        length = 5;
        value = lead & 0x03;
    } else if (lead >= 0xF0) {
        length = 4;
        value = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xC0) {
        length = 2;
        value = lead & 0x1F;
    } else {
        codePoint = lead;
        return 1;
    }
    if (bytes.size() < length) {
        codePoint = lead;
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) {
            codePoint = lead;
            return 1;
        }
        value = (value << 6) | (next & 0x3F);
    }
    codePoint = static_cast<int>(value);
    return static_cast<int>(length);
}

std::string CCodeConvert::Utf16ToUtf8(std::u16string_view units)
{
    units = UpToZeroUnit(units);
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const unsigned unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            EncodeUtf8Char(static_cast<int>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00U)), out);
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            EncodeUtf8Char(kReplacement, out);
        } else {
            EncodeUtf8Char(static_cast<int>(unit), out);
        }
    }
    return out;
}

std::u16string CCodeConvert::Utf8ToUtf16(std::string_view utf8)
{
    utf8 = UpToNul(utf8);
    std::u16string out;
    while (!utf8.empty()) {
        int value = 0;
        const int length = DecodeUtf8Char(utf8, value);
        utf8.remove_prefix(static_cast<std::size_t>(length));
        const auto v = static_cast<unsigned>(value);
        if (v <= 0xFFFF) {
            // Surrogate values stay as they are: a pair of them written as two three-byte
            // sequences comes back as the pair it was.
            out += static_cast<char16_t>(v);
        } else if (v <= 0x10FFFF) {
            out += static_cast<char16_t>(0xD800 + ((v - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((v - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(kReplacement);
        }
    }
    return out;
}

int CCodeConvert::AnsiToUtf8(std::string_view text, std::string& out)
{
    std::u16string wide;
    MultiByteToWideChar(CP_ACP, UpToNul(text), wide);
    out = Utf16ToUtf8(wide);
    return 1;
}

int CCodeConvert::Utf8ToAnsi(std::string_view utf8, std::string& out)
{
    utf8 = UpToNul(utf8);
    if (utf8.empty()) {
        out.clear();
        return 0;
    }
    WideCharToMultiByte(CP_ACP, Utf8ToUtf16(utf8), out);
    return 1;
}

int CCodeConvert::Utf8ToAnsi(const char* utf8, std::string& out)
{
    if (!utf8) {
        out.clear();
        return 0;
    }
    return Utf8ToAnsi(std::string_view(utf8), out);
}
