#include "tools/korvel-sim/SnmpAgent.h"

#include "tools/korvel-sim/Simulator.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace {

Oid ToOid(const oid* name, size_t length)
{
    return Oid(name, name + length);
}

MibValue FromVariable(const netsnmp_variable_list* vb)
{
    MibValue value;
    value.type = vb->type;
    switch (vb->type) {
    case ASN_INTEGER:
        value.number = *vb->val.integer;
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        value.number = static_cast<std::int64_t>(static_cast<unsigned long>(*vb->val.integer) & 0xFFFFFFFFUL);
        break;
    case ASN_COUNTER64:
        value.big = (static_cast<std::uint64_t>(vb->val.counter64->high) << 32) | (vb->val.counter64->low & 0xFFFFFFFFUL);
        break;
    case ASN_OBJECT_ID:
        value.oid.assign(vb->val.objid, vb->val.objid + vb->val_len / sizeof(oid));
        break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
        value.bytes.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        break;
    default:
        break;
    }
    return value;
}

void SetVariable(netsnmp_variable_list* vb, const MibValue& value)
{
    switch (value.type) {
    case MibInteger:
    case MibCounter32:
    case MibGauge32:
    case MibTimeTicks: {
        long number = static_cast<long>(value.number);
        snmp_set_var_typed_value(vb, static_cast<u_char>(value.type), &number, sizeof number);
        break;
    }
    case MibCounter64: {
        counter64 c{};
        c.high = static_cast<u_long>(value.big >> 32);
        c.low = static_cast<u_long>(value.big & 0xFFFFFFFFULL);
        snmp_set_var_typed_value(vb, ASN_COUNTER64, &c, sizeof c);
        break;
    }
    case MibObjectId: {
        std::vector<oid> arcs(value.oid.begin(), value.oid.end());
        snmp_set_var_typed_value(vb, ASN_OBJECT_ID, arcs.data(), arcs.size() * sizeof(oid));
        break;
    }
    case MibNull:
        snmp_set_var_typed_value(vb, ASN_NULL, nullptr, 0);
        break;
    default:
        snmp_set_var_typed_value(vb, static_cast<u_char>(value.type), value.bytes.data(), value.bytes.size());
        break;
    }
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// The communities the agent answers (SNMPv1 and v2c).
constexpr const char* kReadCommunity = "mirtle";
constexpr const char* kWriteCommunity = "quenbor";

// BER: a tag, its length and the contents.
std::string Tlv(unsigned char tag, const std::string& contents)
{
    std::string out(1, static_cast<char>(tag));
    const std::size_t size = contents.size();
    if (size < 0x80) {
        out += static_cast<char>(size);
    } else {
        std::string length;
        for (std::size_t rest = size; rest; rest >>= 8)
            length.insert(length.begin(), static_cast<char>(rest & 0xFF));
        out += static_cast<char>(0x80 | length.size());
        out += length;
    }
    return out + contents;
}

std::string BerInteger(long value)
{
    std::string bytes;
    for (int shift = 0;; shift += 8) {
        bytes.insert(bytes.begin(), static_cast<char>((value >> shift) & 0xFF));
        const long rest = value >> (shift + 7);
        if (shift + 8 >= static_cast<int>(sizeof value * 8) || rest == 0 || rest == -1)
            break;
    }
    return Tlv(ASN_INTEGER, bytes);
}

// A GetResponse to `request` with no error and no bindings.
std::string EmptyResponse(long version, const std::string& community, long requestId)
{
    const std::string pdu = Tlv(SNMP_MSG_RESPONSE, BerInteger(requestId) + BerInteger(0) + BerInteger(0) +
                                                       Tlv(ASN_SEQUENCE | ASN_CONSTRUCTOR, std::string()));
    return Tlv(ASN_SEQUENCE | ASN_CONSTRUCTOR, BerInteger(version) + Tlv(ASN_OCTET_STR, community) + pdu);
}

} // namespace

struct SnmpAgent::Impl
{
    Simulator& sim;
    std::string appName = "korvel-sim";
    std::filesystem::path stateDir;
    bool started = false;
    const void* lastLoggedSession = nullptr;
    long lastLoggedRequest = -1;

    explicit Impl(Simulator& s) : sim(s) {}

