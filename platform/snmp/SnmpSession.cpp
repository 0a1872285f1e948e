// The one place that talks to net-snmp. Every request gets a session of its
// own on the single-session API. net-snmp keeps process-wide state (request
// ids, the USM user table, engine times) without locks of its own, so every
// call into it is made under one library lock; the waits for replies are
// made outside it, so requests on different threads overlap.
#include "platform/snmp/SnmpMessage.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/library/snmpusm.h>

#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

std::recursive_mutex& LibraryLock()
{
    static std::recursive_mutex lock;
    return lock;
}

void StartLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        std::lock_guard guard(LibraryLock());
        // No configuration, MIB or state file of the machine or the user is
        // read or written: the program gives every setting itself.
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIBDIRS, "/nonexistent");
        netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_ERRORS, 0);
        // Failures reach the caller as statuses; the library prints nothing.
        snmp_disable_log();
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_NONE, LOG_EMERG);
        init_snmp("korvel-snmp");
    });
}

// Outcome of one exchange, written by the net-snmp call-back.
struct Wait
{
    bool done = false;
    bool report = false;
    netsnmp_pdu* pdu = nullptr; // a copy of the reply
    std::string engineId;       // from a report (engine discovery)
};

int OnReply(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic)
{
    auto* wait = static_cast<Wait*>(magic);
    wait->done = true;
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu) {
        if (pdu->command == SNMP_MSG_REPORT) {
            wait->report = true;
            if (pdu->securityEngineID && pdu->securityEngineIDLen)
                wait->engineId.assign(reinterpret_cast<const char*>(pdu->securityEngineID), pdu->securityEngineIDLen);
        } else {
            wait->pdu = snmp_clone_pdu(pdu);
        }
    }
    return 1;
}

// Lets net-snmp send, resend and read until the call-back ran or the
// deadline passed. The lock is held only inside net-snmp.
bool RunUntilDone(void* sessp, Wait& wait, Clock::time_point deadline)
{
    while (!wait.done) {
        auto now = Clock::now();
        if (now >= deadline)
            return false;
        long waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        int fd = -1;
        {
            std::lock_guard guard(LibraryLock());
            netsnmp_transport* transport = snmp_sess_transport(sessp);
            fd = transport ? transport->sock : -1;
            netsnmp_large_fd_set fds;
            netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
            int numfds = 0;
            int block = 0;
            timeval tv{};
            snmp_sess_select_info2(sessp, &numfds, &fds, &tv, &block);
            netsnmp_large_fd_set_cleanup(&fds);
            if (!block)
                waitMs = std::min<long>(waitMs, tv.tv_sec * 1000L + (tv.tv_usec + 999) / 1000);
        }
        if (fd < 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, static_cast<int>(std::max<long>(waitMs, 0)));
        if (ready < 0 && errno != EINTR)
            return false;
        std::lock_guard guard(LibraryLock());
        if (ready > 0) {
            netsnmp_large_fd_set fds;
            netsnmp_large_fd_set_init(&fds, fd + 1);
            NETSNMP_LARGE_FD_SET(fd, &fds);
            snmp_sess_read2(sessp, &fds);
            netsnmp_large_fd_set_cleanup(&fds);
        } else if (ready == 0) {
            snmp_sess_timeout(sessp);
        }
    }
    return true;
}

// The user with empty name and no engine that answers engine discovery.
void EnsureDiscoveryUser()
{
    if (usm_get_user(nullptr, 0, const_cast<char*>("")))
        return;
    auto* user = static_cast<usmUser*>(calloc(1, sizeof(usmUser)));
    if (!user)
        return;
    user->name = strdup("");
    user->secName = strdup("");
    user->authProtocolLen = OID_LENGTH(usmNoAuthProtocol);
    user->authProtocol = snmp_duplicate_objid(usmNoAuthProtocol, user->authProtocolLen);
    user->privProtocolLen = OID_LENGTH(usmNoPrivProtocol);
    user->privProtocol = snmp_duplicate_objid(usmNoPrivProtocol, user->privProtocolLen);
    usm_add_user(user);
}

bool SameBytes(const u_char* a, size_t aLen, const u_char* b, size_t bLen)
{
    return aLen == bLen && (aLen == 0 || std::memcmp(a, b, aLen) == 0);
}

