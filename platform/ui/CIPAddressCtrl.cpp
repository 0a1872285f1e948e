#include "platform/ui/CIPAddressCtrl.h"

#include "platform/ui/IpAddressWidget.h"
#include "platform/ui/WindowAccess.h"

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_IPADDRESS, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CIPAddressCtrl::SetAddress(DWORD dwAddress)
{
    SetAddress(static_cast<BYTE>(dwAddress >> 24), static_cast<BYTE>(dwAddress >> 16),
               static_cast<BYTE>(dwAddress >> 8), static_cast<BYTE>(dwAddress));
}

void CIPAddressCtrl::SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3)
{
    OnWidget<IpAddressWidget>(this, [&](IpAddressWidget* ip, WindowRecord&) {
        ip->SetFields({nField0, nField1, nField2, nField3});
    });
}

int CIPAddressCtrl::GetAddress(DWORD& dwAddress) const
{
    BYTE f[4] = {0, 0, 0, 0};
    const int filled = GetAddress(f[0], f[1], f[2], f[3]);
    dwAddress =
        (static_cast<DWORD>(f[0]) << 24) | (static_cast<DWORD>(f[1]) << 16) | (static_cast<DWORD>(f[2]) << 8) | f[3];
    return filled;
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const
{
    const auto fields = OnWidget<IpAddressWidget>(this, std::array<int, 4>{-1, -1, -1, -1},
                                                  [](IpAddressWidget* ip, WindowRecord&) { return ip->Fields(); });
    BYTE* out[4] = {&nField0, &nField1, &nField2, &nField3};
    int filled = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        *out[i] = static_cast<BYTE>(fields[i] < 0 ? 0 : fields[i]);
        filled += fields[i] < 0 ? 0 : 1;
    }
    return filled;
}

void CIPAddressCtrl::ClearAddress()
{
    OnWidget<IpAddressWidget>(this, [](IpAddressWidget* ip, WindowRecord&) { ip->SetFields({-1, -1, -1, -1}); });
}

BOOL CIPAddressCtrl::IsBlank() const
{
    DWORD ignored = 0;
    return GetAddress(ignored) == 0 ? TRUE : FALSE;
}

void CIPAddressCtrl::SetFieldFocus(WORD nField)
{
    OnWidget<IpAddressWidget>(this, [&](IpAddressWidget* ip, WindowRecord&) { ip->SetFieldFocus(nField); });
}

void CIPAddressCtrl::SetFieldRange(int nField, BYTE nLower, BYTE nUpper)
{
    OnWidget<IpAddressWidget>(this,
                              [&](IpAddressWidget* ip, WindowRecord&) { ip->SetFieldRange(nField, nLower, nUpper); });
}
