#include "common/CUtils.h"

#include "common/CPatternCompiler.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

// ---------------------------------------------------------------------------
// IPv4 and IPv6 address checks

namespace {

// Dotted decimal, four octets of 0 to 255.
constexpr char kIPv4AddressPattern[] = R"re(((25[0-5]|2[0-4]\d|[01]?\d\d?)\.){3}(25[0-5]|2[0-4]\d|[01]?\d\d?)$)re";

// The full and compressed IPv6 forms (lower-case hexadecimal), with an IPv4
// tail, surrounding white space and a zone suffix.
constexpr char kIPv6AddressPattern[] =
    R"re(^\s*((([0-9a-f]{1,4}:){7}(([0-9a-f]{1,4})|:))|(([0-9a-f]{1,4}:){6}(:|((25[0-5]|2[0-4]\d|[01]?\d{)re"
    R"re(1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})|(:[0-9a-f]{1,4})))|(([0-9a-f]{1,4}:){5}((:((25[0-5])re"
    R"re(|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-)re"
    R"re(9a-f]{1,4}:){4}(:[0-9a-f]{1,4}){0,1}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01])re"
    R"re(?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-9a-f]{1,4}:){3}(:[0-9a-f]{1,4}){0,2}((:((25[0-5])re"
    R"re(|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-)re"
    R"re(9a-f]{1,4}:){2}(:[0-9a-f]{1,4}){0,3}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01])re"
    R"re(?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(([0-9a-f]{1,4}:)(:[0-9a-f]{1,4}){0,4}((:((25[0-5]|2[)re"
    R"re(0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[0-9a-f]{1,4}){1,2})))|(:(:[0-9)re"
    R"re(a-f]{1,4}){0,5}((:((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3})?)|((:[)re"
    R"re(0-9a-f]{1,4}){1,2})))|(((25[0-5]|2[0-4]\d|[01]?\d{1,2})(\.(25[0-5]|2[0-4]\d|[01]?\d{1,2})){3}))))re"
    R"re((%.+)?\s*$)re";

static_assert(sizeof(kIPv4AddressPattern) - 1 == 66 && sizeof(kIPv6AddressPattern) - 1 == 1066);

// Each pattern is compiled on the first call of its check and kept until the
// process ends.
const CPatternCompiler& IPv4AddressPattern()
{
    static const CPatternCompiler s_cPattern(kIPv4AddressPattern, 0);
    return s_cPattern;
}

const CPatternCompiler& IPv6AddressPattern()
{
    static const CPatternCompiler s_cPattern(kIPv6AddressPattern, 0);
    return s_cPattern;
}

bool MatchesWhole(const CPatternCompiler& cPattern, const std::string& strText)
{
    if (strText.size() > static_cast<size_t>(INT_MAX)) {
        return false;
    }
    return cPattern.MatchWholeText(strText.data(), static_cast<int>(strText.size()), nullptr).Succeeded() != 0;
}

std::string LowerCase(std::string strText)
{
    std::transform(strText.begin(), strText.end(), strText.begin(),
                   [](char ch) { return static_cast<char>(std::tolower(static_cast<unsigned char>(ch))); });
    return strText;
}

bool StartsWith(const std::string& strText, const char* pszPrefix)
{
    return strText.rfind(pszPrefix, 0) == 0;
}

bool IsLinkLocalIPv6(const std::string& strExpanded)
{
    return StartsWith(strExpanded, "fe8") || StartsWith(strExpanded, "fe9") || StartsWith(strExpanded, "fea") ||
           StartsWith(strExpanded, "feb");
}

// The eight groups of an expanded IPv6 text: the first seven up to each
// ':', the eighth the rest.
std::vector<std::string> SplitIPv6Groups(const std::string& strText)
{
    std::vector<std::string> groups;
    size_t nFrom = 0;
    for (int i = 0; i < 7; ++i) {
        const size_t nColon = nFrom <= strText.size() ? strText.find(':', nFrom) : std::string::npos;
        if (nColon == std::string::npos) {
            groups.push_back(nFrom < strText.size() ? strText.substr(nFrom) : std::string());
            nFrom = strText.size() + 1;
        } else {
            groups.push_back(strText.substr(nFrom, nColon - nFrom));
            nFrom = nColon + 1;
        }
    }
    groups.push_back(nFrom < strText.size() ? strText.substr(nFrom) : std::string());
    return groups;
}

} // namespace

