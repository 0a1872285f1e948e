// What the legacy per-port dialogs share: the From Port and To Port boxes,
// and the walk of a per-port table whose rows are shown whole at its end.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CListCtrlEx.h"
#include "legacy/CLegacyTrunkGroups.h"
#include "platform/ui/CComboBox.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CLegacyPortRange
{
public:
    // Fills both boxes with "1" to the port count, the first port chosen in
    // From Port and the last in To Port.
    static void FillPortBoxes(CComboBox& from, CComboBox& to);
    // To Port below From Port: says so and, once the box is closed, chooses
    // the From Port entry in To Port.
    static void CheckToPort(CComboBox& from, CComboBox& to);
    // Waits for a running trunk walk; the first port of first..last that is
    // in an aggregated link, 0 when none is, or -1 (with a message shown)
    // when no trunk walk has read the whole table.
    static int FirstTrunkPort(CLegacyTrunkGroups& trunks, int nFirst, int nLast);
};

// A GETNEXT walk of a per-port table: each row goes to the port its index
// names (rows of a port the switch cannot have are skipped); at the end of
// the table the rows replace the list's whole, in port order. The walk's end
// is sent to the owner window: WM_WALK_FINISHED when it read the whole table,
// WM_WALK_FAILED otherwise; the owner's handler of the first calls ShowRows.
class CLegacyPortWalk
{
public:
    // Turns a row's values (one per column) into the list's texts.
    using RowTexts = std::function<std::vector<std::string>(CSnmp* pResponse)>;

    CLegacyPortWalk(CWnd& owner, CListCtrlEx& list, RowTexts texts);
    ~CLegacyPortWalk();

    void Start(const std::vector<std::string>& columns);
    void Close() { m_cCommonSNMPTable.Close(); }
    // On the UI thread: the rows of the walk that read the whole table.
    void ShowRows();

private:
    static int OnRow(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    CWnd& m_owner;
    CListCtrlEx& m_list;
    RowTexts m_texts;
    std::mutex m_csRows;
    std::map<int, std::vector<std::string>> m_RowsBuilding;
    CCommonSNMP m_cCommonSNMPTable;
};
