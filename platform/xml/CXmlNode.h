// One node of a loaded XML document: an element, a text, a comment, an
// attribute selected by XPath, or the document itself. A node is a handle:
// copies name the same node, and every handle keeps its document alive. A
// default-constructed node is null; operations on a null node find nothing and
// change nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace xml_detail {
struct DocumentData;
}

enum class XmlNodeType
{
    Null,
    Element,
    Attribute,
    Text,
    CData,
    Comment,
    ProcessingInstruction,
    Document,
    Other,
};

struct CXmlAttribute
{
    std::string name; // with its prefix, as written
    std::string value;
};

class CXmlNode
{
public:
    CXmlNode() = default;

    bool IsNull() const { return m_node == nullptr; }
    explicit operator bool() const { return m_node != nullptr; }
    bool operator==(const CXmlNode& other) const { return m_node == other.m_node; }

    XmlNodeType Type() const;
    // The element or attribute name with its prefix; "#text", "#cdata-section",
    // "#comment", "#document"; the target of a processing instruction.
    std::string NodeName() const;
    // The name without its prefix.
    std::string BaseName() const;
    // The text of the node and all its descendants, in document order, without
    // the blanks at its two ends.
    std::string Text() const;
    // Element only: its children are replaced by one text (none for "").
    bool SetText(const std::string& text) const;

    // Children and siblings in document order.
    std::vector<CXmlNode> ChildNodes() const;
    CXmlNode FirstChild() const;
    CXmlNode NextSibling() const;
    CXmlNode ParentNode() const;

    // Element only: the attributes in document order (namespace declarations
    // are not attributes here).
    std::vector<CXmlAttribute> Attributes() const;
    bool GetAttribute(const std::string& name, std::string& value) const;

    // XPath 1.0 relative to this node. A query that is not valid XPath, or
    // whose result is not a node set, selects nothing.
    std::vector<CXmlNode> SelectNodes(const std::string& xpath) const;
    CXmlNode SelectSingleNode(const std::string& xpath) const;

    // Appends an element of the same document (made by CreateElement, or moved
    // from elsewhere in the tree) as the last child of this element. Returns
    // the child, or a null node when the child is not an element of this
    // document or this node lies inside it.
    CXmlNode AppendChild(const CXmlNode& child) const;

private:
    friend class CXmlDocument;
    CXmlNode(std::shared_ptr<xml_detail::DocumentData> doc, void* node);

    std::shared_ptr<xml_detail::DocumentData> m_doc;
    void* m_node = nullptr;
};
