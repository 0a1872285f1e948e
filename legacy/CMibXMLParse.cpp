#include "legacy/CMibXMLParse.h"

namespace {

// An indexed binding's OID holds at most this many characters.
constexpr std::size_t kMaxIndexedOid = 254;

} // namespace

bool CMibXMLParse::Open(const std::string& fileName, const std::string& section)
{
    return LoadFile(fileName) && OpenSection(section) && ReadItemList();
}

bool CMibXMLParse::LoadFile(const std::string& fileName)
{
    CXmlDocument document;
    if (!document.Load(fileName))
        return false;
    m_pDocument = document;
    m_bDocument = true;
    return true;
}

bool CMibXMLParse::OpenSection(const std::string& section)
{
    if (!m_bDocument)
        return false;
    for (const CXmlNode& mib : m_pDocument.SelectNodes("MIB")) {
        for (CXmlNode child = mib.FirstChild(); child; child = child.NextSibling()) {
            if (child.NodeName() == section) {
                m_pSection = child;
                return true;
            }
        }
    }
    return false;
}

bool CMibXMLParse::ReadItemList()
{
    if (!m_pSection)
        return false;
    m_pItemList = m_pSection.ChildNodes();
    m_nItemCount = static_cast<int>(m_pItemList.size());
    return true;
}

bool CMibXMLParse::AttachDocument(const CXmlDocument& document)
{
    const std::vector<CXmlNode> mibs = document.SelectNodes("MIB");
    if (mibs.size() != 1)
        return false;
    m_pDocument = document;
    m_bDocument = true;
    m_pSection = mibs.front().FirstChild();
    return ReadItemList();
}

bool CMibXMLParse::ChildText(const CXmlNode& item, const char* element, std::string& text) const
{
    const CXmlNode child = item.SelectSingleNode(element);
    if (!child)
        return false;
    text = child.Text();
    return true;
}

bool CMibXMLParse::GetItemName(const CXmlNode& item, std::string& text) const
{
    return ChildText(item, "NAME", text);
}

bool CMibXMLParse::BuildGetRequest(CSnmp& request, const char* suffix)
{
    if (!m_pSection)
        return false;
    for (CXmlNode item = m_pSection.FirstChild(); item; item = item.NextSibling()) {
        std::string oid;
        if (!GetItemName(item, oid))
            return false;
        if (suffix)
            oid += std::string(".") + suffix;
        request.addValue(oid.c_str(), SnmpValueNull);
    }
    return true;
}

bool CMibXMLParse::BuildSetRequest(CSnmp& request)
{
    if (!m_pSection)
        return false;
    for (CXmlNode item = m_pSection.FirstChild(); item; item = item.NextSibling()) {
        std::string name;
        if (!GetItemName(item, name))
            return false;
        std::string access;
        if (!GetItemAccess(item, access) || access.find("WRITE") == std::string::npos)
            continue;
        if (access.find("INDEX") != std::string::npos) {
            ValueList suffixes;
            GetSuffixList(item, suffixes);
            for (const _value& entry : suffixes) {
                const std::string oid = name + "." + entry.label;
                if (oid.size() > kMaxIndexedOid)
                    continue; // longer than an OID text may be: not sent cut short
                request.addValue(oid.c_str(), SnmpValueNull, entry.value.c_str());
            }
        } else {
            std::string value;
            if (GetRetValue(item, value))
                request.addValue(name.c_str(), SnmpValueNull, value.c_str());
        }
    }
    return true;
}

bool CMibXMLParse::FindItem(const std::string& oid, CXmlNode& item) const
{
    if (!m_pSection)
        return false;
    for (CXmlNode node = m_pSection.FirstChild(); node; node = node.NextSibling()) {
        std::string name;
        if (!GetItemName(node, name))
            return false;
        if (name == oid) {
            item = node;
            return true;
        }
    }
    return false;
}

bool CMibXMLParse::GetItemType(const CXmlNode& item, std::string& text) const
{
    return ChildText(item, "TYPE", text);
}

bool CMibXMLParse::GetItemDesc(const CXmlNode& item, std::string& text) const
{
    return ChildText(item, "DESC", text);
}

bool CMibXMLParse::GetItemAccess(const CXmlNode& item, std::string& text) const
{
    return ChildText(item, "ACCESS", text);
}

bool CMibXMLParse::GetRetValue(const CXmlNode& item, std::string& text) const
{
    return ChildText(item, "RETVALUE", text);
}

