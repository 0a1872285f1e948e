#include "common/CUtils.h"

#include "common/CPatternCompiler.h"
#include "common/Globals.h"
#include "platform/system/ProcessLaunch.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kInvalidPortList = "Invalid Portlist";
constexpr const char* kInvalidVlanList = "Invalid VLAN List";
constexpr const char* kTooManyVlans = "LBD VLAN mode maximum support 8 VLAN groups.";
constexpr const char* kBadMacFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
constexpr const char* kBroadcastMac = "Broadcast MAC is not allowed.";
constexpr const char* kMulticastMac = "Multicast MAC is not allowed.";

constexpr int kMaxVlanGroups = 8;

// Special characters of names; the number lists leave out the comma.
constexpr std::string_view kNameSpecialChars = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
constexpr std::string_view kNumberListSpecialChars = "~`!@#$%^&*{}[]|\\:;\"'<>.?/";

// A number as atoi reads it, but one too large for an int stays out of every range instead of
// wrapping into it.
int ReadInt(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

BYTE OctetAt(std::string_view octets, std::size_t index)
{
    return index < octets.size() ? static_cast<BYTE>(octets[index]) : 0;
}

// Two characters (or the last one) of a hexadecimal text read as one number.
unsigned long HexPairAt(const std::string& text, std::size_t pos)
{
    return std::strtoul(text.substr(pos, 2).c_str(), nullptr, 16);
}

std::string WithoutChar(std::string text, char removed)
{
    text.erase(std::remove(text.begin(), text.end(), removed), text.end());
    return text;
}

struct ListItem
{
    std::string text;
    bool followedByComma;
};

// The items of a user list, each up to the next ","; a "," at the very end adds no item.
std::vector<ListItem> ListItems(const std::string& text)
{
    std::vector<ListItem> items;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t comma = text.find(',', pos);
        if (comma == std::string::npos) {
            items.push_back({text.substr(pos), false});
            break;
        }
        items.push_back({text.substr(pos, comma - pos), true});
        pos = comma + 1;
    }
    return items;
}

// An item "a-b" split at its first "-"; text after a second "-" is ignored as atoi ignores it.
void ReadRange(const std::string& item, std::size_t dash, int& first, int& last)
{
    first = ReadInt(item.substr(0, dash));
    last = ReadInt(item.substr(dash + 1));
}

void GrowToPortCount(std::vector<int>& ports)
{
    if (g_nPortCount > 0 && ports.size() < static_cast<std::size_t>(g_nPortCount))
        ports.resize(static_cast<std::size_t>(g_nPortCount), 0);
}

std::string Format(const char* format, auto... values)
{
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, format, values...);
    return std::string(buffer, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof buffer) - 1)));
}

} // namespace

// --- Port sets and lists ---

namespace {

// The arcs of a row index, each a whole decimal number that fits 32 bits.
bool IndexArcs(const std::string& strIndex, std::vector<unsigned long>& arcs)
{
    arcs.clear();
    size_t at = !strIndex.empty() && strIndex[0] == '.' ? 1 : 0;
    if (at >= strIndex.size())
        return false;
    while (at <= strIndex.size()) {
        const size_t end = std::min(strIndex.find('.', at), strIndex.size());
        if (end == at || end - at > 10)
            return false;
        unsigned long long value = 0;
        for (size_t i = at; i < end; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(strIndex[i])))
                return false;
            value = value * 10 + static_cast<unsigned>(strIndex[i] - '0');
        }
        if (value > UINT32_MAX)
            return false;
        arcs.push_back(static_cast<unsigned long>(value));
        at = end + 1;
    }
    return true;
}

int InRange(unsigned long value, int nLast)
{
    return value >= 1 && value <= static_cast<unsigned long>(std::max(nLast, 0)) ? static_cast<int>(value) : 0;
}

} // namespace

int CUtils::RowPort(const std::string& strIndex)
{
    std::vector<unsigned long> arcs;
    return IndexArcs(strIndex, arcs) && arcs.size() == 1 ? InRange(arcs[0], g_nPortCount) : 0;
}

int CUtils::RowUnitPort(const std::string& strIndex)
{
    std::vector<unsigned long> arcs;
    return IndexArcs(strIndex, arcs) && arcs.size() == 2 && arcs[0] == 1 ? InRange(arcs[1], g_nPortCount) : 0;
}

int CUtils::RowVlanId(const std::string& strIndex)
{
    std::vector<unsigned long> arcs;
    return IndexArcs(strIndex, arcs) && arcs.size() == 1 ? InRange(arcs[0], 4094) : 0;
}

