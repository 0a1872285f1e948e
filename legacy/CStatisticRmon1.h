// "RMON 1 Statistic Info": the rows of the RMON Ethernet statistics table
// (etherStatsTable) with the interface each watches, over SNMPv1 only. Add
// creates a row through the entry dialog, Delete removes the selected one,
// Parameter and Interface (or a double click on a row) open the counter
// views. A frame dialog in the heap form.
#pragma once

#include "legacy/CLegacyFrame.h"

#include <string>
#include <vector>

class CStatisticRmon1 : public CLegacyFrame
{
public:
    explicit CStatisticRmon1(CWnd* pParent = nullptr);

    // The text column 1 shows for a data source: "Interface #" and what
    // follows "2.2.1.1." in it, or the data source as received.
    static std::string InterfaceText(const std::string& dataSource);

    // The etherStatsIndex of each list row (its own row index), in list
    // order (row k at k).
    std::vector<std::string> m_strIndexList;
    int m_nIndexCount = 0;
    int m_nIfNumber = 0; // ifNumber, 0 until read
    int m_nPort = 1;     // the port of the last clicked row

protected:
    BOOL OnInitDialog() override;
    void OnRefresh() override;
    void EmptyList() override;
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
    bool ShowReply(CSnmp& reply, bool stopAtHole) override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadEnded() override;

    void ReadIfNumber();
    void OnAdd();
    void OnDelete();
    void OnParameter();
    void OnInterface();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);

    // Runs the entry dialog; false unless it ended with OK.
    virtual bool AskEntry(std::string& index, std::string& interfaceNumber, std::string& property);
    // Runs a counter view over this dialog.
    virtual void RunView(CDialog& view);

    int SelectedRow() const;

private:
    // The index list of the last complete read, beside the frame's rows.
    std::vector<std::string> m_lastIndexList;

    DECLARE_MESSAGE_MAP()
};
