#include "legacy/C8021Status.h"

#include "resources/legacy.h"

C8021Status::C8021Status(CWnd* pParent) : CLegacyFrame(IDD_8021X_STATUS, pParent)
{
    m_nListId = IDC_8021X_STATUS_LIST;
    m_nRefreshId = IDC_LEGACY_REFRESH_8021X;
    m_bRefreshEmpties = true;
    m_strCaption = "802.1x Statistic Information";
    m_headings = {"EapolFramesRx",        "EapolFramesTx",          "EapolStartFramesRx",  "EapolLogoffFramesRx",
                  "EapolRespIdFramesRx",  "EapolRespFramesRx",      "EapolReqIdFramesTx",  "EapolReqFramesTx",
                  "InvalidEapolFramesRx", "EapLengthErrorFramesRx", "LastEapolFrameVersion", "LastEapolFrameSource"};
    for (int column = 1; column <= 12; ++column)
        m_columnOids.push_back("1.0.8802.1.1.1.1.2.2.1." + std::to_string(column));
}