std::string CUtils::PortBitmapToList(std::string_view bitmap, int& count)
{
    count = 0;
    std::string list;
    const int octets = g_nPortCount > 0 ? (g_nPortCount + 7) / 8 : 0;
    for (int i = 0; i < octets; ++i) {
        const BYTE octet = OctetAt(bitmap, static_cast<std::size_t>(i));
        // Bits past the port count in the last octet are no ports.
        for (int b = 0; b < 8 && 8 * i + b < g_nPortCount; ++b) {
            if (octet & (0x80 >> b)) {
                list += std::to_string(8 * i + b + 1) + ",";
                ++count;
            }
        }
    }
    if (count > 0)
        list.pop_back();
    return list;
}

int CUtils::PortBitmapToRangeText(std::string_view bitmap, int octetCount, int firstPort, int lastPort,
                                  std::string& text)
{
    int count = 0;
    int previous = 0;
    bool runOpen = false;
    for (int j = 0; j < octetCount; ++j) {
        const BYTE octet = OctetAt(bitmap, static_cast<std::size_t>(j));
        for (int b = 0; b < 8; ++b) {
            const int port = 8 * j + b + 1;
            if (!(octet & (0x80 >> b)) || port < firstPort || port > lastPort)
                continue;
            if (count == 0) {
                text += std::to_string(port);
            } else if (port == previous + 1) {
                runOpen = true;
            } else {
                if (runOpen)
                    text += "-" + std::to_string(previous);
                runOpen = false;
                text += "," + std::to_string(port);
            }
            previous = port;
            ++count;
        }
    }
    if (runOpen)
        text += "-" + std::to_string(previous);
    return count;
}

int CUtils::BitmapToRangeText(std::string_view bitmap, int octetCount, int firstPort, int lastPort, std::string& text)
{
    return PortBitmapToRangeText(bitmap, octetCount, firstPort, lastPort, text);
}

std::string CUtils::HexMaskToPortList(const std::string& mask, int& count)
{
    count = 0;
    std::string list;
    int digit = 0;
    for (const char c : mask) {
        if (c == '0') {
            ++digit;
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            continue;
        const int value = std::stoi(std::string(1, c), nullptr, 16);
        for (int bit = 0; bit < 4; ++bit) {
            if (value & (8 >> bit)) {
                list += std::to_string(4 * digit + bit + 1) + ",";
                ++count;
            }
        }
        ++digit;
    }
    if (!list.empty())
        list.pop_back();
    return list;
}

void CUtils::ApplyPortList(const std::string& list, std::vector<int>& ports, int value)
{
    GrowToPortCount(ports);
    std::size_t pos = 0;
    while (pos <= list.size()) {
        const std::size_t comma = std::min(list.find(',', pos), list.size());
        const int port = ReadInt(list.substr(pos, comma - pos));
        if (port >= 1 && port <= g_nPortCount)
            ports[static_cast<std::size_t>(port - 1)] = value;
        pos = comma + 1;
    }
}

BOOL CUtils::ParsePortList(const std::string& text, std::vector<int>& flags)
{
    GrowToPortCount(flags);
    const auto isPort = [](int port) { return port >= 1 && port <= g_nPortCount; };
    for (const auto& item : ListItems(text)) {
        const std::size_t dash = item.text.find('-');
        if (dash == std::string::npos) {
            const int port = ReadInt(item.text);
            if (!isPort(port)) {
                AfxMessageBox(kInvalidPortList);
                return FALSE;
            }
            flags[static_cast<std::size_t>(port - 1)] = 1;
            continue;
        }
        int first = 0;
        int last = 0;
        ReadRange(item.text, dash, first, last);
        if (last < first) {
            AfxMessageBox(kInvalidPortList);
            return FALSE;
        }
        // Every port up to the first bad one is set; the first bad one ends the loop, so a huge
        // range stops at the port count.
        for (int port = first; port <= last; ++port) {
            if (!isPort(port)) {
                AfxMessageBox(kInvalidPortList);
                return FALSE;
            }
            flags[static_cast<std::size_t>(port - 1)] = 1;
        }
    }
    return TRUE;
}

void CUtils::PortFlagsToHex(const std::vector<int>& flags, std::string& text)
{
    if (g_nPortCount <= 0)
        return;
    // A port count that is no multiple of four is extended with zero ports to whole digits.
    const std::size_t ports = static_cast<std::size_t>(g_nPortCount);
    const auto flag = [&](std::size_t i) { return i < ports && i < flags.size() && flags[i] != 0 ? 1 : 0; };
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < ports; i += 4)
        text += kDigits[flag(i) * 8 + flag(i + 1) * 4 + flag(i + 2) * 2 + flag(i + 3)];
}