    // The agent library answers every binding of a GET (with a value or an
    // exception), so the reply without bindings that the test control
    // kSimEmptyReplyOid asks for is sent from here: each waiting SNMPv1 or
    // v2c GET that carries its object is taken off its socket and answered,
    // and a socket left with nothing to read is taken out of `readfds`.
    void AnswerEmptyGets(int numfds, fd_set& readfds)
    {
        if (!sim.EmptyRepliesArmed())
            return;
        for (int fd = 0; fd < numfds; ++fd) {
            while (FD_ISSET(fd, &readfds)) {
                std::vector<u_char> buffer(65536);
                sockaddr_storage from{};
                socklen_t fromLength = sizeof from;
                const ssize_t size = recvfrom(fd, buffer.data(), buffer.size(), MSG_PEEK | MSG_DONTWAIT,
                                              reinterpret_cast<sockaddr*>(&from), &fromLength);
                if (size < 0) {
                    FD_CLR(fd, &readfds);
                    break;
                }
                long requestId = 0;
                long version = 0;
                std::string community;
                if (!EmptyGet(buffer.data(), static_cast<size_t>(size), requestId, version, community))
                    break;
                recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
                const std::string reply = EmptyResponse(version, community, requestId);
                sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLength);
            }
        }
    }

    // True for an SNMPv1 or v2c GET with a community of the agent that the
    // test control answers without bindings; it is logged as the agent logs.
    bool EmptyGet(u_char* data, size_t size, long& requestId, long& version, std::string& community)
    {
        u_char name[256];
        size_t nameLength = sizeof name;
        size_t length = size;
        u_char* pduData = snmp_comstr_parse(data, &length, name, &nameLength, &version);
        if (!pduData || (version != SNMP_VERSION_1 && version != SNMP_VERSION_2c))
            return false;
        community.assign(reinterpret_cast<const char*>(name), nameLength);
        if (community != kReadCommunity && community != kWriteCommunity)
            return false;
        netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
        pdu->version = version;
        bool empty = false;
        if (snmp_pdu_parse(pdu, pduData, &length) == 0 && pdu->command == SNMP_MSG_GET) {
            std::vector<Oid> names;
            std::vector<SimBinding> bindings;
            for (netsnmp_variable_list* vb = pdu->variables; vb; vb = vb->next_variable) {
                names.push_back(ToOid(vb->name, vb->name_length));
                bindings.emplace_back(names.back(), FromVariable(vb));
            }
            empty = sim.AnswersEmpty(names);
            if (empty) {
                requestId = pdu->reqid;
                sim.LogRequest("GET", static_cast<int>(version), community, bindings);
            }
        }
        snmp_free_pdu(pdu);
        return empty;
    }

    static int Handler(netsnmp_mib_handler* handler, netsnmp_handler_registration* reg,
                       netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests)
    {
        static_cast<Impl*>(handler->myvoid)->Handle(reg, reqinfo, requests);
        return SNMP_ERR_NOERROR;
    }

    void LogOnce(netsnmp_agent_request_info* reqinfo)
    {
        netsnmp_agent_session* asp = reqinfo->asp;
        netsnmp_pdu* pdu = asp->orig_pdu ? asp->orig_pdu : asp->pdu;
        if (!pdu || (asp == lastLoggedSession && pdu->reqid == lastLoggedRequest))
            return;
        lastLoggedSession = asp;
        lastLoggedRequest = pdu->reqid;
        const char* kind = pdu->command == SNMP_MSG_GET       ? "GET"
                           : pdu->command == SNMP_MSG_GETNEXT ? "GETNEXT"
                           : pdu->command == SNMP_MSG_GETBULK ? "GETBULK"
                           : pdu->command == SNMP_MSG_SET     ? "SET"
                                                              : "OTHER";
        std::string name = pdu->version == SNMP_VERSION_3
                               ? std::string(pdu->securityName ? pdu->securityName : "", pdu->securityNameLen)
                               : std::string(reinterpret_cast<const char*>(pdu->community), pdu->community_len);
        std::vector<SimBinding> bindings;
        for (netsnmp_variable_list* vb = pdu->variables; vb; vb = vb->next_variable)
            bindings.emplace_back(ToOid(vb->name, vb->name_length), FromVariable(vb));
        sim.LogRequest(kind, static_cast<int>(pdu->version), name, bindings);
    }

    void Handle(netsnmp_handler_registration* reg, netsnmp_agent_request_info* reqinfo,
                netsnmp_request_info* requests)
    {
        LogOnce(reqinfo);
        const Oid subtree = ToOid(reg->rootoid, reg->rootoid_len);
        const int version = reqinfo->asp && reqinfo->asp->pdu ? static_cast<int>(reqinfo->asp->pdu->version) : 0;
        const void* key = reqinfo->asp;

        std::vector<netsnmp_request_info*> list;
        std::vector<SimBinding> bindings;
        for (netsnmp_request_info* r = requests; r; r = r->next) {
            if (r->processed)
                continue;
            list.push_back(r);
            bindings.emplace_back(ToOid(r->requestvb->name, r->requestvb->name_length), FromVariable(r->requestvb));
        }

        switch (reqinfo->mode) {
        case MODE_GET:
            for (size_t i = 0; i < list.size(); ++i) {
                MibValue value;
                int exception = sim.Get(bindings[i].first, value);
                if (exception == 0)
                    SetVariable(list[i]->requestvb, value);
                else
                    netsnmp_set_request_error(reqinfo, list[i],
                                              exception == SimNoSuchObject ? SNMP_NOSUCHOBJECT : SNMP_NOSUCHINSTANCE);
            }
            break;
        case MODE_GETNEXT:
            for (size_t i = 0; i < list.size(); ++i) {
                Oid found;
                MibValue value;
                if (sim.GetNext(bindings[i].first, list[i]->inclusive != 0, subtree, found, value)) {
                    std::vector<oid> arcs(found.begin(), found.end());
                    snmp_set_var_objid(list[i]->requestvb, arcs.data(), arcs.size());
                    SetVariable(list[i]->requestvb, value);
                }
            }
            break;
        case MODE_SET_RESERVE1: {
            size_t errorIndex = 0;
            int status = sim.CheckSet(bindings, version, errorIndex);
            if (status != SimNoError && errorIndex < list.size())
                netsnmp_set_request_error(reqinfo, list[errorIndex], status);
            break;
        }
        case MODE_SET_ACTION:
            sim.ApplySet(key, bindings, version);
            break;
        case MODE_SET_COMMIT:
            sim.CommitSet(key, bindings);
            break;
        case MODE_SET_FREE:
            sim.ForgetSet(key);
            break;
        case MODE_SET_UNDO:
            sim.UndoSet(key);
            break;
        default:
            break;
        }
    }

    bool Register(const Oid& root)
    {
        std::vector<oid> arcs(root.begin(), root.end());
        std::string name = "korvel-sim-" + OidToText(root);
        netsnmp_handler_registration* reg =
            netsnmp_create_handler_registration(name.c_str(), Handler, arcs.data(), arcs.size(), HANDLER_CAN_RWRITE);
        if (!reg)
            return false;
        reg->handler->myvoid = this;
        return netsnmp_register_handler(reg) == MIB_REGISTERED_OK;
    }
};

