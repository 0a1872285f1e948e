#include "legacy/CEngineInfo.h"

#include "legacy/LegacyWords.h"
#include "platform/ui/CDataExchange.h"
#include "resources/legacy.h"

CEngineInfo::CEngineInfo(CWnd* pParent) : CLegacyFrame(IDD_ENGINE_INFO, pParent)
{
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_nWalkPduType = SnmpPduGet;
    m_strListWhat = "the engine information";
    m_columnOids = {"1.3.6.1.6.3.10.2.1.1.0", "1.3.6.1.6.3.10.2.1.2.0", "1.3.6.1.6.3.10.2.1.3.0",
                    "1.3.6.1.6.3.10.2.1.4.0"};
}

void CEngineInfo::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENGINE_ID, m_editEngineId);
    DDX_Control(pDX, IDC_ENGINE_BOOTS, m_editBoots);
    DDX_Control(pDX, IDC_ENGINE_TIME, m_editTime);
    DDX_Control(pDX, IDC_ENGINE_MAX_MSG_SIZE, m_editMaxMsgSize);
}

bool CEngineInfo::ShowReply(CSnmp& reply, bool stopAtHole)
{
    CEdit* const edits[] = {&m_editEngineId, &m_editBoots, &m_editTime, &m_editMaxMsgSize};
    for (int i = 0; i < 4 && i < reply.getVarBindCount(); ++i) {
        if (stopAtHole && !HasValueText(reply, i))
            return false;
        edits[i]->SetWindowText(i == 0 ? legacy::HexBytes(ValueBytes(reply, 0)) : ValueText(reply, i));
    }
    return true;
}
