#include "common/CWriteReport.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/SnmpStatus.h"
#include "platform/ui/MessageBox.h"

#include <memory>

bool CWriteReport::Send(CCommonSNMP& session, const std::string& strWhat, int nTimeout)
{
    if (Failed())
        return false;
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = session.send(pResponse, nTimeout);
    return Check(nStatus, pResponse.get(), strWhat);
}

bool CWriteReport::Check(int nSendStatus, CSnmp* pResponse, const std::string& strWhat)
{
    if (Failed())
        return false;
    if (nSendStatus != SnmpStatusOk || pResponse == nullptr) {
        Silent(strWhat);
        return false;
    }
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0) {
        Refused(strWhat, nErrorStatus);
        return false;
    }
    return true;
}

void CWriteReport::Refused(const std::string& strWhat, int nErrorStatus)
{
    if (Failed())
        return;
    m_result = Result::Refused;
    m_nErrorStatus = nErrorStatus;
    m_strWhat = strWhat;
}

void CWriteReport::Silent(const std::string& strWhat)
{
    if (Failed())
        return;
    m_result = Result::Silent;
    m_strWhat = strWhat;
}

void CWriteReport::SetProgress(const std::string& strProgress)
{
    m_strProgress = strProgress;
}

std::string CWriteReport::Text() const
{
    if (!Failed())
        return std::string();
    std::string strText = "Could not write " + m_strWhat + ": ";
    strText += m_result == Result::Silent ? std::string("the switch did not answer.")
                                          : "the switch refused it (" + ErrorWords(m_nErrorStatus) + ").";
    if (!m_strProgress.empty())
        strText += "\n" + m_strProgress;
    return strText;
}

bool CWriteReport::Report(const std::string& strOwnText)
{
    if (!Failed())
        return false;
    if (m_bSaid)
        return true;
    m_bSaid = true;
    if (strOwnText.empty()) {
        AfxMessageBox(Text(), MB_OK | MB_ICONEXCLAMATION);
    } else {
        std::string strText = strOwnText;
        if (m_result == Result::Silent)
            strText += "\nThe switch did not answer.";
        if (!m_strProgress.empty())
            strText += "\n" + m_strProgress;
        AfxMessageBox(strText, MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}

std::string CWriteReport::ErrorWords(int nErrorStatus)
{
    switch (nErrorStatus) {
    case 1: return "too big";
    case 2: return "no such object";
    case 3: return "bad value";
    case 4: return "read-only";
    case 5: return "general error";
    case 6: return "no access";
    case 7: return "wrong type";
    case 8: return "wrong length";
    case 9: return "wrong encoding";
    case 10: return "wrong value";
    case 11: return "cannot be created";
    case 12: return "inconsistent value";
    case 13: return "resource unavailable";
    case 14: return "commit failed";
    case 15: return "undo failed";
    case 16: return "not authorised";
    case 17: return "not writable";
    case 18: return "inconsistent name";
    default: return "error " + std::to_string(nErrorStatus);
    }
}

std::string CWriteReport::PortProgress(const std::string& strNoun, int nFirst, int nFailed)
{
    if (nFailed <= nFirst)
        return "Nothing was written.";
    std::string strSingular = strNoun;
    if (!strSingular.empty() && strSingular.back() == 's')
        strSingular.pop_back();
    std::string strLower = strSingular;
    if (!strLower.empty() && strLower[0] >= 'A' && strLower[0] <= 'Z')
        strLower[0] = static_cast<char>(strLower[0] - 'A' + 'a');
    const std::string strFailed = strLower + " " + std::to_string(nFailed) + " and later were not.";
    if (nFailed - 1 == nFirst)
        return strSingular + " " + std::to_string(nFirst) + " was written; " + strFailed;
    return strNoun + " " + std::to_string(nFirst) + "-" + std::to_string(nFailed - 1) + " were written; " + strFailed;
}

std::string CWriteReport::SequenceProgress(const std::vector<std::string>& written)
{
    if (written.empty())
        return "Nothing was written.";
    std::string strText;
    for (size_t i = 0; i < written.size(); ++i) {
        if (i > 0)
            strText += i + 1 == written.size() ? " and " : ", ";
        strText += written[i];
    }
    if (strText[0] >= 'a' && strText[0] <= 'z')
        strText[0] = static_cast<char>(strText[0] - 'a' + 'A');
    return strText +
           (written.size() == 1 ? " was written; nothing after it was." : " were written; nothing after them was.");
}
