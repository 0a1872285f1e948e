#include "legacy/LegacyWords.h"

namespace legacy {

std::string StorageTypeWord(const std::string& value)
{
    if (value == "2")
        return "volatile";
    if (value == "3")
        return "nonVolatile";
    if (value == "4")
        return "permanent";
    if (value == "5")
        return "readOnly";
    return "Other";
}

std::string RowStatusWord(const std::string& value)
{
    static const char* const kWords[] = {"active", "notInService", "notReady", "createAndGo", "createAndWait"};
    for (int i = 0; i < 5; ++i)
        if (value == std::to_string(i + 1))
            return kWords[i];
    return "destroy";
}

std::string ViewTypeWord(const std::string& value)
{
    return value == "1" ? "included" : "excluded";
}

std::string AuthProtocolWord(const std::string& value)
{
    return value == "1.3.6.1.6.3.10.1.1.2" ? "MD5" : "Other";
}

std::string PrivProtocolWord(const std::string& value)
{
    return value == "1.3.6.1.6.3.10.1.2.2" ? "DES" : "Other";
}

std::string SeverityWord(const std::string& value)
{
    static const char* const kWords[] = {"Emergency", "Alert", "Critical", "Error", "Warning",
                                         "Notice",    "Info",  "Debug",    "NotActive"};
    for (int i = 0; i < 9; ++i)
        if (value == std::to_string(i))
            return kWords[i];
    return "Emergency";
}

std::string HexBytes(const std::string& bytes)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        text += kDigits[c >> 4];
        text += kDigits[c & 0x0F];
    }
    return text;
}

std::string PhysAddressText(const std::string& bytes)
{
    const std::string hex = HexBytes(bytes);
    std::string text;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        if (i > 0)
            text += ':';
        text.append(hex, i, 2);
    }
    return text;
}

bool TakeIndexName(const std::vector<unsigned long>& arcs, std::size_t& pos, std::string& name)
{
    if (pos >= arcs.size() || arcs[pos] > arcs.size() - pos - 1)
        return false;
    const std::size_t length = arcs[pos];
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>(arcs[pos + 1 + i] & 0xFF);
    pos += 1 + length;
    name = text;
    return true;
}

bool TakeIndexOid(const std::vector<unsigned long>& arcs, std::size_t& pos, std::string& oid)
{
    if (pos >= arcs.size() || arcs[pos] > arcs.size() - pos - 1)
        return false;
    const std::size_t length = arcs[pos];
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += (i ? "." : "") + std::to_string(arcs[pos + 1 + i]);
    pos += 1 + length;
    oid = text;
    return true;
}

} // namespace legacy