int CUtils::CheckIPv4Address(const std::string& strAddress)
{
    if (!MatchesWhole(IPv4AddressPattern(), strAddress) || strAddress == "0.0.0.0") {
        return 0;
    }
    const std::string strFirst = strAddress.substr(0, strAddress.find('.'));
    const std::string strLast = strAddress.substr(strAddress.rfind('.') + 1);
    if (strFirst == "0" || strFirst == "255" || strLast == "0" || strLast == "255") {
        return 0;
    }
    uint32_t nAddress = 0;
    size_t nFrom = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t nDot = strAddress.find('.', nFrom);
        const std::string strOctet = strAddress.substr(nFrom, nDot == std::string::npos ? nDot : nDot - nFrom);
        nAddress = (nAddress << 8) | (static_cast<uint32_t>(std::atoi(strOctet.c_str())) & 0xFF);
        nFrom = nDot == std::string::npos ? strAddress.size() : nDot + 1;
    }
    bool bValid = false;
    if ((nAddress & 0x80000000U) == 0) { // class A
        const uint32_t nNetwork = (nAddress >> 24) & 0x7F;
        const uint32_t nHost = nAddress & 0xFFFFFF;
        bValid = nNetwork != 0 && nNetwork != 127 && nHost != 0 && nHost != 0xFFFFFF;
    } else if ((nAddress & 0xC0000000U) == 0x80000000U) { // class B
        const uint32_t nHost = nAddress & 0xFFFF;
        bValid = nHost != 0 && nHost != 0xFFFF;
    } else if ((nAddress & 0xE0000000U) == 0xC0000000U) { // class C
        const uint32_t nHost = nAddress & 0xFF;
        bValid = nHost != 0 && nHost != 0xFF;
    }
    return bValid ? 1 : 0;
}

int CUtils::CheckIPv6Address(const std::string& strAddress, const std::string& strZone, int bZoneGiven,
                             int bZonesAllowed)
{
    if (!MatchesWhole(IPv6AddressPattern(), strAddress)) {
        return 0;
    }
    const size_t n = strAddress.size();
    if ((n >= 1 && strAddress[0] == ':' && (n < 2 || strAddress[1] != ':')) ||
        (n >= 1 && strAddress[n - 1] == ':' && (n < 2 || strAddress[n - 2] != ':'))) {
        return 0;
    }
    const std::string strExpanded = ExpandIPv6(strAddress);
    if (strExpanded.find_first_of("23456789abcdef") == std::string::npos) {
        // Only the digits 0 and 1: the unspecified address, the loopback address and the like.
        if (strExpanded.find('1') == std::string::npos || strExpanded.back() == '1') {
            return 0;
        }
    }
    if (StartsWith(strExpanded, "ff") || StartsWith(strExpanded, "0")) {
        return 0; // multicast, or a first group below 1000
    }
    if (bZonesAllowed && IsLinkLocalIPv6(strExpanded)) {
        if (!bZoneGiven) {
            return 0;
        }
        if (strZone.empty()) {
            return -2;
        }
        if (strZone.size() > 20) {
            return -1;
        }
    }
    return 1;
}

std::string CUtils::ExpandIPv6(const std::string& strAddress)
{
    std::string strText = strAddress;
    const size_t nDoubleColon = strText.find("::");
    if (nDoubleColon != std::string::npos) {
        const int nColons = static_cast<int>(std::count(strText.begin(), strText.end(), ':'));
        std::string strZeros;
        for (int i = 0; i < 8 - nColons; ++i) {
            strZeros += ":0000";
        }
        strText.replace(nDoubleColon, 2, strZeros + ":");
        if (strText.front() == ':') {
            strText.insert(0, "0000");
        }
        if (strText.back() == ':') {
            strText += "0000";
        }
    }
    std::string strExpanded;
    for (std::string& strGroup : SplitIPv6Groups(strText)) {
        if (strGroup.size() < 4) {
            strGroup.insert(0, 4 - strGroup.size(), '0');
        }
        strExpanded += strExpanded.empty() ? strGroup : ":" + strGroup;
    }
    return LowerCase(strExpanded);
}

std::string CUtils::CompressIPv6(const std::string& strAddress)
{
    std::vector<std::string> groups = SplitIPv6Groups(ExpandIPv6(strAddress));
    for (std::string& strGroup : groups) {
        if (strGroup.find('.') != std::string::npos) {
            continue; // an IPv4 tail stays as it is
        }
        const size_t nDigit = strGroup.find_first_not_of('0');
        strGroup = nDigit == std::string::npos ? "0" : strGroup.substr(nDigit);
    }
    // The longest run of zero groups (the first of equal ones), unless it is the last group alone.
    int nRunStart = -1;
    int nRunLength = 0;
    for (int i = 0; i < static_cast<int>(groups.size());) {
        int k = i;
        while (k < static_cast<int>(groups.size()) && groups[k] == "0") {
            ++k;
        }
        if (k - i > nRunLength) {
            nRunStart = i;
            nRunLength = k - i;
        }
        i = std::max(k, i + 1);
    }
    if (nRunLength == 1 && nRunStart == static_cast<int>(groups.size()) - 1) {
        nRunLength = 0;
    }
    std::string strCompressed;
    for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
        if (nRunLength > 0 && i == nRunStart) {
            strCompressed += "::";
            i += nRunLength - 1;
            continue;
        }
        if (!strCompressed.empty() && strCompressed.back() != ':') {
            strCompressed += ':';
        }
        strCompressed += groups[i];
    }
    return LowerCase(strCompressed);
}
