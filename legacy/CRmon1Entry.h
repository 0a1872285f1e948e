// "RMON 1 Control": the index, interface and owner of a new Ethernet
// statistics row. OK takes the texts only when Index and Interface are
// decimal numbers; otherwise a message says so and the dialog stays open.
#pragma once

#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CRmon1Entry : public CDialog
{
public:
    explicit CRmon1Entry(CWnd* pParent = nullptr);

    // A row index or interface number: decimal digits, 1 to 2147483647.
    static bool IsRowNumber(const std::string& text);

    CEdit m_editProperty;
    CEdit m_editIndex;
    CEdit m_editInterface;
    std::string m_strProperty = "Nimbex";
    std::string m_strInterface;
    std::string m_strIndex;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