SnmpAgent::SnmpAgent(Simulator& sim) : m(std::make_unique<Impl>(sim)) {}

SnmpAgent::~SnmpAgent()
{
    if (m->started)
        snmp_shutdown(m->appName.c_str());
    if (!m->stateDir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m->stateDir, ec);
    }
}

bool SnmpAgent::Start(const SimOptions& options, std::string& listening, std::string& error)
{
    const bool v6 = options.address.find(':') != std::string::npos;

    // A port of our own choosing when asked for any free one.
    int port = options.port;
    if (port == 0) {
        int fd = socket(v6 ? AF_INET6 : AF_INET, SOCK_DGRAM, 0);
        sockaddr_storage ss{};
        socklen_t len = 0;
        if (v6) {
            auto* a = reinterpret_cast<sockaddr_in6*>(&ss);
            a->sin6_family = AF_INET6;
            inet_pton(AF_INET6, options.address.c_str(), &a->sin6_addr);
            len = sizeof *a;
        } else {
            auto* a = reinterpret_cast<sockaddr_in*>(&ss);
            a->sin_family = AF_INET;
            inet_pton(AF_INET, options.address.c_str(), &a->sin_addr);
            len = sizeof *a;
        }
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&ss), len) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&ss), &len) != 0) {
            error = std::string("cannot find a free port: ") + std::strerror(errno);
            if (fd >= 0)
                close(fd);
            return false;
        }
        port = ntohs(v6 ? reinterpret_cast<sockaddr_in6*>(&ss)->sin6_port : reinterpret_cast<sockaddr_in*>(&ss)->sin_port);
        close(fd);
    }

    // No configuration, MIB or state file of the machine is read or written.
    char dirTemplate[] = "/tmp/korvel-sim-XXXXXX";
    if (!mkdtemp(dirTemplate)) {
        error = "cannot create a state folder";
        return false;
    }
    m->stateDir = dirTemplate;
    setenv("SNMPCONFPATH", dirTemplate, 1);
    setenv("MIBDIRS", dirTemplate, 1);
    setenv("MIBS", "", 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, dirTemplate);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_ROOT_ACCESS, 1);
    std::string endpoint = v6 ? "udp6:[" + options.address + "]:" + std::to_string(port)
                              : "udp:" + options.address + ":" + std::to_string(port);
    netsnmp_ds_set_string(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_PORTS, endpoint.c_str());
    // Warnings and errors only (no line per connection).
    netsnmp_register_loghandler(NETSNMP_LOGHANDLER_STDERR, LOG_WARNING);

    static char noSmux[] = "-smux";
    add_to_init_list(noSmux);
    if (init_agent(m->appName.c_str()) != 0) {
        error = "the agent library did not start";
        return false;
    }

    // Every top-level subtree the data uses; 1.3 covers the usual ones.
    std::vector<Oid> roots{{1, 3}};
    for (const auto& entry : m->sim.Store().objects) {
        Oid root(entry.first.begin(), entry.first.begin() + 2);
        if (std::find(roots.begin(), roots.end(), root) == roots.end())
            roots.push_back(root);
    }
    for (const Oid& root : roots)
        if (!m->Register(root)) {
            error = "cannot serve the subtree " + OidToText(root);
            return false;
        }

    std::vector<std::string> config{
        "engineID korvel-sim-" + std::to_string(port),
        std::string("rocommunity ") + kReadCommunity + " default",
        std::string("rwcommunity ") + kWriteCommunity + " default",
        std::string("rocommunity6 ") + kReadCommunity + " default",
        std::string("rwcommunity6 ") + kWriteCommunity + " default",
    };
    std::vector<SimUser> users = m->sim.Store().users;
    users.insert(users.end(), options.users.begin(), options.users.end());
    for (const SimUser& user : users) {
        std::string line = "createUser " + user.name;
        std::string level = "noauth";
        if (!user.authProtocol.empty()) {
            line += " " + user.authProtocol + " " + Quoted(user.authPassword);
            level = "auth";
            if (!user.privProtocol.empty()) {
                line += " " + user.privProtocol + " " + Quoted(user.privPassword);
                level = "priv";
            }
        }
        config.push_back(line);
        config.push_back("rwuser " + user.name + " " + level);
    }
    for (std::string& line : config)
        netsnmp_config_remember(line.data());

    init_snmp(m->appName.c_str());
    m->started = true;
    if (init_master_agent() != 0) {
        error = "cannot listen on " + endpoint;
        return false;
    }
    listening = v6 ? endpoint : options.address + ":" + std::to_string(port);
    return true;
}

