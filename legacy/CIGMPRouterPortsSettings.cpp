#include "legacy/CIGMPRouterPortsSettings.h"

#include "resources/legacy_config.h"

BEGIN_MESSAGE_MAP(CIGMPRouterPortsSettings, CDialog)
END_MESSAGE_MAP()

CIGMPRouterPortsSettings::CIGMPRouterPortsSettings(CWnd* pParent) : CDialog(IDD_LEGACY_IGMP_ROUTER_PORTS, pParent) {}

CIGMPRouterPortsSettings::~CIGMPRouterPortsSettings() = default;

void CIGMPRouterPortsSettings::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}
