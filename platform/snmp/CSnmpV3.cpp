#include "platform/snmp/CSnmpV3.h"

#include "platform/snmp/SnmpMessage.h"

namespace {
std::string Bytes(const void* data, int length)
{
    return data && length > 0 ? std::string(static_cast<const char*>(data), static_cast<size_t>(length))
                              : std::string();
}
} // namespace

CSnmpV3::CSnmpV3(int pduType) : CSnmp(pduType)
{
    message().version = 3;
}

void CSnmpV3::setMsgMaxSize(int size)
{
    message().msgMaxSize = size;
}

void CSnmpV3::setMsgSecurityModel(int model)
{
    message().securityModel = model;
}

void CSnmpV3::setUserName(const char* name)
{
    message().userName = name ? name : "";
}

void CSnmpV3::setMsgFlags(int flags)
{
    message().msgFlags = flags;
}

void CSnmpV3::setAuthArith(int algorithm)
{
    message().authAlgorithm = algorithm;
}

void CSnmpV3::setAuthPwd(const unsigned char* password, int length)
{
    message().authPassword = Bytes(password, length);
}

void CSnmpV3::setAuthPwd(const char* password, int length)
{
    message().authPassword = Bytes(password, length);
}

void CSnmpV3::setPriArith(int algorithm)
{
    message().privAlgorithm = algorithm;
}

void CSnmpV3::setPriPwd(const unsigned char* password, int length)
{
    message().privPassword = Bytes(password, length);
}

void CSnmpV3::setPriPwd(const char* password, int length)
{
    message().privPassword = Bytes(password, length);
}
