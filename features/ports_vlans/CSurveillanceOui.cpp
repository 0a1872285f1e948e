#include "features/ports_vlans/CSurveillanceOui.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr int kRowStatusColumn = 5;
constexpr int kMaxUserRows = 5;
const unsigned char kOuiMask[6] = {0xff, 0xff, 0xff, 0x00, 0x00, 0x00};

} // namespace

// Both OUIs are locally administered values of the maker's camera line.
const char* const CSurveillanceOui::kFirstDefaultOui = "1A6E40";
const char* const CSurveillanceOui::kSecondDefaultOui = "1A6E41";
const char* const CSurveillanceOui::kAddFailed = "Failed to add the OUI entry.";

std::string CSurveillanceOui::DefaultRowText(const char* pszOui)
{
    const std::string oui = pszOui;
    return oui.substr(0, 2) + "-" + oui.substr(2, 2) + "-" + oui.substr(4, 2) + "-00-00-00";
}

std::string CSurveillanceOui::Column(int nColumn)
{
    return KorvelOid("10.76.19.1.26.2.1.1." + std::to_string(nColumn));
}

bool CSurveillanceOui::AddressDigits(const std::string& strAddress, std::string& strDigits)
{
    std::string digits;
    for (char c : strAddress) {
        if (c == '-')
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        digits += c;
    }
    if (digits.size() != 12)
        return false;
    strDigits = digits;
    return true;
}

std::string CSurveillanceOui::MacToOidSuffix(const std::string& strAddress)
{
    std::string digits;
    if (!AddressDigits(strAddress, digits))
        return std::string();
    std::string suffix;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        suffix += "." + std::to_string(std::stoi(digits.substr(i, 2), nullptr, 16));
    return suffix;
}

std::string CSurveillanceOui::OctetsText(std::string_view octets)
{
    std::string text;
    char pair[4];
    for (std::size_t i = 0; i < 6; ++i) {
        const unsigned value = i < octets.size() ? static_cast<unsigned char>(octets[i]) : 0U;
        std::snprintf(pair, sizeof pair, i == 0 ? "%02X" : "-%02X", value);
        text += pair;
    }
    return text;
}

std::string CSurveillanceOui::Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool CSurveillanceOui::SameText(const std::string& a, const std::string& b)
{
    return Upper(a) == Upper(b);
}

bool CSurveillanceOui::ListAdmits(CListCtrl& list, int nColumn, const std::string& strDigits,
                                  bool (*isDefaultRow)(const std::string& strRowText))
{
    int nUserRows = 0;
    const int nRows = list.GetItemCount();
    for (int nRow = 0; nRow < nRows; ++nRow) {
        std::string strRowText = list.GetItemText(nRow, nColumn);
        if (!isDefaultRow(strRowText))
            ++nUserRows;
        strRowText.erase(std::remove(strRowText.begin(), strRowText.end(), '-'), strRowText.end());
        if (SameText(strRowText, strDigits)) {
            AfxMessageBox("The OUI is already exist!");
            return false;
        }
    }
    if (nUserRows >= kMaxUserRows) {
        AfxMessageBox("OUI Table is full,Maximum user defined OUI is 5.");
        return false;
    }
    return true;
}

void CSurveillanceOui::ShowRows(CListCtrl& list, const Rows& rows)
{
    list.DeleteAllItems();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int nRow = static_cast<int>(i);
        list.InsertItem(nRow, std::to_string(nRow + 1));
        for (std::size_t c = 0; c < rows[i].size(); ++c)
            list.SetItemText(nRow, static_cast<int>(c) + 1, rows[i][c]);
    }
}

bool CSurveillanceOui::AddRow(CCommonSNMP& session, const std::string& strSuffix, const std::string& strDescriptionUtf8,
                              const std::string* pType, bool bOuiMask, CWriteReport& report)
{
    if (strSuffix.empty())
        return false;
    session.Open(SnmpPduSet);
    session.AddValue(Column(kRowStatusColumn) + strSuffix, SnmpValueInteger, "4");
    // A row that was not created here is not ours to fill (it may be one the
    // switch holds already).
    if (!report.Send(session, "the new OUI entry")) {
        report.SetProgress("Nothing was written.");
        return false;
    }
    Sleep(kPauseMs);

    session.Open(SnmpPduSet);
    session.AddValueLen(Column(2) + strSuffix, SnmpValueOctetString, strDescriptionUtf8.data(),
                        static_cast<int>(strDescriptionUtf8.size()));
    if (pType != nullptr)
        session.AddValue(Column(4) + strSuffix, SnmpValueInteger, *pType);
    if (bOuiMask)
        session.AddValueLen(Column(3) + strSuffix, SnmpValueOctetString, kOuiMask, static_cast<int>(sizeof kOuiMask));
    if (report.Send(session, "the settings of the new OUI entry"))
        return true;
    // Without its settings the row is only half made: take it away again,
    // unless the switch has stopped answering (that would cost one more
    // time-out).
    if (report.TimedOut()) {
        report.SetProgress("The entry was created without its settings.");
        return false;
    }
    CWriteReport removal;
    report.SetProgress(DeleteRow(session, strSuffix, removal)
                           ? "The entry was created and taken away again."
                           : "The entry was created without its settings and could not be taken away again.");
    return false;
}

bool CSurveillanceOui::DeleteRow(CCommonSNMP& session, const std::string& strSuffix, CWriteReport& report)
{
    if (strSuffix.empty())
        return false;
    session.Open(SnmpPduSet);
    session.AddValue(Column(kRowStatusColumn) + strSuffix, SnmpValueInteger, "6");
    return report.Send(session, "the deletion of the OUI entry");
}
