#include "platform/snmp/SnmpKeyCache.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/library/keytools.h>
#include <net-snmp/library/scapi.h>

#include <map>
#include <mutex>
#include <random>

namespace {

struct Cache
{
    std::mutex lock;
    std::string salt;
    std::map<std::string, std::string> keys; // algorithm, password digest, engine -> localized key
};

Cache& TheCache()
{
    // Never destroyed: sessions closed during the process's end may still ask.
    static Cache* cache = [] {
        auto* c = new Cache;
        std::random_device random;
        for (int i = 0; i < 4; ++i) {
            const unsigned word = random();
            c->salt.append(reinterpret_cast<const char*>(&word), sizeof word);
        }
        return c;
    }();
    return *cache;
}

bool HashProtocol(int algorithm, const oid*& protocol, size_t& length)
{
    if (algorithm == 0) {
        protocol = usmHMACMD5AuthProtocol;
        length = OID_LENGTH(usmHMACMD5AuthProtocol);
    } else if (algorithm == 1) {
        protocol = usmHMACSHA1AuthProtocol;
        length = OID_LENGTH(usmHMACSHA1AuthProtocol);
    } else {
        return false;
    }
    return true;
}

std::string SaltedDigest(const std::string& salt, const std::string& secret)
{
    const std::string input = salt + secret;
    u_char digest[64];
    size_t length = sizeof digest;
    const auto* data = reinterpret_cast<const u_char*>(input.data());
    if (sc_hash(usmHMAC192SHA256AuthProtocol, OID_LENGTH(usmHMAC192SHA256AuthProtocol), data, input.size(), digest,
                &length) != SNMPERR_SUCCESS) {
        length = sizeof digest;
        if (sc_hash(usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol), data, input.size(), digest,
                    &length) != SNMPERR_SUCCESS)
            return std::string();
    }
    return std::string(reinterpret_cast<const char*>(digest), length);
}

} // namespace

std::string SnmpKeyCache::Digest(const std::string& secret)
{
    Cache& cache = TheCache();
    return SaltedDigest(cache.salt, secret);
}

bool SnmpKeyCache::Localized(int algorithm, const std::string& password, const std::string& engineId, std::string& key)
{
    key.clear();
    const oid* protocol = nullptr;
    size_t protocolLength = 0;
    if (!HashProtocol(algorithm, protocol, protocolLength) || password.empty() || engineId.empty())
        return false;
    Cache& cache = TheCache();
    const std::string digest = SaltedDigest(cache.salt, password);
    if (digest.empty())
        return false;
    std::string entry(1, static_cast<char>('0' + algorithm));
    entry += static_cast<char>(digest.size());
    entry += digest;
    entry += engineId;

    // Derived under the lock, so that two threads asking for the same key
    // derive it once.
    std::lock_guard guard(cache.lock);
    auto found = cache.keys.find(entry);
    if (found != cache.keys.end()) {
        key = found->second;
        return true;
    }
    u_char ku[USM_LENGTH_KU_HASHBLOCK];
    size_t kuLength = sizeof ku;
    if (generate_Ku(protocol, static_cast<u_int>(protocolLength), reinterpret_cast<const u_char*>(password.data()),
                    password.size(), ku, &kuLength) != SNMPERR_SUCCESS)
        return false;
    u_char kul[USM_LENGTH_KU_HASHBLOCK];
    size_t kulLength = sizeof kul;
    std::string engine = engineId;
    const int result =
        generate_kul(protocol, static_cast<u_int>(protocolLength), reinterpret_cast<u_char*>(engine.data()),
                     engine.size(), ku, kuLength, kul, &kulLength);
    std::fill(std::begin(ku), std::end(ku), 0);
    if (result != SNMPERR_SUCCESS)
        return false;
    key.assign(reinterpret_cast<const char*>(kul), kulLength);
    std::fill(std::begin(kul), std::end(kul), 0);
    cache.keys.emplace(std::move(entry), key);
    return true;
}