// The USM table keeps one entry per engine and user, made by the first
// request; a later request of the same user with other protocols or
// passwords brings that entry up to date, so that each request goes out with
// exactly the keys it was given.
bool UpdateUser(netsnmp_session* s)
{
    usmUser* user = usm_get_user(s->securityEngineID, s->securityEngineIDLen, s->securityName);
    if (!user)
        return false;
    auto localize = [&](const u_char* ku, size_t kuLen, u_char* out, size_t& outLen) {
        outLen = USM_LENGTH_KU_HASHBLOCK;
        return generate_kul(s->securityAuthProto, s->securityAuthProtoLen, s->securityEngineID,
                            s->securityEngineIDLen, const_cast<u_char*>(ku), kuLen, out, &outLen) == SNMPERR_SUCCESS;
    };
    auto replaceOid = [](oid*& target, size_t& targetLen, const oid* source, size_t sourceLen) {
        if (targetLen == sourceLen && target && snmp_oid_compare(target, targetLen, source, sourceLen) == 0)
            return;
        SNMP_FREE(target);
        target = snmp_duplicate_objid(source, sourceLen);
        targetLen = sourceLen;
    };
    auto replaceKey = [](u_char*& target, size_t& targetLen, const u_char* key, size_t keyLen) {
        if (SameBytes(target, targetLen, key, keyLen))
            return;
        SNMP_FREE(target);
        target = keyLen ? static_cast<u_char*>(malloc(keyLen)) : nullptr;
        if (target)
            std::memcpy(target, key, keyLen);
        targetLen = target ? keyLen : 0;
    };

    const bool auth = s->securityLevel != SNMP_SEC_LEVEL_NOAUTH;
    const bool priv = s->securityLevel == SNMP_SEC_LEVEL_AUTHPRIV;
    if (auth) {
        u_char key[USM_LENGTH_KU_HASHBLOCK];
        size_t keyLen = 0;
        if (!localize(s->securityAuthKey, s->securityAuthKeyLen, key, keyLen))
            return false;
        replaceOid(user->authProtocol, user->authProtocolLen, s->securityAuthProto, s->securityAuthProtoLen);
        replaceKey(user->authKey, user->authKeyLen, key, keyLen);
    }
    if (priv) {
        u_char key[USM_LENGTH_KU_HASHBLOCK];
        size_t keyLen = 0;
        if (!localize(s->securityPrivKey, s->securityPrivKeyLen, key, keyLen))
            return false;
        replaceOid(user->privProtocol, user->privProtocolLen, s->securityPrivProto, s->securityPrivProtoLen);
        replaceKey(user->privKey, user->privKeyLen, key, keyLen);
    }
    return true;
}

std::string ValueText(const netsnmp_variable_list* vb, SnmpBinding& b)
{
    char buf[64];
    switch (vb->type) {
    case ASN_INTEGER:
        b.number = *vb->val.integer;
        return std::to_string(b.number);
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        b.number = static_cast<std::int64_t>(static_cast<unsigned long>(*vb->val.integer) & 0xFFFFFFFFUL);
        return std::to_string(b.number);
    case ASN_COUNTER64:
        b.big = (static_cast<std::uint64_t>(vb->val.counter64->high & 0xFFFFFFFFUL) << 32) |
                (vb->val.counter64->low & 0xFFFFFFFFUL);
        return std::to_string(b.big);
    case ASN_IPADDRESS:
        b.bytes.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        if (vb->val_len != 4)
            return std::string();
        std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", vb->val.string[0], vb->val.string[1], vb->val.string[2],
                      vb->val.string[3]);
        return buf;
    case ASN_OBJECT_ID:
        b.oidValue.assign(vb->val.objid, vb->val.objid + vb->val_len / sizeof(oid));
        return SnmpOidText(b.oidValue);
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_BIT_STR:
        b.bytes.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        return b.bytes;
    default: // NULL and the exceptions
        return std::string();
    }
}

