// The place that talks to net-snmp (with SnmpKeyCache, which derives keys).
// Every request keeps a session of its own on the single-session API, open
// from one exchange to the next while its peer and security settings stay
// the same: one socket, and for SNMPv3 an engine discovered once. net-snmp
// keeps process-wide state (request ids, the USM user table, engine times)
// without locks of its own, so every call into it is made under one library
// lock; the waits for replies are made outside it, so requests on different
// threads overlap.
#include "platform/snmp/SnmpKeyCache.h"
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
    // Never destroyed: a session closed during the process's end still takes it.
    static auto* lock = new std::recursive_mutex;
    return *lock;
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

bool SameBytes(const u_char* a, size_t aLen, const void* b, size_t bLen)
{
    return aLen == bLen && (aLen == 0 || std::memcmp(a, b, aLen) == 0);
}

void ReplaceOid(oid*& target, size_t& targetLen, const oid* source, size_t sourceLen)
{
    if (targetLen == sourceLen && target && snmp_oid_compare(target, targetLen, source, sourceLen) == 0)
        return;
    SNMP_FREE(target);
    target = snmp_duplicate_objid(source, sourceLen);
    targetLen = target ? sourceLen : 0;
}

void ReplaceBytes(u_char*& target, size_t& targetLen, const std::string& bytes)
{
    if (SameBytes(target, targetLen, bytes.data(), bytes.size()))
        return;
    SNMP_FREE(target);
    target = bytes.empty() ? nullptr : static_cast<u_char*>(malloc(bytes.size()));
    if (target)
        std::memcpy(target, bytes.data(), bytes.size());
    targetLen = target ? bytes.size() : 0;
}

} // namespace

// One request's net-snmp session, kept open from exchange to exchange while
// the peer and the security settings stay the same. An exchange holds `busy`
// for its whole length, so one thread at a time uses the session.
struct SnmpChannel
{
    std::mutex busy;
    void* sessp = nullptr;
    std::string peer;
    std::string settings; // what the session was opened with; passwords only as digests

    // SNMPv3: the discovered engine and the user's entry in net-snmp's USM
    // table as this session needs it (localized keys).
    std::string engineId;
    std::string userName;
    const oid* authProtocol = nullptr;
    size_t authProtocolLen = 0;
    const oid* privProtocol = nullptr;
    size_t privProtocolLen = 0;
    std::string authKey;
    std::string privKey;

    SnmpChannel() = default;
    SnmpChannel(const SnmpChannel&) = delete;
    SnmpChannel& operator=(const SnmpChannel&) = delete;
    ~SnmpChannel() { Close(); }

    // Only with no request outstanding: the call-back's waits are gone.
    void Close()
    {
        if (sessp) {
            std::lock_guard guard(LibraryLock());
            snmp_sess_close(sessp);
        }
        sessp = nullptr;
        peer.clear();
        settings.clear();
        engineId.clear();
        authKey.clear();
        privKey.clear();
    }

    // Makes the USM table's entry for the engine and user hold this session's
    // protocols and keys. Another session of the same user may have given it
    // other keys (another password), so this runs under the library lock
    // before every send and every read. False when the entry cannot be made.
    bool ApplyUser()
    {
        if (engineId.empty() || !authProtocol)
            return true; // SNMPv1, or before the engine is known
        auto* engine = reinterpret_cast<u_char*>(engineId.data());
        usmUser* user = usm_get_user(engine, engineId.size(), userName.data());
        if (!user) {
            user = static_cast<usmUser*>(calloc(1, sizeof(usmUser)));
            if (!user)
                return false;
            user->name = strdup(userName.c_str());
            user->secName = strdup(userName.c_str());
            user->engineID = static_cast<u_char*>(malloc(engineId.size()));
            if (user->engineID)
                std::memcpy(user->engineID, engineId.data(), engineId.size());
            user->engineIDLen = engineId.size();
            user->userStatus = RS_ACTIVE;
            user->userStorageType = ST_READONLY;
            if (!user->name || !user->secName || !user->engineID) {
                usm_free_user(user);
                return false;
            }
            usm_add_user(user);
        }
        ReplaceOid(user->authProtocol, user->authProtocolLen, authProtocol, authProtocolLen);
        ReplaceBytes(user->authKey, user->authKeyLen, authKey);
        if (privProtocol) {
            ReplaceOid(user->privProtocol, user->privProtocolLen, privProtocol, privProtocolLen);
            ReplaceBytes(user->privKey, user->privKeyLen, privKey);
        } else {
            ReplaceOid(user->privProtocol, user->privProtocolLen, usmNoPrivProtocol, OID_LENGTH(usmNoPrivProtocol));
            ReplaceBytes(user->privKey, user->privKeyLen, std::string());
        }
        return user->authProtocol && user->privProtocol && (authKey.empty() || user->authKey) &&
               (privKey.empty() || user->privKey);
    }
};

