#include "legacy/CLegacyText.h"

#include "platform/snmp/CSnmp.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

int CLegacyText::Number(const std::string& text)
{
    const long long value = Number64(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

long long CLegacyText::Number64(const std::string& text)
{
    errno = 0;
    return std::strtoll(text.c_str(), nullptr, 10);
}

std::string CLegacyText::IdentifierText(const std::string& bytes)
{
    auto b = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    char text[32];
    if (bytes.size() == 8) {
        std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X", b(0), b(1), b(2), b(3), b(4),
                      b(5), b(6), b(7));
        return text;
    }
    if (bytes.size() == 2) {
        std::snprintf(text, sizeof text, "%02X %02X", b(0), b(1));
        return text;
    }
    return bytes;
}

bool CLegacyText::Accepted(int nStatus, const std::unique_ptr<CSnmp>& pResponse)
{
    if (nStatus != 0 || !pResponse)
        return false;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    return nErrorStatus == 0;
}
