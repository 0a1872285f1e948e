#include "legacy/CDeviceInfo.h"

#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "resources/legacy.h"

CDeviceInfo::CDeviceInfo(CWnd* pParent) : CLegacyFrame(IDD_DEVICE_INFO, pParent)
{
    m_nListId = IDC_DEVICE_POWER_LIST;
    m_strListWhat = "the power supply list";
    m_nRefreshId = IDC_LEGACY_REFRESH_V3;
    m_bReadOnInit = false;
    m_headings = {" Description      ", " State     ", " Source            "};
    for (int column = 2; column <= 4; ++column)
        m_columnOids.push_back(KorvelOid("10.94.89.89.83.1.2.1." + std::to_string(column)));
}

void CDeviceInfo::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DEVICE_HTTP_PORT, m_editHttpPort);
    DDX_Control(pDX, IDC_DEVICE_PORT_COUNT, m_editPortCount);
    DDX_Control(pDX, IDC_DEVICE_USER_PORT, m_editUserPort);
    DDX_Control(pDX, IDC_DEVICE_LOOPBACK_PORT, m_editLoopbackPort);
}

BOOL CDeviceInfo::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    ReadPortInfo();
    RefreshTable();
    return TRUE;
}

void CDeviceInfo::OnRefresh()
{
    m_readReport.Begin();
    ReadPortInfo();
    RefreshTable();
}

void CDeviceInfo::ReadPortInfo()
{
    ReadScalars(0, {KorvelOid("10.94.89.89.66.10.0"), KorvelOid("10.94.89.89.54.2.0"),
                    KorvelOid("10.94.89.89.54.5.0"), KorvelOid("10.94.89.89.54.7.0")});
}

void CDeviceInfo::OnScalarsRead(int, CSnmp& reply, bool stopAtHole)
{
    CEdit* const boxes[] = {&m_editHttpPort, &m_editPortCount, &m_editUserPort, &m_editLoopbackPort};
    for (int i = 0; i < 4 && i < reply.getVarBindCount(); ++i) {
        if (stopAtHole && !HasValueText(reply, i))
            return;
        boxes[i]->SetWindowText(ValueText(reply, i));
    }
}

void CDeviceInfo::OnScalarsFailed(int)
{
    // The boxes keep what they showed.
    m_readReport.Fail("the port information", !m_editPortCount.GetWindowText().empty());
}

std::string CDeviceInfo::SourceWord(const std::string& value, int snmpVersion)
{
    static const char* const kV1[] = {"Unknown", "AC", "DC", "External PowerSupply", "Internal Redundant"};
    static const char* const kV3[] = {"unknown", "ac", "dc", "externalPowerSupply", "internalRedundant"};
    for (int i = 0; i < 5; ++i)
        if (value == std::to_string(i + 1))
            return snmpVersion == 3 ? kV3[i] : kV1[i];
    return snmpVersion == 3 ? "other" : "Other";
}

std::vector<LegacyCell> CDeviceInfo::BindingCells(CSnmp& reply, int binding)
{
    if (binding == 2)
        return {{2, SourceWord(ValueText(reply, 2), m_nSnmpVersion)}};
    return CLegacyFrame::BindingCells(reply, binding);
}
