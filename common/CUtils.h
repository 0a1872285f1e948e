// Static helpers shared by the feature dialogs: port sets in their three
// forms, name, MAC, IPv4 and IPv6 checks, address texts, day and duration texts, and the
// web browser and Telnet launchers. Nothing here keeps state.
//
// Port sets:
//  - port bitmap: octets in MIB PortList order, bit 0x80 of octet k is
//    port 8k + 1. Octets missing at the end of a short value count as zero.
//  - hex port mask: lower-case hexadecimal text, one digit per four ports,
//    the lowest port of each digit in its top bit.
//  - port list: ports as text, "1,2,5" from the decoders, "1-3,5" as range
//    text, "1,3-5" as user input.
// Everything is sized by the device profile's port count (g_nPortCount)
// unless an operation says otherwise.
#pragma once

#include "platform/system/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

class CComboBox;
class CWnd;

class CUtils
{
public:
    virtual ~CUtils() = default;
    CUtils() = delete;

    // --- Row indexes that a switch gives ---
    // A table row's index as a walk gives it (".5", ".1.5", or without the
    // leading dot). Each returns 0 for an index that no real row can have,
    // so that such a row is skipped, never shown or written back.

    // The port of a row indexed by port: 1..g_nPortCount.
    static int RowPort(const std::string& strIndex);
    // The port of a row indexed unit.port: unit 1 and a port 1..g_nPortCount.
    static int RowUnitPort(const std::string& strIndex);
    // The VLAN id of a row indexed by VLAN id: 1..4094.
    static int RowVlanId(const std::string& strIndex);
    // Whether the text is a VLAN id, 1..4094 (as RowVlanId).
    static bool IsVlanId(const std::string& strId) { return RowVlanId(strId) != 0; }

    // --- Port sets and lists ---

    // Decodes ports 1..g_nPortCount into "1,2,5"; count gets the number of ports. Bits above the port
    // count are no ports, whatever the switch set there.
    static std::string PortBitmapToList(std::string_view bitmap, int& count);
    // Appends the ports set in the first octetCount octets that lie in firstPort..lastPort as range text
    // ("1-3,5,7-9") to text; returns their number.
    static int PortBitmapToRangeText(std::string_view bitmap, int octetCount, int firstPort, int lastPort,
                                     std::string& text);
    static int BitmapToRangeText(std::string_view bitmap, int octetCount, int firstPort, int lastPort,
                                 std::string& text);
    // Decodes a hex port mask into "1,3,8"; count gets the number of ports. Characters that are no
    // hexadecimal digit are skipped.
    static std::string HexMaskToPortList(const std::string& mask, int& count);
    // Sets ports[p - 1] = value for every port p of the comma list within 1..g_nPortCount. A vector shorter
    // than the port count is first grown to it with zeros.
    static void ApplyPortList(const std::string& list, std::vector<int>& ports, int value);
    // Reads user input such as "1,3-5" into per-port flags (1 for a listed port). Bad input shows
    // "Invalid Portlist" and gives FALSE; flags set before the bad item stay set. The vector is grown to
    // the port count when it is shorter.
    static BOOL ParsePortList(const std::string& text, std::vector<int>& flags);
    // Appends the hex port mask of per-port flags (non-zero means set; missing entries are 0) to text.
    static void PortFlagsToHex(const std::vector<int>& flags, std::string& text);
    // Appends the "0" digits that bring the mask of the port count to its written width: 8 digits for
    // 8, 10, 16, 20, 24 and 28 ports, 16 digits for 48 and 52; other counts get none. Returns 1.
    static int PadHexPortMask(std::string& text);
    // Reads hexadecimal text two digits to an octet (an odd last digit is read with a "0" after it) into
    // octets, which ends up exactly maxCount long: pairs beyond it are dropped, octets the text does not
    // reach are 0. Returns 1.
    static int HexToByteValues(const std::string& hex, std::vector<BYTE>& octets, int maxCount);
    // The port bitmap of per-port flags as it is written: the mask of PortFlagsToHex, padded by
    // PadHexPortMask, in octets (an odd last digit fills the high half of the last octet).
    static std::vector<BYTE> PortFlagsToBitmap(const std::vector<int>& flags);
    // TRUE when the text holds no letter and none of ~`!@#$%^&*{}[]|\:;"'<>.?/
    static BOOL IsPlainNumberList(const std::string& text);
    // Checks a VLAN id list such as "1,3-5" against 1..maxId and at most 8 distinct ids; shows
    // "Invalid VLAN List" or "LBD VLAN mode maximum support 8 VLAN groups." where it fails.
    static BOOL CheckVlanList(const std::string& text, int maxId);