void ReadReply(const netsnmp_pdu* pdu, SnmpMessage& out)
{
    out = SnmpMessage();
    out.pduType = pdu->command;
    out.errorStatus = static_cast<int>(pdu->errstat);
    out.errorIndex = static_cast<int>(pdu->errindex);
    for (const netsnmp_variable_list* vb = pdu->variables; vb; vb = vb->next_variable) {
        SnmpBinding b;
        b.name.assign(vb->name, vb->name + vb->name_length);
        b.type = vb->type;
        b.nameText = SnmpOidText(b.name);
        b.valueText = ValueText(vb, b);
        // A text value is read up to its first NUL byte.
        b.valueText = std::string(b.valueText.c_str());
        out.bindings.push_back(std::move(b));
    }
}

netsnmp_pdu* BuildPdu(const SnmpMessage& request)
{
    int command = request.pduType == 0 ? SNMP_MSG_GET : request.pduType == 1 ? SNMP_MSG_GETNEXT : SNMP_MSG_SET;
    netsnmp_pdu* pdu = snmp_pdu_create(command);
    if (!pdu)
        return nullptr;
    for (const SnmpBinding& b : request.bindings) {
        std::vector<oid> name(b.name.begin(), b.name.end());
        long number = static_cast<long>(b.number);
        std::vector<oid> value(b.oidValue.begin(), b.oidValue.end());
        const void* data = nullptr;
        size_t length = 0;
        switch (b.type) {
        case ASN_INTEGER:
        case ASN_GAUGE:
            data = &number;
            length = sizeof number;
            break;
        case ASN_OBJECT_ID:
            data = value.data();
            length = value.size() * sizeof(oid);
            break;
        case ASN_NULL:
            break;
        default:
            data = b.bytes.data();
            length = b.bytes.size();
            break;
        }
        if (!snmp_pdu_add_variable(pdu, name.data(), name.size(), static_cast<u_char>(b.type),
                                   static_cast<const u_char*>(data), length)) {
            snmp_free_pdu(pdu);
            return nullptr;
        }
    }
    return pdu;
}

// Sends `pdu` (given up either way) and waits for its answer.
bool Exchange(void* sessp, netsnmp_pdu* pdu, Wait& wait, Clock::time_point deadline)
{
    {
        std::lock_guard guard(LibraryLock());
        if (!snmp_sess_async_send(sessp, pdu, OnReply, &wait)) {
            snmp_free_pdu(pdu);
            return false;
        }
    }
    return RunUntilDone(sessp, wait, deadline);
}

// Fills the security part of the session; false when the settings do not
// make up a level that can be sent as asked.
bool SetSecurity(const SnmpMessage& request, netsnmp_session& s, std::string& userName, std::string& community)
{
    if (request.version == 1) {
        community = request.community;
        s.version = SNMP_VERSION_1;
        s.community = reinterpret_cast<u_char*>(community.data());
        s.community_len = community.size();
        return true;
    }
    if (request.version != 3 || request.securityModel != SNMP_SEC_MODEL_USM || request.userName.empty())
        return false;
    s.version = SNMP_VERSION_3;
    userName = request.userName;
    s.securityName = userName.data();
    s.securityNameLen = userName.size();
    s.securityModel = SNMP_SEC_MODEL_USM;
    if (request.msgMaxSize > 0)
        s.rcvMsgMaxSize = static_cast<size_t>(request.msgMaxSize);
    switch (request.msgFlags) {
    case 0:
        s.securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        return true;
    case 1:
        s.securityLevel = SNMP_SEC_LEVEL_AUTHNOPRIV;
        break;
    case 3:
        s.securityLevel = SNMP_SEC_LEVEL_AUTHPRIV;
        break;
    default:
        return false;
    }
    if (request.authAlgorithm == 0) {
        s.securityAuthProto = snmp_duplicate_objid(usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol));
        s.securityAuthProtoLen = OID_LENGTH(usmHMACMD5AuthProtocol);
    } else if (request.authAlgorithm == 1) {
        s.securityAuthProto = snmp_duplicate_objid(usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol));
        s.securityAuthProtoLen = OID_LENGTH(usmHMACSHA1AuthProtocol);
    } else {
        return false;
    }
    s.securityAuthKeyLen = USM_AUTH_KU_LEN;
    if (request.authPassword.empty() ||
        generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                    reinterpret_cast<const u_char*>(request.authPassword.data()), request.authPassword.size(),
                    s.securityAuthKey, &s.securityAuthKeyLen) != SNMPERR_SUCCESS)
        return false;
    if (request.msgFlags == 3) {
        if (request.privAlgorithm != 0)
            return false;
        s.securityPrivProto = snmp_duplicate_objid(usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol));
        s.securityPrivProtoLen = OID_LENGTH(usmDESPrivProtocol);
        s.securityPrivKeyLen = USM_PRIV_KU_LEN;
        if (request.privPassword.empty() ||
            generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                        reinterpret_cast<const u_char*>(request.privPassword.data()), request.privPassword.size(),
                        s.securityPrivKey, &s.securityPrivKeyLen) != SNMPERR_SUCCESS)
            return false;
    }
    return true;
}

} // namespace

