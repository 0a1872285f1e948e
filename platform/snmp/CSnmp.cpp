#include "platform/snmp/CSnmp.h"

#include "platform/snmp/SnmpMessage.h"

#include <arpa/inet.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// A whole decimal number, surrounding blanks allowed.
bool ParseWhole(const char* text, long long& out)
{
    if (!text)
        return false;
    errno = 0;
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    if (end == text || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0';
}

void Touch(SnmpMessage& m)
{
    ++m.generation;
}

} // namespace

CSnmp::CSnmp(int pduType) : m(std::make_unique<SnmpMessage>())
{
    m->pduType = pduType;
    m->channel = SnmpNewChannel();
}

CSnmp::CSnmp(const CSnmp& other) : m(std::make_unique<SnmpMessage>(*other.m))
{
    m->channel = SnmpNewChannel();
}

CSnmp& CSnmp::operator=(const CSnmp& other)
{
    if (this != &other) {
        unsigned generation = m->generation;
        auto channel = std::move(m->channel);
        *m = *other.m;
        m->generation = generation + 1;
        m->channel = channel ? std::move(channel) : SnmpNewChannel();
    }
    return *this;
}

CSnmp::~CSnmp() = default;

void CSnmp::setType(int pduType)
{
    m->pduType = pduType;
    Touch(*m);
}

int CSnmp::getType() const
{
    return m->pduType;
}

void CSnmp::clearVarBindList()
{
    m->bindings.clear();
    m->invalidBinding = false;
    Touch(*m);
}

int CSnmp::addValue(const char* oid, int type, const char* value)
{
    if (type == SnmpValueOctetString)
        return addValue(oid, type, value, value ? static_cast<int>(std::strlen(value)) : 0);
    return addValue(oid, type, static_cast<const void*>(value), -1);
}

int CSnmp::addValue(const char* oid, int type, const void* data, int length)
{
    Touch(*m);
    SnmpBinding b;
    bool ok = SnmpParseOid(oid, b.name);
    const char* text = static_cast<const char*>(data);
    long long number = 0;
    switch (type) {
    case SnmpValueInteger:
        ok = ok && ParseWhole(text, number) && number >= INT32_MIN && number <= INT32_MAX;
        b.type = 0x02;
        b.number = number;
        break;
    case SnmpValueUnsigned:
        ok = ok && ParseWhole(text, number) && number >= 0 && number <= UINT32_MAX;
        b.type = 0x42;
        b.number = number;
        break;
    case SnmpValueOctetString:
        ok = ok && length >= 0 && (data || length == 0);
        b.type = 0x04;
        if (ok && length > 0)
            b.bytes.assign(text, static_cast<size_t>(length));
        break;
    case SnmpValueObjectId:
        ok = ok && SnmpParseOid(text, b.oidValue);
        b.type = 0x06;
        break;
    case SnmpValueNull:
        b.type = 0x05;
        break;
    case SnmpValueIpAddress: {
        in_addr addr{};
        ok = ok && text && inet_pton(AF_INET, text, &addr) == 1;
        b.type = 0x40;
        b.bytes.assign(reinterpret_cast<const char*>(&addr), 4);
        break;
    }
    default:
        ok = false;
        break;
    }
    if (!ok) {
        m->invalidBinding = true;
        return -1;
    }
    b.nameText = SnmpOidText(b.name);
    m->bindings.push_back(std::move(b));
    return 0;
}

int CSnmp::getVarBindCount() const
{
    return static_cast<int>(m->bindings.size());
}

int CSnmp::getOid(int index, char** oid)
{
    static char empty[] = "";
    if (index < 0 || index >= getVarBindCount()) {
        if (oid)
            *oid = empty;
        return -1;
    }
    if (oid)
        *oid = m->bindings[static_cast<size_t>(index)].nameText.data();
    return 0;
}

int CSnmp::getValue(int index, int* type, char** value)
{
    static char empty[] = "";
    if (index < 0 || index >= getVarBindCount()) {
        if (type)
            *type = 0;
        if (value)
            *value = empty;
        return -1;
    }
    SnmpBinding& b = m->bindings[static_cast<size_t>(index)];
    if (type)
        *type = b.type;
    if (value)
        *value = b.valueText.data();
    return 0;
}

int CSnmp::getValueBytes(int index, int* type, void** data, int* length)
{
    if (data)
        *data = nullptr;
    if (length)
        *length = 0;
    if (index < 0 || index >= getVarBindCount()) {
        if (type)
            *type = 0;
        return -1;
    }
    const SnmpBinding& b = m->bindings[static_cast<size_t>(index)];
    if (type)
        *type = b.type;
    const bool raw = b.type == 0x04 || b.type == 0x40 || b.type == 0x44 || b.type == 0x03;
    const std::string& bytes = raw ? b.bytes : b.valueText;
    if (b.isException() || b.type == 0x05 || bytes.empty() || !data)
        return 0;
    void* block = std::malloc(bytes.size());
    if (!block)
        return -1;
    std::memcpy(block, bytes.data(), bytes.size());
    *data = block;
    if (length)
        *length = static_cast<int>(bytes.size());
    return 0;
}

int CSnmp::getError(int* errorStatus, int* errorIndex)
{
    if (errorStatus)
        *errorStatus = m->errorStatus;
    if (errorIndex)
        *errorIndex = m->errorIndex;
    return 0;
}

int CSnmp::getRequestID() const
{
    return m->requestId;
}

int CSnmp::send(const char* host, CSnmp*& response, unsigned long timeout)
{
    response = nullptr;
    auto reply = std::make_unique<CSnmp>();
    int status = SnmpExchange(*m, host, timeout, reply->message());
    if (status != SnmpStatusOk)
        return SnmpStatusFailed;
    response = reply.release();
    return SnmpStatusOk;
}
