// A progress bar. The position stays within the range (0 to 100 until SetRange).
#pragma once

#include "platform/ui/CWnd.h"

class CProgressCtrl : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    // Each returns the position before.
    int SetPos(int nPos);
    int GetPos() const;
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
};