std::shared_ptr<SnmpChannel> SnmpNewChannel()
{
    return std::make_shared<SnmpChannel>();
}

namespace {
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
        // A text value is read up to its first NUL byte (getValueBytes has
        // them all).
        b.valueText.resize(std::strlen(b.valueText.c_str()));
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

// Outcome of one exchange, written by the net-snmp call-back.
struct Wait
{
    bool done = false;
    bool report = false;
    bool answered = false;
    SnmpMessage* response = nullptr; // filled with the reply
    std::string engineId;            // from a report (engine discovery)
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
            wait->answered = true;
            if (wait->response)
                ReadReply(pdu, *wait->response);
        }
    }
    return 1;
}

// Lets net-snmp send, resend and read until the call-back ran or the
// deadline passed. The lock is held only inside net-snmp.
bool RunUntilDone(SnmpChannel& channel, Wait& wait, Clock::time_point deadline)
{
    void* sessp = channel.sessp;
    while (!wait.done) {
        auto now = Clock::now();
        if (now >= deadline)
            return false;
        // The session's one try lasts until the deadline (Exchange set it
        // so), so there is nothing to wake for before a reply or the deadline.
        const long waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
        int fd = -1;
        {
            std::lock_guard guard(LibraryLock());
            netsnmp_transport* transport = snmp_sess_transport(sessp);
            fd = transport ? transport->sock : -1;
        }
        if (fd < 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, static_cast<int>(std::max<long>(waitMs, 0)));
        if (ready < 0 && errno != EINTR)
            return false;
        std::lock_guard guard(LibraryLock());
        // A reply is checked and a resend is built with this session's keys.
        if (!channel.ApplyUser())
            return false;
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

// Sends `pdu` (given up either way) and waits for its answer. False when it
// could not be sent or no answer came in time; a request that is still
// outstanding then is dropped with the session, so that no late call-back
// finds `wait` gone.
bool Exchange(SnmpChannel& channel, netsnmp_pdu* pdu, Wait& wait, Clock::time_point deadline, bool& sent)
{
    sent = false;
    {
        std::lock_guard guard(LibraryLock());
        netsnmp_session* live = snmp_sess_session(channel.sessp);
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
        if (!live || left <= 0 || !channel.ApplyUser()) {
            snmp_free_pdu(pdu);
            return false;
        }
        live->timeout = static_cast<long>(left);
        if (!snmp_sess_async_send(channel.sessp, pdu, OnReply, &wait)) {
            snmp_free_pdu(pdu);
            return false;
        }
    }
    sent = true;
    const bool done = RunUntilDone(channel, wait, deadline);
    if (!done)
        channel.Close();
    return done;
}

// What a request asks of its session, checked: false when the settings do
// not make up a level that can be sent as asked.
struct Security
{
    int version = 0;
    int level = SNMP_SEC_LEVEL_NOAUTH;
    int authAlgorithm = -1;
    const oid* authProtocol = nullptr;
    size_t authProtocolLen = 0;
    const oid* privProtocol = nullptr;
    size_t privProtocolLen = 0;
    std::string settings; // compared with the session's; passwords only as digests
};

bool ReadSecurity(const SnmpMessage& request, Security& sec)
{
    sec.version = request.version;
    if (request.version == 1) {
        // The community goes with each message; only whether there is one
        // belongs to the session.
        sec.settings = request.community.empty() ? "1|-" : "1|c";
        return true;
    }
    if (request.version != 3 || request.securityModel != SNMP_SEC_MODEL_USM || request.userName.empty())
        return false;
    sec.settings = "3|" + std::to_string(request.msgMaxSize) + "|" + std::to_string(request.msgFlags) + "|" +
                   std::to_string(request.userName.size()) + ":" + request.userName;
    switch (request.msgFlags) {
    case 0:
        sec.level = SNMP_SEC_LEVEL_NOAUTH;
        return true;
    case 1:
        sec.level = SNMP_SEC_LEVEL_AUTHNOPRIV;
        break;
    case 3:
        sec.level = SNMP_SEC_LEVEL_AUTHPRIV;
        break;
    default:
        return false;
    }
    if (request.authAlgorithm == 0) {
        sec.authProtocol = usmHMACMD5AuthProtocol;
        sec.authProtocolLen = OID_LENGTH(usmHMACMD5AuthProtocol);
    } else if (request.authAlgorithm == 1) {
        sec.authProtocol = usmHMACSHA1AuthProtocol;
        sec.authProtocolLen = OID_LENGTH(usmHMACSHA1AuthProtocol);
    } else {
        return false;
    }
    sec.authAlgorithm = request.authAlgorithm;
    if (request.authPassword.size() < USM_LENGTH_P_MIN)
        return false;
    sec.settings += "|a" + std::to_string(request.authAlgorithm) + ":" + SnmpKeyCache::Digest(request.authPassword);
    if (sec.level == SNMP_SEC_LEVEL_AUTHPRIV) {
        if (request.privAlgorithm != 0 || request.privPassword.size() < USM_LENGTH_P_MIN)
            return false;
        sec.privProtocol = usmDESPrivProtocol;
        sec.privProtocolLen = OID_LENGTH(usmDESPrivProtocol);
        sec.settings += "|p0:" + SnmpKeyCache::Digest(request.privPassword);
    }
    return true;
}

// Opens the channel's session for `request` and, for SNMPv3, discovers the
// engine and sets up the user's keys. False (and the channel closed) when
// that fails.
bool Open(SnmpChannel& channel, const SnmpMessage& request, const Security& sec, const std::string& host,
          Clock::time_point deadline)
{
    channel.Close();
    {
        std::lock_guard guard(LibraryLock());
        netsnmp_session s;
        snmp_sess_init(&s);
        std::string peer = host;
        std::string community = request.community;
        std::string userName = request.userName;
        s.peername = peer.data();
        // One try that lasts the whole time-out; each exchange sets its own.
        s.retries = 0;
        s.timeout = static_cast<long>(std::max<long long>(
            1, std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count()));
        s.flags |= SNMP_FLAGS_DONT_PROBE;
        if (sec.version == 1) {
            s.version = SNMP_VERSION_1;
            s.community = reinterpret_cast<u_char*>(community.data());
            s.community_len = community.size();
        } else {
            s.version = SNMP_VERSION_3;
            s.securityName = userName.data();
            s.securityNameLen = userName.size();
            s.securityModel = SNMP_SEC_MODEL_USM;
            s.securityLevel = sec.level;
            if (request.msgMaxSize > 0)
                s.rcvMsgMaxSize = static_cast<size_t>(request.msgMaxSize);
        }
        channel.sessp = snmp_sess_open(&s);
        if (!channel.sessp)
            return false;
    }
    channel.peer = host;
    if (sec.version != 3) {
        channel.settings = sec.settings;
        return true;
    }

    // Engine discovery: an empty unauthenticated request whose report names
    // the agent's engine.
    Wait probe;
    netsnmp_pdu* pdu = nullptr;
    {
        std::lock_guard guard(LibraryLock());
        EnsureDiscoveryUser();
        pdu = snmp_pdu_create(SNMP_MSG_GET);
        if (!pdu) {
            channel.Close();
            return false;
        }
        pdu->version = SNMP_VERSION_3;
        pdu->securityName = strdup("");
        pdu->securityNameLen = 0;
        pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        pdu->securityModel = SNMP_SEC_MODEL_USM;
    }
    bool sent = false;
    if (!Exchange(channel, pdu, probe, deadline, sent) || probe.engineId.empty()) {
        channel.Close();
        return false;
    }
    const std::string engineId = probe.engineId;

    // The keys, from the process's cache (derived there at most once).
    std::string authKey;
    std::string privKey;
    if (sec.level != SNMP_SEC_LEVEL_NOAUTH &&
        !SnmpKeyCache::Localized(sec.authAlgorithm, request.authPassword, engineId, authKey)) {
        channel.Close();
        return false;
    }
    // The privacy key is localized with the authentication algorithm.
    if (sec.level == SNMP_SEC_LEVEL_AUTHPRIV &&
        !SnmpKeyCache::Localized(sec.authAlgorithm, request.privPassword, engineId, privKey)) {
        channel.Close();
        return false;
    }

    std::lock_guard guard(LibraryLock());
    netsnmp_session* live = snmp_sess_session(channel.sessp);
    auto copy = [&](u_char*& target, size_t& targetLen) {
        SNMP_FREE(target);
        target = static_cast<u_char*>(malloc(engineId.size()));
        if (!target)
            return false;
        std::memcpy(target, engineId.data(), engineId.size());
        targetLen = engineId.size();
        return true;
    };
    if (!live || !copy(live->securityEngineID, live->securityEngineIDLen) ||
        !copy(live->contextEngineID, live->contextEngineIDLen)) {
        channel.Close();
        return false;
    }
    channel.engineId = engineId;
    channel.userName = request.userName;
    if (sec.level == SNMP_SEC_LEVEL_NOAUTH) {
        channel.authProtocol = usmNoAuthProtocol;
        channel.authProtocolLen = OID_LENGTH(usmNoAuthProtocol);
    } else {
        channel.authProtocol = sec.authProtocol;
        channel.authProtocolLen = sec.authProtocolLen;
    }
    channel.privProtocol = sec.privProtocol;
    channel.privProtocolLen = sec.privProtocolLen;
    channel.authKey = std::move(authKey);
    channel.privKey = std::move(privKey);
    if (!channel.ApplyUser()) {
        channel.Close();
        return false;
    }
    channel.settings = sec.settings;
    return true;
}

enum class Outcome
{
    Answered,
    Report,   // the agent refused the message (unknown engine, time window, keys)
    NotSent,  // the session could not send
    NoAnswer, // time-out
};

// One request over the open session.
Outcome SendRequest(SnmpChannel& channel, const SnmpMessage& request, Clock::time_point deadline, SnmpMessage& response)
{
    netsnmp_pdu* pdu = nullptr;
    {
        std::lock_guard guard(LibraryLock());
        pdu = BuildPdu(request);
        if (pdu && request.version == 1 && !request.community.empty()) {
            pdu->community = static_cast<u_char*>(malloc(request.community.size()));
            if (!pdu->community) {
                snmp_free_pdu(pdu);
                return Outcome::NotSent;
            }
            std::memcpy(pdu->community, request.community.data(), request.community.size());
            pdu->community_len = request.community.size();
        }
    }
    if (!pdu)
        return Outcome::NotSent;
    Wait wait;
    wait.response = &response;
    bool sent = false;
    const bool done = Exchange(channel, pdu, wait, deadline, sent);
    if (!sent)
        return Outcome::NotSent;
    if (done && wait.answered)
        return Outcome::Answered;
    return done && wait.report ? Outcome::Report : Outcome::NoAnswer;
}

} // namespace

int SnmpExchange(const SnmpMessage& request, const char* host, unsigned long timeoutMs, SnmpMessage& response)
{
    if (!host || !*host || request.bindings.empty() || request.invalidBinding)
        return -1;
    if (request.pduType != 0 && request.pduType != 1 && request.pduType != 3)
        return -1;
    Security sec;
    if (!ReadSecurity(request, sec))
        return -1;
    StartLibrary();
    if (timeoutMs == 0)
        timeoutMs = kSnmpDefaultTimeoutMs;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);

    // The request's session, unless another exchange is using it: then one of
    // this exchange's own.
    SnmpChannel* channel = request.channel.get();
    std::unique_lock<std::mutex> busy;
    if (channel) {
        busy = std::unique_lock(channel->busy, std::try_to_lock);
        if (!busy.owns_lock())
            channel = nullptr;
    }
    std::unique_ptr<SnmpChannel> own;
    if (!channel) {
        own = std::make_unique<SnmpChannel>();
        channel = own.get();
    }

    for (int attempt = 0; attempt < 2; ++attempt) {
        if (channel->sessp && (channel->peer != host || channel->settings != sec.settings))
            channel->Close();
        const bool fresh = !channel->sessp;
        if (fresh && !Open(*channel, request, sec, host, deadline))
            return -1;
        const Outcome outcome = SendRequest(*channel, request, deadline, response);
        if (outcome == Outcome::Answered)
            return 0;
        // The next request opens the session again. A session kept from
        // before may be stale (the agent restarted, its engine changed):
        // this request tries once more on a new one.
        channel->Close();
        if (fresh || (outcome != Outcome::Report && outcome != Outcome::NotSent))
            return -1;
    }
    return -1;
}
