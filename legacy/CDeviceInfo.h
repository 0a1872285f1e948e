// "Device Information": the power supplies of the older branch (description,
// state, source as its word) and four port numbers (web HTTP port, number of
// ports, user-defined port, loopback port), read when the dialog opens and on
// Refresh. A frame dialog in the member form, over SNMPv1 or SNMPv3.
#pragma once

#include "legacy/CLegacyFrame.h"
#include "platform/ui/CEdit.h"

class CDeviceInfo : public CLegacyFrame
{
public:
    explicit CDeviceInfo(CWnd* pParent = nullptr);

    // The word of a power supply's source code: SNMPv1 and SNMPv3 show
    // different texts.
    static std::string SourceWord(const std::string& value, int snmpVersion);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnRefresh() override;
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;
    void OnScalarsRead(int tag, CSnmp& reply, bool stopAtHole) override;
    void OnScalarsFailed(int tag) override;

    // Reads the four port numbers into their boxes.
    void ReadPortInfo();

    CEdit m_editHttpPort;
    CEdit m_editPortCount;
    CEdit m_editUserPort;
    CEdit m_editLoopbackPort;
};