int SnmpExchange(const SnmpMessage& request, const char* host, unsigned long timeoutMs, SnmpMessage& response)
{
    if (!host || !*host || request.bindings.empty() || request.invalidBinding)
        return -1;
    if (request.pduType != 0 && request.pduType != 1 && request.pduType != 3)
        return -1;
    StartLibrary();
    if (timeoutMs == 0)
        timeoutMs = kSnmpDefaultTimeoutMs;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);

    std::string peer = host;
    std::string userName;
    std::string community;
    void* sessp = nullptr;
    {
        std::lock_guard guard(LibraryLock());
        netsnmp_session s;
        snmp_sess_init(&s);
        s.peername = peer.data();
        // One try that lasts the whole time-out; the deadline below bounds
        // engine discovery and request together.
        s.retries = 0;
        s.timeout = static_cast<long>(timeoutMs * 1000);
        s.flags |= SNMP_FLAGS_DONT_PROBE;
        bool ok = SetSecurity(request, s, userName, community);
        if (ok)
            sessp = snmp_sess_open(&s);
        SNMP_FREE(s.securityAuthProto);
        SNMP_FREE(s.securityPrivProto);
        if (!sessp)
            return -1;
    }
    // The waits outlive the session: closing it may still report requests
    // that are outstanding.
    Wait probe;
    Wait wait;
    struct Closer
    {
        void* sessp;
        ~Closer()
        {
            std::lock_guard guard(LibraryLock());
            snmp_sess_close(sessp);
        }
    } closer{sessp};

    if (request.version == 3) {
        // Engine discovery: an empty unauthenticated request whose report
        // names the agent's engine.
        netsnmp_pdu* pdu = nullptr;
        {
            std::lock_guard guard(LibraryLock());
            EnsureDiscoveryUser();
            pdu = snmp_pdu_create(SNMP_MSG_GET);
            if (!pdu)
                return -1;
            pdu->version = SNMP_VERSION_3;
            pdu->securityName = strdup("");
            pdu->securityNameLen = 0;
            pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
            pdu->securityModel = SNMP_SEC_MODEL_USM;
        }
        if (!Exchange(sessp, pdu, probe, deadline) || probe.engineId.empty()) {
            if (probe.pdu) {
                std::lock_guard guard(LibraryLock());
                snmp_free_pdu(probe.pdu);
            }
            return -1;
        }
        std::lock_guard guard(LibraryLock());
        netsnmp_session* live = snmp_sess_session(sessp);
        auto copy = [&](u_char*& target, size_t& targetLen) {
            SNMP_FREE(target);
            target = static_cast<u_char*>(malloc(probe.engineId.size()));
            if (!target)
                return false;
            std::memcpy(target, probe.engineId.data(), probe.engineId.size());
            targetLen = probe.engineId.size();
            return true;
        };
        if (!copy(live->securityEngineID, live->securityEngineIDLen) ||
            !copy(live->contextEngineID, live->contextEngineIDLen))
            return -1;
        live->flags &= ~SNMP_FLAGS_USER_CREATED;
        if (usm_create_user_from_session(live) != SNMPERR_SUCCESS || !UpdateUser(live))
            return -1;
    }

    netsnmp_pdu* pdu = nullptr;
    {
        std::lock_guard guard(LibraryLock());
        pdu = BuildPdu(request);
    }
    if (!pdu)
        return -1;
    bool answered = Exchange(sessp, pdu, wait, deadline);
    std::lock_guard guard(LibraryLock());
    if (!answered || !wait.pdu) {
        if (wait.pdu)
            snmp_free_pdu(wait.pdu);
        return -1;
    }
    ReadReply(wait.pdu, response);
    snmp_free_pdu(wait.pdu);
    return 0;
}