int CUtils::PadHexPortMask(std::string& text)
{
    switch (g_nPortCount) {
    case 8:
        text += "000000";
        break;
    case 10:
        text += "00000";
        break;
    case 16:
        text += "0000";
        break;
    case 20:
        text += "000";
        break;
    case 24:
        text += "00";
        break;
    case 28:
        text += "0";
        break;
    case 48:
        text += "0000";
        break;
    case 52:
        text += "000";
        break;
    default:
        break;
    }
    return 1;
}

std::vector<BYTE> CUtils::PortFlagsToBitmap(const std::vector<int>& flags)
{
    std::string strHex;
    PortFlagsToHex(flags, strHex);
    PadHexPortMask(strHex);
    std::vector<BYTE> octets;
    HexToByteValues(strHex, octets, static_cast<int>((strHex.size() + 1) / 2));
    return octets;
}

int CUtils::HexToByteValues(const std::string& hex, std::vector<BYTE>& octets, int maxCount)
{
    octets.assign(static_cast<std::size_t>(std::max(maxCount, 0)), 0);
    std::string text = hex;
    if (text.size() % 2)
        text += "0";
    std::size_t stored = 0;
    for (std::size_t pos = 0; pos < text.size() && stored < octets.size(); pos += 2)
        octets[stored++] = static_cast<BYTE>(std::strtol(text.substr(pos, 2).c_str(), nullptr, 16) & 0xFF);
    return 1;
}

BOOL CUtils::IsPlainNumberList(const std::string& text)
{
    for (const char c : text) {
        if (std::isalpha(static_cast<unsigned char>(c)) || kNumberListSpecialChars.find(c) != std::string_view::npos)
            return FALSE;
    }
    return TRUE;
}

BOOL CUtils::CheckVlanList(const std::string& text, int maxId)
{
    if (!IsPlainNumberList(text))
        return FALSE;
    maxId = std::max(maxId, 0);
    std::vector<bool> ids(static_cast<std::size_t>(maxId) + 1, false);
    for (const auto& item : ListItems(text)) {
        const std::size_t dash = item.text.find('-');
        if (dash == std::string::npos) {
            const int id = ReadInt(item.text);
            if (id < 1 || id > maxId) {
                AfxMessageBox(kInvalidVlanList);
                return FALSE;
            }
            ids[static_cast<std::size_t>(id)] = true;
            continue;
        }
        int first = 0;
        int last = 0;
        ReadRange(item.text, dash, first, last);
        if (last < first || last > maxId || first < 1) {
            // A bad range in the middle of the list fails without a message.
            if (!item.followedByComma)
                AfxMessageBox(kInvalidVlanList);
            return FALSE;
        }
        for (int id = first; id <= last; ++id)
            ids[static_cast<std::size_t>(id)] = true;
    }
    if (std::count(ids.begin(), ids.end(), true) > kMaxVlanGroups) {
        AfxMessageBox(kTooManyVlans);
        return FALSE;
    }
    return TRUE;
}

// --- Names, MAC addresses and address texts ---

BOOL CUtils::HasNoSpecialChars(const std::string& text)
{
    return text.find_first_of(kNameSpecialChars) == std::string::npos ? TRUE : FALSE;
}

BOOL CUtils::CheckMacAddress(const std::string& text, bool allowMulticast)
{
    bool wellFormed = text.size() == 17;
    for (const std::size_t dash : {2, 5, 8, 11, 14})
        wellFormed = wellFormed && text[dash] == '-';
    const std::string digits = WithoutChar(text, '-');
    wellFormed =
        wellFormed && digits.size() >= 12 && digits != "000000000000" &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    if (!wellFormed) {
        AfxMessageBox(kBadMacFormat);
        return FALSE;
    }
    std::string lower = digits;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "ffffffffffff") {
        AfxMessageBox(kBroadcastMac);
        return FALSE;
    }
    if (!allowMulticast && (HexPairAt(digits, 0) & 1)) {
        AfxMessageBox(kMulticastMac);
        return FALSE;
    }
    return TRUE;
}

std::string CUtils::HexToOidSuffix(const std::string& hex)
{
    const std::string digits = WithoutChar(hex, '-');
    std::string suffix;
    for (std::size_t pos = 0; pos < digits.size(); pos += 2)
        suffix += "." + std::to_string(HexPairAt(digits, pos));
    return suffix;
}

