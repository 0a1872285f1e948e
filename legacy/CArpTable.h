// "ARP Information": the switch's IP-to-MAC address translation table
// (ipNetToMediaTable) with the number of entries, and its printout. A frame
// dialog in the heap form: it reads over SNMPv1 only, when it starts and on
// Refresh. The Print button stays hidden; its command prints the list, 35
// rows a page, under a heading and over a page number.
#pragma once

#include "legacy/CLegacyFrame.h"

class CArpTable : public CLegacyFrame
{
public:
    explicit CArpTable(CWnd* pParent = nullptr);

    // A physical address as upper-case hexadecimal pairs joined by colons
    // ("00:1B:2C:3D:4E:5F"; empty for no bytes).
    static std::string PhysAddressText(const std::string& bytes);
    // ipNetToMediaType: "1" Unknown, "2" Illegal, "3" Dynamic, anything else Static.
    static std::string MappingTypeWord(const std::string& value);
    // Rows printed on a page.
    static constexpr int kRowsPerPage = 35;

protected:
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
    void OnPrint();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    // Prints the pages of the list's rows on a context whose job runs; false
    // when a page could not be ended.
    bool PrintPages(CDC& dc, const std::string& title, int rows);
    // The four cells of a row, each padded to the left to its column's width.
    std::string PrintedRow(const std::string& format, int row);
};
