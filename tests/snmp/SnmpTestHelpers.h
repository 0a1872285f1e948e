// Small helpers of the SNMP library tests.
#pragma once

#include "platform/snmp/CSnmp.h"
#include "platform/snmp/CSnmpV1.h"
#include "platform/snmp/CSnmpV3.h"
#include "tests/support/SimulatorFixture.h"

#include <memory>
#include <string>

inline std::string TypesData()
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/snmp/types.snmprec";
}

inline std::unique_ptr<CSnmpV1> V1(int pduType, const std::string& community = "mirtle")
{
    auto request = std::make_unique<CSnmpV1>(pduType);
    request->setCommunity(community.c_str());
    return request;
}

// An SNMPv3 request for one of the base data file's users.
inline std::unique_ptr<CSnmpV3> V3(int pduType, const std::string& user, int flags, int authArith,
                                   const std::string& authPass, int privArith = -1, const std::string& privPass = "")
{
    auto request = std::make_unique<CSnmpV3>(pduType);
    request->setMsgMaxSize(1024);
    request->setMsgSecurityModel(3);
    request->setUserName(user.c_str());
    request->setMsgFlags(flags);
    if (authArith >= 0) {
        request->setAuthArith(authArith);
        request->setAuthPwd(authPass.c_str(), static_cast<int>(authPass.size()));
    }
    if (privArith >= 0) {
        request->setPriArith(privArith);
        request->setPriPwd(privPass.c_str(), static_cast<int>(privPass.size()));
    }
    return request;
}

inline std::string ValueText(CSnmp* response, int index)
{
    int type = 0;
    char* text = nullptr;
    if (!response || response->getValue(index, &type, &text) != 0)
        return "<none>";
    return text;
}

inline std::string OidText(CSnmp* response, int index)
{
    char* text = nullptr;
    if (!response || response->getOid(index, &text) != 0)
        return "<none>";
    return text;
}

inline int ErrorStatus(CSnmp* response, int* index = nullptr)
{
    int status = -1, errorIndex = 0;
    if (response)
        response->getError(&status, &errorIndex);
    if (index)
        *index = errorIndex;
    return status;
}
