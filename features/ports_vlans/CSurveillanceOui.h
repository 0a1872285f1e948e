// What the two surveillance dialogs (CCameraVlanSetting, CCameraVLANOUISetting)
// share about the switch's surveillance component table: its objects, the
// OUIs of the maker's own cameras, address texts and the index they give,
// and the writes that create and destroy a row.
//
// Component table korvelEnterprise.10.76.19.1.26.2.1.1, index the six octets
// of the address as six decimal arcs: .1 address, .2 description (UTF-8),
// .3 address mask, .4 component type, .5 row status (4 create, 6 destroy).
#pragma once

class CWriteReport;

#include "platform/system/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

class CCommonSNMP;
class CListCtrl;

class CSurveillanceOui
{
public:
    CSurveillanceOui() = delete;

    // The longest OUI description the switch keeps.
    static constexpr int kDescriptionLength = 20;
    // The pause after a write, before the table is read again.
    static constexpr DWORD kPauseMs = 50;

    // The table's columns, without index.
    static std::string Column(int nColumn);

    // The OUIs of the maker's own cameras, whose rows the switch holds by
    // default: six upper-case hexadecimal digits.
    static const char* const kFirstDefaultOui;
    static const char* const kSecondDefaultOui;
    // A default OUI's row as an address text: "1A-6E-40-00-00-00".
    static std::string DefaultRowText(const char* pszOui);

    // The address with every "-" removed, when that is exactly twelve
    // hexadecimal digits (either case); false for anything else.
    static bool AddressDigits(const std::string& strAddress, std::string& strDigits);
    // The row index of an address: ".0.17.34.51.68.85" for "00-11-22-33-44-55"
    // (dashes optional). Empty unless the address is twelve hexadecimal digits,
    // so nothing else ever becomes part of an identifier.
    static std::string MacToOidSuffix(const std::string& strAddress);
    // Six octets as "00-11-22-33-44-55"; octets missing at the end count as zero.
    static std::string OctetsText(std::string_view octets);
    static std::string Upper(std::string text);
    // Equal without regard to letter case.
    static bool SameText(const std::string& a, const std::string& b);

    // Creates the row of the index (row status 4), then writes its description
    // (UTF-8) and, when given, its component type and the OUI mask
    // ff ff ff 00 00 00, pausing 50 ms between the two requests. When the
    // second request is refused, the half-made row is destroyed again (not
    // when the switch did not answer). True only when the switch accepted
    // both; otherwise the report holds what failed and what became of the row.
    static bool AddRow(CCommonSNMP& session, const std::string& strSuffix, const std::string& strDescriptionUtf8,
                       const std::string* pType, bool bOuiMask, CWriteReport& report);
    // Destroys the row of the index (row status 6); true when the switch
    // accepted it, else the report holds the failure.
    static bool DeleteRow(CCommonSNMP& session, const std::string& strSuffix, CWriteReport& report);

    // What the rows listed say about adding an address (its twelve digits):
    // false, after its message, when a row's address (column nColumn, "-"
    // and letter case aside) is the same, or when five rows are user-defined
    // already, which are all but the switch's default rows as isDefaultRow
    // tells them by the row's text.
    static bool ListAdmits(CListCtrl& list, int nColumn, const std::string& strDigits,
                           bool (*isDefaultRow)(const std::string& strRowText));

    // The rows of a walk of the table, each one's cells as a list shows them
    // after the row's number.
    using Rows = std::vector<std::vector<std::string>>;
    // Fills the list with the rows whole: column 0 numbers them from 1, the
    // cells follow.
    static void ShowRows(CListCtrl& list, const Rows& rows);

    // The message of a failed add.
    static const char* const kAddFailed;
};