std::string CUtils::BytesToAddressText(std::string_view octets, int family)
{
    std::string text;
    if (family == 2) {
        for (std::size_t i = 0; i < 16; i += 2) {
            if (i)
                text += ":";
            text += Format("%02x%02x", OctetAt(octets, i), OctetAt(octets, i + 1));
        }
        return text;
    }
    for (std::size_t i = 0; i < 4; ++i)
        text += Format("%02X", OctetAt(octets, i));
    return text;
}

std::string CUtils::HexToDottedDecimal(const std::string& hex)
{
    std::string text;
    for (std::size_t pos = 0; pos < hex.size(); pos += 2) {
        if (pos)
            text += ".";
        text += std::to_string(HexPairAt(hex, pos));
    }
    return text;
}

std::string CUtils::AddressToHex(const std::string& address)
{
    if (address.find('.') == std::string::npos)
        return WithoutChar(address, ':');
    // Each part is one octet: its low eight bits, so that every part gives exactly two digits.
    std::string text;
    std::size_t pos = 0;
    for (int part = 0; part < 4 && pos <= address.size(); ++part) {
        const std::size_t dot = std::min(address.find('.', pos), address.size());
        text += Format("%02X", ReadInt(address.substr(pos, dot - pos)) & 0xFF);
        pos = dot + 1;
    }
    return text;
}

// --- IPv4 and IPv6 address checks and conversions ---

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
        nAddress = (nAddress << 8) | (static_cast<uint32_t>(ReadInt(strOctet)) & 0xFF);
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

// --- Days and durations ---

bool CUtils::IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::string CUtils::DaysInMonth(const std::string& year, const std::string& month)
{
    for (const char* m : {"1", "3", "5", "7", "8", "10", "12"})
        if (month == m)
            return "31";
    for (const char* m : {"4", "6", "9", "11"})
        if (month == m)
            return "30";
    if (month == "2")
        return IsLeapYear(ReadInt(year)) ? "29" : "28";
    return {};
}

void CUtils::FillDayCombo(CWnd* pYear, CWnd* pMonth, CComboBox* pDay)
{
    if (!pYear || !pMonth || !pDay)
        return;
    const int days = ReadInt(DaysInMonth(pYear->GetWindowText(), pMonth->GetWindowText()));
    pDay->ResetContent();
    for (int day = 1; day <= days; ++day)
        pDay->AddString(std::to_string(day));
    pDay->SetCurSel(0);
}

std::string CUtils::FormatDuration(unsigned int seconds)
{
    if (seconds == 0)
        return "0";
    constexpr unsigned kMinute = 60;
    constexpr unsigned kHour = 3600;
    constexpr unsigned kDay = 86400;
    int years = 0;
    int months = 0;
    int days = 0;
    int hours = 0;
    int minutes = 0;
    unsigned rest = seconds;
    while (rest >= kMinute) {
        // The years are counted from year 0, a leap year.
        const bool leap = IsLeapYear(years);
        const unsigned yearLength = (leap ? 366 : 365) * kDay;
        if (rest >= yearLength) {
            ++years;
            rest -= yearLength;
        } else if (rest >= kDay) {
            unsigned d = rest / kDay;
            rest %= kDay;
            const unsigned monthLength[] = {31, leap ? 29U : 28U, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            for (const unsigned length : monthLength) {
                if (d < length)
                    break;
                d -= length;
                ++months;
            }
            days += static_cast<int>(d);
        } else if (rest >= kHour) {
            hours += static_cast<int>(rest / kHour);
            rest %= kHour;
        } else {
            minutes += static_cast<int>(rest / kMinute);
            rest %= kMinute;
        }
    }
    std::string text = Format("%d year,%d month,%d days,%d hours,%d mins,%d secs", years, months, days, hours, minutes,
                              static_cast<int>(rest));
    while (!text.empty() && text[0] == '0') {
        const std::size_t comma = text.find(',');
        if (comma == std::string::npos)
            break;
        text.erase(0, comma + 1);
    }
    return text;
}

// --- Web browser and Telnet ---

std::string CUtils::GetBrowserPath()
{
    const std::vector<std::string> command = WebBrowserCommand({});
    return command.empty() ? std::string() : command.front();
}

int CUtils::StartTelnet()
{
    std::vector<std::string> command{"telnet"};
    if (!g_strDeviceIP.empty())
        command.push_back(g_strDeviceIP);
    return StartInTerminal(command) ? 1 : 0;
}

void CUtils::StartBrowser()
{
    const std::vector<std::string> command = WebBrowserCommand(g_strDeviceIP);
    if (!command.empty())
        StartDetachedProcess(command);
}
