// A dialog built from a dialog template of the resource scripts.
//
//   class CTrunkDlg : public CDialog
//   {
//   public:
//       explicit CTrunkDlg(CWnd* pParent = nullptr) : CDialog(IDD_TRUNK, pParent) {}
//   protected:
//       void DoDataExchange(CDataExchange* pDX) override;   // DDX_Control, DDX_Text, ...
//       BOOL OnInitDialog() override;                        // call CDialog::OnInitDialog() first
//       void OnRefresh();
//       DECLARE_MESSAGE_MAP()
//   };
//
// DoModal creates the window hidden with every control of the template, runs
// OnInitDialog (whose CDialog part binds the members by DoDataExchange), shows
// the window, serves it until EndDialog, then runs the virtual DestroyWindow
// and returns EndDialog's value. Enter sends the default button's command (the
// focused push button's, or IDOK when there is no default button); Escape and
// the close box send IDCANCEL; IDOK runs OnOK, IDCANCEL OnCancel.
#pragma once

#include "platform/ui/CWnd.h"

class CDialog : public CWnd
{
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or EndDialog's value; -1 when the template does not exist.
    virtual INT_PTR DoModal();
    // A modeless dialog, shown when its template has WS_VISIBLE.
    using CWnd::Create;
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    // Dialog units to pixels, with the metrics of the dialog's font.
    void MapDialogRect(LPRECT lpRect) const;
    // The template the dialog is built from.
    UINT GetTemplateId() const { return m_nIDTemplate; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    UINT m_nIDHelp = 0;

protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    INT_PTR RunModal();
    BOOL CreateWindowFromTemplate(UINT nIDTemplate, CWnd* pParentWnd);

    int m_nModalResult = -1;
    bool m_bEnded = false;
    bool m_bModal = false; // while DoModal creates the window
};
