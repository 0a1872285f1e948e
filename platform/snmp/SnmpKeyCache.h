// SNMPv3 localized keys for the whole process.
//
// Turning a password into a key hashes a megabyte, so each key is derived
// once for its algorithm, password and engine and then kept. The cache is
// keyed by a salted digest of the password, never by its clear text, and is
// safe to use from several threads at once. A changed password is another
// entry: it takes effect on the very next request.
#pragma once

#include <string>

class SnmpKeyCache
{
public:
    // The key of `password` localized to `engineId` with authentication
    // algorithm `algorithm` (0 HMAC-MD5, 1 HMAC-SHA). False for an unknown
    // algorithm, an empty password or engine, or a failed derivation.
    static bool Localized(int algorithm, const std::string& password, const std::string& engineId, std::string& key);

    // A salted digest of `secret`, the same for the same text during the
    // process's life; for comparing credentials without keeping them.
    static std::string Digest(const std::string& secret);
};
