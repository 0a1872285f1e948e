#include "platform/snmp/SnmpMessage.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstring>

bool SnmpParseOid(const char* text, SnmpOid& out)
{
    out.clear();
    if (!text)
        return false;
    const char* p = text;
    if (*p == '.')
        ++p;
    const char* end = p + std::strlen(p);
    if (p == end)
        return false;
    while (true) {
        const char* dot = std::find(p, end, '.');
        std::uint32_t arc = 0;
        auto [ptr, ec] = std::from_chars(p, dot, arc);
        if (p == dot || ec != std::errc() || ptr != dot)
            return false;
        out.push_back(arc);
        if (dot == end)
            break;
        p = dot + 1;
    }
    return out.size() >= 2 && out.size() <= 128;
}

std::string SnmpOidText(const SnmpOid& oid)
{
    std::string text;
    for (size_t i = 0; i < oid.size(); ++i) {
        if (i)
            text += '.';
        text += std::to_string(oid[i]);
    }
    return text;
}

bool SnmpOidStartsWith(const SnmpOid& oid, const SnmpOid& prefix)
{
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

int SnmpNextRequestId()
{
    static std::atomic<int> counter{0};
    int id = ++counter;
    if (id <= 0) { // after 2^31 requests: start again at 1
        counter = 0;
        id = ++counter;
    }
    return id;
}
