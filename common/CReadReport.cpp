#include "common/CReadReport.h"

#include "platform/ui/MessageBox.h"

namespace
{
std::string Capitalised(std::string strText)
{
    if (!strText.empty() && strText[0] >= 'a' && strText[0] <= 'z')
        strText[0] = static_cast<char>(strText[0] - 'a' + 'A');
    return strText;
}
} // namespace

void CReadReport::Fail(const std::string& strWhat, bool bKeptLast)
{
    if (m_bSaid)
        return;
    m_bSaid = true;
    AfxMessageBox(Text(strWhat, bKeptLast), MB_OK | MB_ICONEXCLAMATION);
}

std::string CReadReport::Text(const std::string& strWhat, bool bKeptLast)
{
    if (bKeptLast)
        return Capitalised(strWhat) + " could not be read again from the switch; the last complete read is shown.";
    return Capitalised(strWhat) + " could not be read from the switch.";
}

void CReadReport::RefuseUnread(const std::string& strWhat)
{
    AfxMessageBox(UnreadText(strWhat), MB_OK);
}

std::string CReadReport::UnreadText(const std::string& strWhat)
{
    return Capitalised(strWhat) + " could not be read from the switch. Press Refresh and try again.";
}
