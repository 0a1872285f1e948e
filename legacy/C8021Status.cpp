#include "legacy/C8021Status.h"

#include "common/CModuleBase.h"
#include "legacy/LegacyWords.h"
#include "resources/legacy.h"

C8021Status::C8021Status(CWnd* pParent) : CLegacyFrame(IDD_8021X_STATUS, pParent)
{
    m_nListId = IDC_8021X_STATUS_LIST;
    m_strListWhat = "the 802.1X statistics";
    m_nRefreshId = IDC_LEGACY_REFRESH_8021X;
    m_bRefreshEmpties = true;
    m_bRowPerPort = true;
    m_strCaption = "802.1x Statistic Information";
    m_headings = {"EapolFramesRx",        "EapolFramesTx",          "EapolStartFramesRx",  "EapolLogoffFramesRx",
                  "EapolRespIdFramesRx",  "EapolRespFramesRx",      "EapolReqIdFramesTx",  "EapolReqFramesTx",
                  "InvalidEapolFramesRx", "EapLengthErrorFramesRx", "LastEapolFrameVersion", "LastEapolFrameSource"};
    for (int column = 1; column <= 12; ++column)
        m_columnOids.push_back("1.0.8802.1.1.1.1.2.2.1." + std::to_string(column));
}

std::vector<LegacyCell> C8021Status::BindingCells(CSnmp& reply, int binding)
{
    if (binding != 11)
        return CLegacyFrame::BindingCells(reply, binding);
    // The source address, all six bytes, NUL bytes included; a value of
    // another type is no address and shows empty.
    std::string bytes;
    CModuleBase::OctetValue(&reply, 11, bytes);
    return {{11, legacy::PhysAddressText(bytes)}};
}
