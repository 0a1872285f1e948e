// The dialog the window layer's tests drive: the test template with a message
// map of every kind of entry, data exchange of every kind of value, and a
// record of what its handlers saw.
#pragma once

#include "platform/ui/WindowLayer.h"
#include "resources/test.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr UINT WM_TEST_NOTIFY = WM_USER + 7;
inline constexpr int IDC_TEST_PORT_BASE = 2001;
inline constexpr int IDC_TEST_RUNTIME_LIST = 3000;
extern UINT g_uTestRegisteredMsg;

class TestDialog : public CDialog
{
public:
    explicit TestDialog(UINT templateId = IDD_UI_TEST, CWnd* pParent = nullptr);

    // Exchanged with the controls.
    std::string m_strName;
    int m_nVid = 1;
    int m_nEnable = 0;
    int m_nState = 0;
    int m_nMode = -1;
    std::string m_strSpeed;
    DWORD m_dwServer = 0;
    CListCtrl m_list;
    CComboBox m_comboMode;

    // What the handlers saw.
    int refreshes = 0;
    int applies = 0;
    int nameChanges = 0;
    int modeChanges = 0;
    int destroys = 0;
    std::vector<UINT> portClicks;
    std::vector<NMITEMACTIVATE> listClicks;
    std::vector<NMITEMACTIVATE> listDoubleClicks;
    std::vector<NMLISTVIEW> itemChanges;
    std::vector<std::pair<WORD, int>> keyDowns; // key, selected row when it came
    std::vector<int> columnClicks;
    std::vector<UINT_PTR> timerTicks;
    std::vector<UINT> windowProcMessages;

    // Runs at the end of OnInitDialog.
    std::function<void(TestDialog&)> onInit;
    // Called from OnRefresh.
    std::function<void()> onRefresh;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnRefresh();
    void OnApply();
    void OnPortCheck(UINT nID);
    void OnNameChange();
    void OnModeChange();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnTestNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnRegistered(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()
};

// The test dialog made modeless (in a Qt application) and shown for the length of a test.
struct OpenTestDialog
{
    explicit OpenTestDialog(UINT templateId = IDD_UI_TEST);
    ~OpenTestDialog();
    TestDialog dialog;
};