bool CMibXMLParse::GetItemType(const std::string& oid, std::string& text) const
{
    CXmlNode item;
    return FindItem(oid, item) && GetItemType(item, text);
}

bool CMibXMLParse::GetItemDesc(const std::string& oid, std::string& text) const
{
    CXmlNode item;
    return FindItem(oid, item) && GetItemDesc(item, text);
}

bool CMibXMLParse::GetItemAccess(const std::string& oid, std::string& text) const
{
    CXmlNode item;
    return FindItem(oid, item) && GetItemAccess(item, text);
}

bool CMibXMLParse::GetRetValue(const std::string& oid, std::string& text) const
{
    CXmlNode item;
    return FindItem(oid, item) && GetRetValue(item, text);
}

bool CMibXMLParse::GetValueList(const CXmlNode& item, ValueList& list) const
{
    const CXmlNode table = item.SelectSingleNode("VALUE");
    if (!table)
        return false;
    for (CXmlNode entry = table.FirstChild(); entry; entry = entry.NextSibling())
        list.push_back({entry.BaseName(), entry.Text()});
    return true;
}

bool CMibXMLParse::GetValueList(const std::string& oid, ValueList& list) const
{
    CXmlNode item;
    return FindItem(oid, item) && GetValueList(item, list);
}

bool CMibXMLParse::GetSuffixList(const CXmlNode& item, ValueList& list) const
{
    const CXmlNode retValue = item.SelectSingleNode("RETVALUE");
    if (!retValue)
        return false;
    const std::vector<CXmlNode> suffixes = retValue.SelectNodes("SUFFIX");
    if (suffixes.empty())
        return false;
    for (const CXmlNode& suffix : suffixes) {
        _value entry;
        ChildText(suffix, "NAME", entry.label);
        ChildText(suffix, "VALUE", entry.value);
        list.push_back(entry);
    }
    return true;
}

bool CMibXMLParse::GetSuffixList(const std::string& oid, ValueList& list) const
{
    CXmlNode item;
    return FindItem(oid, item) && GetSuffixList(item, list);
}

bool CMibXMLParse::SetRetValue(const CXmlNode& item, const std::string& text)
{
    const CXmlNode retValue = item.SelectSingleNode("RETVALUE");
    if (retValue)
        return retValue.SetText(text);
    return AddTextElement(item, "RETVALUE", text);
}

bool CMibXMLParse::SetRetValue(const std::string& oid, const std::string& text)
{
    CXmlNode item;
    return FindItem(oid, item) && SetRetValue(item, text);
}

bool CMibXMLParse::AddSuffix(const CXmlNode& item, const std::string& suffix, const std::string& value)
{
    CXmlNode retValue = item.SelectSingleNode("RETVALUE");
    if (!retValue) {
        retValue = item.AppendChild(m_pDocument.CreateElement("RETVALUE"));
        if (!retValue)
            return false;
    }
    const CXmlNode entry = retValue.AppendChild(m_pDocument.CreateElement("SUFFIX"));
    if (!entry)
        return false;
    const bool name = AddTextElement(entry, "NAME", suffix);
    const bool val = AddTextElement(entry, "VALUE", value);
    return name && val;
}

bool CMibXMLParse::AddSuffix(const std::string& oid, const std::string& suffix, const std::string& value)
{
    CXmlNode item;
    return FindItem(oid, item) && AddSuffix(item, suffix, value);
}

bool CMibXMLParse::AddTextElement(const CXmlNode& parent, const std::string& name, const std::string& text)
{
    const CXmlNode element = m_pDocument.CreateElement(name);
    if (!element)
        return false;
    if (!text.empty() && !element.SetText(text))
        return false;
    return static_cast<bool>(parent.AppendChild(element));
}

bool CMibXMLParse::ItemFirstChildText(int position, std::string& text) const
{
    if (position < 0 || position >= m_nItemCount)
        return false;
    const CXmlNode first = m_pItemList[static_cast<std::size_t>(position)].FirstChild();
    if (!first)
        return false;
    text = first.Text();
    return true;
}

bool CMibXMLParse::FirstItemName(std::string& text)
{
    if (!ItemFirstChildText(0, text))
        return false;
    m_nCursor = 0;
    return true;
}

bool CMibXMLParse::NextItemName(std::string& text)
{
    if (m_nCursor == -1)
        return false;
    if (m_nCursor < m_nItemCount)
        ++m_nCursor;
    if (m_nCursor >= m_nItemCount)
        return false;
    return ItemFirstChildText(m_nCursor, text);
}
