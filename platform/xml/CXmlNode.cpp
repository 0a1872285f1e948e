#include "platform/xml/CXmlNode.h"

#include "platform/xml/XmlDocumentData.h"
#include "platform/xml/XmlLibrary.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <cstring>

namespace {

xmlNodePtr AsNode(void* p)
{
    return static_cast<xmlNodePtr>(p);
}

std::string FromXml(const xmlChar* text)
{
    return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

std::string TakeXml(xmlChar* text)
{
    std::string result = FromXml(text);
    xmlFree(text);
    return result;
}

std::string PrefixedName(const xmlChar* name, const xmlNs* ns)
{
    std::string full;
    if (ns != nullptr && ns->prefix != nullptr) {
        full = FromXml(ns->prefix);
        full += ':';
    }
    return full + FromXml(name);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Nodes that a handle may name: no namespace nodes (XPath hands out copies of
// those that die with its result).
bool IsHandleType(xmlElementType type)
{
    return type != XML_NAMESPACE_DECL;
}

} // namespace

CXmlNode::CXmlNode(std::shared_ptr<xml_detail::DocumentData> doc, void* node) : m_doc(std::move(doc)), m_node(node) {}

XmlNodeType CXmlNode::Type() const
{
    if (m_node == nullptr)
        return XmlNodeType::Null;
    switch (AsNode(m_node)->type) {
    case XML_ELEMENT_NODE:
        return XmlNodeType::Element;
    case XML_ATTRIBUTE_NODE:
        return XmlNodeType::Attribute;
    case XML_TEXT_NODE:
        return XmlNodeType::Text;
    case XML_CDATA_SECTION_NODE:
        return XmlNodeType::CData;
    case XML_COMMENT_NODE:
        return XmlNodeType::Comment;
    case XML_PI_NODE:
        return XmlNodeType::ProcessingInstruction;
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return XmlNodeType::Document;
    default:
        return XmlNodeType::Other;
    }
}

std::string CXmlNode::NodeName() const
{
    if (m_node == nullptr)
        return {};
    const xmlNodePtr node = AsNode(m_node);
    switch (node->type) {
    case XML_ELEMENT_NODE:
        return PrefixedName(node->name, node->ns);
    case XML_ATTRIBUTE_NODE:
        return PrefixedName(node->name, reinterpret_cast<xmlAttrPtr>(node)->ns);
    case XML_TEXT_NODE:
        return "#text";
    case XML_CDATA_SECTION_NODE:
        return "#cdata-section";
    case XML_COMMENT_NODE:
        return "#comment";
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return "#document";
    default:
        return FromXml(node->name);
    }
}

std::string CXmlNode::BaseName() const
{
    if (m_node == nullptr)
        return {};
    const xmlNodePtr node = AsNode(m_node);
    if (node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE || node->type == XML_PI_NODE)
        return FromXml(node->name);
    return {};
}

std::string CXmlNode::Text() const
{
    if (m_node == nullptr)
        return {};
    std::string text = TakeXml(xmlNodeGetContent(AsNode(m_node)));
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool CXmlNode::SetText(const std::string& text) const
{
    if (m_node == nullptr || AsNode(m_node)->type != XML_ELEMENT_NODE)
        return false;
    if (std::strlen(text.c_str()) != text.size())
        return false;
    const xmlNodePtr node = AsNode(m_node);
    // The old children leave the tree but live on with the document, so that
    // handles to them stay valid.
    while (xmlNodePtr child = node->children) {
        xmlUnlinkNode(child);
        m_doc->KeepDetached(child);
    }
    if (!text.empty()) {
        xmlNodePtr textNode = xmlNewDocText(node->doc, reinterpret_cast<const xmlChar*>(text.c_str()));
        if (textNode == nullptr || xmlAddChild(node, textNode) == nullptr)
            return false;
    }
    return true;
}

std::vector<CXmlNode> CXmlNode::ChildNodes() const
{
    std::vector<CXmlNode> children;
    for (CXmlNode child = FirstChild(); child; child = child.NextSibling())
        children.push_back(child);
    return children;
}

CXmlNode CXmlNode::FirstChild() const
{
    if (m_node == nullptr || AsNode(m_node)->type == XML_ATTRIBUTE_NODE)
        return {};
    xmlNodePtr child = AsNode(m_node)->children;
    return child == nullptr ? CXmlNode() : CXmlNode(m_doc, child);
}

CXmlNode CXmlNode::NextSibling() const
{
    if (m_node == nullptr || AsNode(m_node)->type == XML_ATTRIBUTE_NODE)
        return {};
    xmlNodePtr next = AsNode(m_node)->next;
    return next == nullptr ? CXmlNode() : CXmlNode(m_doc, next);
}

CXmlNode CXmlNode::ParentNode() const
{
    if (m_node == nullptr || AsNode(m_node)->type == XML_ATTRIBUTE_NODE)
        return {};
    xmlNodePtr parent = AsNode(m_node)->parent;
    return parent == nullptr ? CXmlNode() : CXmlNode(m_doc, parent);
}

std::vector<CXmlAttribute> CXmlNode::Attributes() const
{
    std::vector<CXmlAttribute> attributes;
    if (m_node == nullptr || AsNode(m_node)->type != XML_ELEMENT_NODE)
        return attributes;
    for (xmlAttrPtr attr = AsNode(m_node)->properties; attr != nullptr; attr = attr->next)
        attributes.push_back(
            {PrefixedName(attr->name, attr->ns), TakeXml(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attr)))});
    return attributes;
}

bool CXmlNode::GetAttribute(const std::string& name, std::string& value) const
{
    for (const auto& attribute : Attributes()) {
        if (attribute.name == name) {
            value = attribute.value;
            return true;
        }
    }
    return false;
}

std::vector<CXmlNode> CXmlNode::SelectNodes(const std::string& xpath) const
{
    std::vector<CXmlNode> selected;
    if (m_node == nullptr || xpath.empty() || std::strlen(xpath.c_str()) != xpath.size())
        return selected;
    xml_detail::PrepareLibrary();
    const xmlNodePtr node = AsNode(m_node);
    xmlXPathContextPtr context = xmlXPathNewContext(node->doc);
    if (context == nullptr)
        return selected;
    context->node = node;
    xmlXPathObjectPtr result = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context);
    if (result != nullptr && result->type == XPATH_NODESET && result->nodesetval != nullptr) {
        const xmlNodeSetPtr set = result->nodesetval;
        for (int i = 0; i < set->nodeNr; ++i) {
            if (set->nodeTab[i] != nullptr && IsHandleType(set->nodeTab[i]->type))
                selected.push_back(CXmlNode(m_doc, set->nodeTab[i]));
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return selected;
}

CXmlNode CXmlNode::SelectSingleNode(const std::string& xpath) const
{
    auto nodes = SelectNodes(xpath);
    return nodes.empty() ? CXmlNode() : nodes.front();
}

CXmlNode CXmlNode::AppendChild(const CXmlNode& child) const
{
    if (m_node == nullptr || child.m_node == nullptr || child.m_doc != m_doc)
        return {};
    const xmlNodePtr parent = AsNode(m_node);
    const xmlNodePtr node = AsNode(child.m_node);
    if (node->type != XML_ELEMENT_NODE)
        return {};
    if (parent->type == XML_DOCUMENT_NODE) {
        if (xmlDocGetRootElement(parent->doc) != nullptr)
            return {};
    } else if (parent->type != XML_ELEMENT_NODE) {
        return {};
    }
    for (xmlNodePtr p = parent; p != nullptr; p = p->parent)
        if (p == node)
            return {};
    xmlUnlinkNode(node);
    if (xmlAddChild(parent, node) == nullptr) {
        m_doc->KeepDetached(node);
        return {};
    }
    return child;
}
