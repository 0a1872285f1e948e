// An SNMPv3 request with the user-based security model.
//
// Message flags: 0 no authentication and no privacy, 1 authentication,
// 3 authentication and privacy. Authentication algorithm 0 is HMAC-MD5-96,
// 1 HMAC-SHA-96; privacy algorithm 0 is CBC-DES. A request whose flags,
// algorithms or passwords do not make up a usable security level fails with
// SnmpStatusFailed: it is never sent with less security than asked for.
// The authoritative engine is discovered once for the request's session,
// and the localized keys come from a cache of the whole process
// (SnmpKeyCache); a changed password or user is used from the next request
// on.
#pragma once

#include "platform/snmp/CSnmp.h"

class CSnmpV3 : public CSnmp
{
public:
    explicit CSnmpV3(int pduType = SnmpPduGet);
    void setMsgMaxSize(int size);
    void setMsgSecurityModel(int model); // 3: user-based; nothing else is sent
    void setUserName(const char* name);
    void setMsgFlags(int flags);
    void setAuthArith(int algorithm);
    void setAuthPwd(const unsigned char* password, int length);
    void setAuthPwd(const char* password, int length);
    void setPriArith(int algorithm);
    void setPriPwd(const unsigned char* password, int length);
    void setPriPwd(const char* password, int length);
};
