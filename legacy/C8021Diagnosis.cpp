#include "legacy/C8021Diagnosis.h"

#include "resources/legacy.h"

C8021Diagnosis::C8021Diagnosis(CWnd* pParent) : CLegacyFrame(IDD_8021X_DIAGNOSIS, pParent)
{
    m_nListId = IDC_8021X_DIAGNOSIS_LIST;
    m_strListWhat = "the 802.1X diagnostics";
    m_nRefreshId = IDC_LEGACY_REFRESH_8021X;
    m_bRefreshEmpties = true;
    m_bRowPerPort = true;
    m_strCaption = "802.1x Diagnose Information";
    m_headings = {"EntersConnecting",
                  "EapLogoffsWhileConnecting",
                  "EntersAuthenticating",
                  "AuthSuccessWhileAuthenticating",
                  "AuthTimeoutsWhileAuthenticating",
                  "AuthFailWhileAuthenticating",
                  "AuthReauthsWhileAuthenticating",
                  "AuthEapStartsWhileAuthenticating",
                  "AuthEapLogoffWhileAuthenticating",
                  "AuthReauthsWhileAuthenticated",
                  "AuthEapStartsWhileAuthenticated",
                  "AuthEapLogoffWhileAuthenticated",
                  "BackendResponses",
                  "BackendAccessChallenges",
                  "BackendOtherRequestsToSupplicant",
                  "BackendNonNakResponsesFromSupplicant",
                  "BackendAuthSuccesses",
                  "BackendAuthFails"};
    for (int column = 1; column <= 18; ++column)
        m_columnOids.push_back("1.0.8802.1.1.1.1.2.3.1." + std::to_string(column));
}
