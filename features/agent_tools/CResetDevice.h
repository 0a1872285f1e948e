// The switch's reboot: whether a reboot may be asked for now (no save of the
// configuration and no firmware or configuration transfer in progress), and
// the reboot request itself. Built on the stack by the Reboot command; its
// session copies the connection parameters when it is built.
#pragma once

#include "common/CCommonSNMP.h"
#include "platform/system/WinTypes.h"

class CResetDevice
{
public:
    CResetDevice();
    // Destroys the session (which waits for its worker).
    virtual ~CResetDevice();

    CResetDevice(const CResetDevice&) = delete;
    CResetDevice& operator=(const CResetDevice&) = delete;

    // FALSE while the switch reports a configuration save, a firmware
    // transfer or a configuration transfer in progress; TRUE otherwise, also
    // when the switch cannot be asked.
    BOOL CanReboot();
    // Sends the reboot request; what the switch answers is not looked at.
    void Reboot();

private:
    CCommonSNMP m_cCommonSNMP;
};