void SnmpAgent::Run(const volatile std::sig_atomic_t& stop)
{
    using Clock = Simulator::Clock;
    while (!stop) {
        int numfds = 0;
        fd_set readfds;
        FD_ZERO(&readfds);
        timeval tv{0, 200000};
        int block = 0;
        snmp_select_info(&numfds, &readfds, &tv, &block);
        // Wake at least every 200 ms (to see a stop) and for the next timer.
        long waitUs = std::min<long>(tv.tv_sec * 1000000L + tv.tv_usec, 200000L);
        if (auto next = m->sim.NextTimer()) {
            auto until = std::chrono::duration_cast<std::chrono::microseconds>(*next - Clock::now()).count();
            waitUs = std::max<long>(0, std::min<long>(waitUs, static_cast<long>(until)));
        }
        tv.tv_sec = waitUs / 1000000L;
        tv.tv_usec = waitUs % 1000000L;
        int count = select(numfds, &readfds, nullptr, nullptr, &tv);
        if (count > 0) {
            if (m->sim.IsSilent(Clock::now())) {
                char buffer[65536];
                for (int fd = 0; fd < numfds; ++fd)
                    if (FD_ISSET(fd, &readfds))
                        while (recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0) {
                        }
            } else {
                if (int delay = m->sim.ReplyDelayMs(); delay > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
                m->AnswerEmptyGets(numfds, readfds);
                snmp_read(&readfds);
            }
        } else if (count == 0) {
            snmp_timeout();
        } else if (errno != EINTR) {
            break;
        }
        run_alarms();
        netsnmp_check_outstanding_agent_requests();
        m->sim.RunDueTimers(Clock::now());
    }
}
