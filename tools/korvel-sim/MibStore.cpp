#include "tools/korvel-sim/MibStore.h"

#include <fstream>

namespace {

std::string Trim(std::string s)
{
    size_t b = s.find_first_not_of(" \t\r");
    size_t e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// OID|TYPE|VALUE; the value is everything after the second '|'.
bool ParseObjectLine(const std::string& line, Oid& oid, MibValue& value)
{
    size_t bar1 = line.find('|');
    size_t bar2 = bar1 == std::string::npos ? std::string::npos : line.find('|', bar1 + 1);
    if (bar2 == std::string::npos)
        return false;
    std::string val = line.substr(bar2 + 1);
    if (!val.empty() && val.back() == '\r')
        val.pop_back();
    return ParseOid(Trim(line.substr(0, bar1)), oid) &&
           ParseSnmprecValue(Trim(line.substr(bar1 + 1, bar2 - bar1 - 1)), val, value);
}

} // namespace

bool MibStore::Load(const std::string& path, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        auto fail = [&](const std::string& what) {
            error = path + ":" + std::to_string(number) + ": " + what;
            return false;
        };
        std::string trimmed = Trim(line);
        if (trimmed.empty())
            continue;
        if (trimmed.rfind("#@", 0) == 0) {
            std::string rest = Trim(trimmed.substr(2));
            size_t space = rest.find_first_of(" \t");
            std::string word = rest.substr(0, space);
            std::string arg = space == std::string::npos ? std::string() : Trim(rest.substr(space));
            Oid oid;
            if (word == "readonly") {
                if (!ParseOid(arg, oid))
                    return fail("readonly needs an OID");
                readOnly.push_back(oid);
            } else if (word == "rowstatus") {
                if (!ParseOid(arg, oid))
                    return fail("rowstatus needs a column OID");
                rowStatusColumns.push_back(oid);
            } else if (word == "template") {
                MibValue value;
                if (!ParseObjectLine(arg, oid, value))
                    return fail("template needs COLUMN|TYPE|VALUE");
                templates[oid] = value;
            } else if (word == "remove") {
                if (!ParseOid(arg, oid))
                    return fail("remove needs an OID");
                for (auto it = objects.lower_bound(oid); it != objects.end() && OidStartsWith(it->first, oid);)
                    it = objects.erase(it);
            } else if (word == "user") {
                SimUser user;
                std::string why;
                if (!SimUser::Parse(arg, user, why))
                    return fail(why);
                users.push_back(user);
            } else {
                return fail("unknown directive '" + word + "'");
            }
            continue;
        }
        if (trimmed[0] == '#')
            continue;
        Oid oid;
        MibValue value;
        if (!ParseObjectLine(line, oid, value))
            return fail("not OID|TYPE|VALUE with a known type");
        objects[oid] = value;
    }
    return true;
}

bool MibStore::IsReadOnly(const Oid& oid) const
{
    for (const Oid& prefix : readOnly)
        if (OidStartsWith(oid, prefix))
            return true;
    return false;
}

const Oid* MibStore::RowStatusColumnOf(const Oid& oid) const
{
    for (const Oid& column : rowStatusColumns)
        if (oid.size() > column.size() && OidStartsWith(oid, column))
            return &column;
    return nullptr;
}

const std::pair<const Oid, MibValue>* MibStore::TemplateColumnOf(const Oid& oid) const
{
    for (const auto& entry : templates)
        if (oid.size() > entry.first.size() && OidStartsWith(oid, entry.first))
            return &entry;
    return nullptr;
}
