#include "platform/xml/CXmlDocument.h"

#include "platform/xml/XmlDocumentData.h"
#include "platform/xml/XmlLibrary.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

constexpr int kParseOptions = XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

bool IsBlankText(const xmlChar* text)
{
    if (text == nullptr)
        return true;
    for (; *text != 0; ++text)
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n')
            return false;
    return true;
}

// Drops the text nodes that hold only blanks, below `node`.
void DropBlankText(xmlNodePtr node)
{
    xmlNodePtr child = node->children;
    while (child != nullptr) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && IsBlankText(child->content)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            DropBlankText(child);
        }
        child = next;
    }
}

void CollectByName(xmlNodePtr node, const std::string& name, std::vector<xmlNodePtr>& out)
{
    for (xmlNodePtr child = node->children; child != nullptr; child = child->next) {
        if (child->type != XML_ELEMENT_NODE)
            continue;
        std::string full;
        if (child->ns != nullptr && child->ns->prefix != nullptr) {
            full = reinterpret_cast<const char*>(child->ns->prefix);
            full += ':';
        }
        full += reinterpret_cast<const char*>(child->name);
        if (full == name)
            out.push_back(child);
        CollectByName(child, name, out);
    }
}

xmlDocPtr NewEmptyDocument()
{
    return xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
}

} // namespace

CXmlDocument::CXmlDocument()
{
    xml_detail::PrepareLibrary();
    Adopt(NewEmptyDocument());
}

bool CXmlDocument::Adopt(void* doc)
{
    auto data = std::make_shared<xml_detail::DocumentData>();
    const bool parsed = doc != nullptr;
    if (parsed)
        DropBlankText(reinterpret_cast<xmlNodePtr>(doc));
    data->doc = parsed ? doc : NewEmptyDocument();
    m_data = std::move(data);
    return parsed;
}

bool CXmlDocument::Load(const std::string& fileName)
{
    // Read here: the library itself opens no file (no external entities).
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return Adopt(nullptr);
    std::ostringstream content;
    content << file.rdbuf();
    if (!file && !file.eof())
        return Adopt(nullptr);
    return LoadXml(content.str());
}

bool CXmlDocument::LoadXml(const std::string& text)
{
    xml_detail::PrepareLibrary();
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        return Adopt(nullptr);
    return Adopt(xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, kParseOptions));
}

bool CXmlDocument::IsEmpty() const
{
    return xmlDocGetRootElement(static_cast<xmlDocPtr>(m_data->doc)) == nullptr;
}

CXmlNode CXmlDocument::DocumentNode() const
{
    return CXmlNode(m_data, m_data->doc);
}

CXmlNode CXmlDocument::DocumentElement() const
{
    xmlNodePtr root = xmlDocGetRootElement(static_cast<xmlDocPtr>(m_data->doc));
    return root == nullptr ? CXmlNode() : CXmlNode(m_data, root);
}

std::vector<CXmlNode> CXmlDocument::GetElementsByTagName(const std::string& name) const
{
    std::vector<xmlNodePtr> found;
    CollectByName(reinterpret_cast<xmlNodePtr>(m_data->doc), name, found);
    std::vector<CXmlNode> nodes;
    nodes.reserve(found.size());
    for (xmlNodePtr node : found)
        nodes.push_back(CXmlNode(m_data, node));
    return nodes;
}

std::vector<CXmlNode> CXmlDocument::SelectNodes(const std::string& xpath) const
{
    return DocumentNode().SelectNodes(xpath);
}

CXmlNode CXmlDocument::SelectSingleNode(const std::string& xpath) const
{
    return DocumentNode().SelectSingleNode(xpath);
}

CXmlNode CXmlDocument::CreateElement(const std::string& name)
{
    xml_detail::PrepareLibrary();
    const auto* xmlName = reinterpret_cast<const xmlChar*>(name.c_str());
    if (name.empty() || std::strlen(name.c_str()) != name.size() || xmlValidateName(xmlName, 0) != 0)
        return CXmlNode();
    xmlNodePtr node = xmlNewDocNode(static_cast<xmlDocPtr>(m_data->doc), nullptr, xmlName, nullptr);
    if (node == nullptr)
        return CXmlNode();
    m_data->KeepDetached(node);
    return CXmlNode(m_data, node);
}
