#include "tools/korvel-sim/MibValue.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>

bool ParseOid(std::string_view text, Oid& out)
{
    return SnmpParseOid(std::string(text).c_str(), out);
}

std::string OidToText(const Oid& oid)
{
    return SnmpOidText(oid);
}

bool OidStartsWith(const Oid& oid, const Oid& prefix)
{
    return SnmpOidStartsWith(oid, prefix);
}

MibValue MibValue::Integer(std::int64_t v)
{
    MibValue value;
    value.type = MibInteger;
    value.number = v;
    return value;
}

MibValue MibValue::Text(std::string s)
{
    MibValue value;
    value.type = MibOctetString;
    value.bytes = std::move(s);
    return value;
}

namespace {

template <typename T> bool ParseNumber(std::string_view text, T& out)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}

bool ParseHex(std::string_view text, std::string& out)
{
    out.clear();
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == ':' || c == '\r')
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        digits += c;
    }
    if (digits.size() % 2)
        return false;
    for (size_t i = 0; i < digits.size(); i += 2)
        out += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return true;
}

} // namespace

bool ParseSnmprecValue(std::string_view type, std::string_view value, MibValue& out)
{
    out = MibValue();
    bool hex = false;
    if (!type.empty() && (type.back() == 'x' || type.back() == 'X')) {
        hex = true;
        type.remove_suffix(1);
    }
    int tag = 0;
    if (!ParseNumber(type, tag))
        return false;
    out.type = tag;
    switch (tag) {
    case MibOctetString:
    case MibOpaque:
        if (hex)
            return ParseHex(value, out.bytes);
        out.bytes = std::string(value);
        return true;
    case MibIpAddress: {
        if (hex)
            return ParseHex(value, out.bytes) && out.bytes.size() == 4;
        in_addr addr{};
        if (inet_pton(AF_INET, std::string(value).c_str(), &addr) != 1)
            return false;
        out.bytes.assign(reinterpret_cast<const char*>(&addr), 4);
        return true;
    }
    case MibInteger:
        return !hex && ParseNumber(value, out.number) && out.number >= INT32_MIN && out.number <= INT32_MAX;
    case MibCounter32:
    case MibGauge32:
    case MibTimeTicks:
        return !hex && ParseNumber(value, out.number) && out.number >= 0 && out.number <= UINT32_MAX;
    case MibCounter64:
        return !hex && ParseNumber(value, out.big);
    case MibObjectId:
        return !hex && ParseOid(value, out.oid);
    case MibNull:
        return !hex;
    default:
        return false;
    }
}

std::string SnmprecValueText(const MibValue& value)
{
    std::string text = std::to_string(value.type);
    switch (value.type) {
    case MibOctetString:
    case MibOpaque: {
        bool printable = true;
        for (unsigned char c : value.bytes)
            printable = printable && c >= 0x20 && c < 0x7F;
        if (printable)
            return text + "|" + value.bytes;
        text += "x|";
        char buf[3];
        for (unsigned char c : value.bytes) {
            std::snprintf(buf, sizeof buf, "%02x", c);
            text += buf;
        }
        return text;
    }
    case MibIpAddress: {
        if (value.bytes.size() != 4)
            return text + "|";
        char buf[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, value.bytes.data(), buf, sizeof buf);
        return text + "|" + buf;
    }
    case MibObjectId:
        return text + "|" + OidToText(value.oid);
    case MibCounter64:
        return text + "|" + std::to_string(value.big);
    case MibNull:
        return text + "|";
    default:
        return text + "|" + std::to_string(value.number);
    }
}
