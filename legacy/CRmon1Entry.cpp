#include "legacy/CRmon1Entry.h"

#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

#include <cctype>

BEGIN_MESSAGE_MAP(CRmon1Entry, CDialog)
END_MESSAGE_MAP()

CRmon1Entry::CRmon1Entry(CWnd* pParent) : CDialog(IDD_RMON1_ENTRY, pParent) {}

bool CRmon1Entry::IsRowNumber(const std::string& text)
{
    if (text.empty() || text.size() > 10)
        return false;
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    const long long value = std::stoll(text);
    return value >= 1 && value <= 2147483647LL;
}

void CRmon1Entry::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RMON1_ENTRY_PROPERTY, m_editProperty);
    DDX_Control(pDX, IDC_RMON1_ENTRY_INDEX, m_editIndex);
    DDX_Control(pDX, IDC_RMON1_ENTRY_INTERFACE, m_editInterface);
    DDX_Text(pDX, IDC_RMON1_ENTRY_PROPERTY, m_strProperty);
    DDX_Text(pDX, IDC_RMON1_ENTRY_INTERFACE, m_strInterface);
    DDX_Text(pDX, IDC_RMON1_ENTRY_INDEX, m_strIndex);
}

BOOL CRmon1Entry::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    return TRUE;
}

void CRmon1Entry::OnOK()
{
    UpdateData(TRUE);
    // Texts that are not numbers would make identifiers the switch cannot
    // mean; the typed texts stay for the user to correct.
    if (!IsRowNumber(m_strIndex) || !IsRowNumber(m_strInterface)) {
        MessageBox("Index and Interface must be decimal numbers.", "RMON 1 Control", MB_OK | MB_ICONWARNING);
        return;
    }
    CDialog::OnOK();
}
