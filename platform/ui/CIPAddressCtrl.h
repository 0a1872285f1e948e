// A four-field IPv4 address control. Addresses as DWORD carry the first field
// in the top byte (10.0.0.5 is 0x0A000005). A blank field reads as 0.
#pragma once

#include "platform/ui/CWnd.h"

class CIPAddressCtrl : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetAddress(DWORD dwAddress);
    void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3);
    // The number of fields that are not blank.
    int GetAddress(DWORD& dwAddress) const;
    int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
    void ClearAddress();
    BOOL IsBlank() const;
    void SetFieldFocus(WORD nField);
    void SetFieldRange(int nField, BYTE nLower, BYTE nUpper);
};