    // --- Names, MAC addresses and address texts ---

    // TRUE when the text holds none of ~`!@#$%^&*{}[]|\:;"'<>,.?/
    static BOOL HasNoSpecialChars(const std::string& text);
    // Checks a MAC text of the form 00-11-22-33-44-55; shows the reason and gives FALSE when it is
    // malformed, all zero, broadcast, or (unless allowed) multicast.
    static BOOL CheckMacAddress(const std::string& text, bool allowMulticast);
    // "00-11-22-33-44-55" -> ".0.17.34.51.68.85": one OID arc per two hexadecimal digits, "-" ignored.
    static std::string HexToOidSuffix(const std::string& hex);
    // Family 2: 16 octets as the full lower-case IPv6 text; any other family: 4 octets as eight
    // upper-case hexadecimal digits. Missing octets count as zero.
    static std::string BytesToAddressText(std::string_view octets, int family);
    // "C0A80101" -> "192.168.1.1".
    static std::string HexToDottedDecimal(const std::string& hex);
    // "192.168.1.1" -> "C0A80101"; an IPv6 text loses its ":".
    static std::string AddressToHex(const std::string& address);

    // --- IPv4 and IPv6 address checks and conversions ---
    // The checks show no message; they run the address patterns on the UI thread.

    // 1 for an acceptable IPv4 host address (dotted decimal, not a network,
    // broadcast, loopback or class D/E address), else 0.
    static int CheckIPv4Address(const std::string& strAddress);
    // 1 for an acceptable IPv6 host address (lower-case hexadecimal, without
    // its zone), 0 invalid; when zones are allowed, a link-local address
    // needs a zone: -2 for an empty zone, -1 for one longer than 20 characters.
    static int CheckIPv6Address(const std::string& strAddress, const std::string& strZone, int bZoneGiven,
                                int bZonesAllowed);
    // The full form: eight groups of four lower-case hexadecimal digits.
    static std::string ExpandIPv6(const std::string& strAddress);
    // The compressed form: no leading zeros, the longest run of zero groups as "::".
    static std::string CompressIPv6(const std::string& strAddress);

    // --- Days and durations ---

    static bool IsLeapYear(int year);
    // "31", "30", "29" or "28" for the month texts "1" to "12"; empty for anything else.
    static std::string DaysInMonth(const std::string& year, const std::string& month);
    // Fills the day list with "1" up to the days of the month shown in the month window (of the year shown
    // in the year window) and selects the first day; a month text DaysInMonth does not know leaves it empty.
    static void FillDayCombo(CWnd* pYear, CWnd* pMonth, CComboBox* pDay);
    // "1 days,1 hours,1 mins,1 secs": the fields of year, month, days, hours, mins and secs from the first
    // one that is not zero; "0" for no time at all.
    static std::string FormatDuration(unsigned int seconds);

    // --- Web browser and Telnet ---

    // The desktop's default web browser's program, or empty when there is none.
    static std::string GetBrowserPath();
    // Starts Telnet to g_strDeviceIP in a terminal window; 0 when it cannot be started.
    static int StartTelnet();
    // Opens the web browser on g_strDeviceIP; starts nothing without a browser.
    static void StartBrowser();
};
