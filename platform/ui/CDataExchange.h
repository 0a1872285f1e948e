// Dialog data exchange: DoDataExchange calls the DDX_ functions for each
// control, and the DDV_ checks right after the DDX_ of the value they check.
// UpdateData(FALSE) moves the members into the controls, UpdateData(TRUE) the
// controls into the members; a value that does not parse or fails a check is
// reported in a message box, its control gets the focus, nothing after it is
// exchanged and UpdateData returns FALSE. An id the dialog has no control for
// is passed over.
//
//   void CMyDlg::DoDataExchange(CDataExchange* pDX)
//   {
//       CDialog::DoDataExchange(pDX);
//       DDX_Control(pDX, IDC_LIST, m_list);       // bind a member to a control
//       DDX_Text(pDX, IDC_NAME, m_strName);
//       DDV_MaxChars(pDX, m_strName, 20);
//       DDX_Text(pDX, IDC_VID, m_nVid);
//       DDV_MinMaxInt(pDX, m_nVid, 1, 4094);
//       DDX_Check(pDX, IDC_ENABLE, m_bEnable);
//       DDX_Radio(pDX, IDC_ON, m_nState);          // first radio button of the group
//       DDX_CBIndex(pDX, IDC_MODE, m_nMode);
//   }
#pragma once

#include "platform/system/WinTypes.h"

#include <string>

class CWnd;

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control with this id (remembered for the DDV_ check that follows),
    // or null when the dialog has none.
    CWnd* PrepareCtrl(int nIDC);
    CWnd* PrepareEditCtrl(int nIDC);
    // Refuses the exchange: the last control gets the focus, nothing more is exchanged.
    void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    bool m_bFailed = false;
    int m_idLastControl = 0;
    bool m_bEditLastControl = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// Check boxes: 0 clear, 1 ticked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The radio group that starts at nIDC: index of the checked button, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Saving: the combo's text. Loading: selects the first item that begins with
// the value (an editable combo shows the value when none does).
void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value);
// Loading selects only an item equal to the value.
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, std::string& value);
void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value);

// Saving: refuses a longer text. Loading: limits the last control to nChars.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
