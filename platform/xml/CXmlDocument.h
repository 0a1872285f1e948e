// An XML document with DOM navigation and XPath selection, for the panel
// description and the device configuration files.
//
// Loading drops text nodes that hold only blanks (text between elements);
// comments, processing instructions and other text stay nodes. No external
// entity or DTD is ever fetched. A document is a handle: copies share one tree.
#pragma once

#include "platform/xml/CXmlNode.h"

#include <memory>
#include <string>
#include <vector>

class CXmlDocument
{
public:
    CXmlDocument(); // empty: no element yet

    // Replace the tree by the file's / the text's. False when the file cannot
    // be read or is not well-formed XML; the document is then empty.
    bool Load(const std::string& fileName);
    bool LoadXml(const std::string& text);
    bool IsEmpty() const; // no document element

    // The document node (XPath from the document starts here) and its element.
    CXmlNode DocumentNode() const;
    CXmlNode DocumentElement() const;

    // Every element of that name (with prefix, exact case) in document order.
    std::vector<CXmlNode> GetElementsByTagName(const std::string& name) const;

    // XPath relative to the document node.
    std::vector<CXmlNode> SelectNodes(const std::string& xpath) const;
    CXmlNode SelectSingleNode(const std::string& xpath) const;

    // A new element, outside the tree until it is appended (to an element, or
    // to the document node of an empty document). Null for a name that is not
    // an XML name.
    CXmlNode CreateElement(const std::string& name);

private:
    bool Adopt(void* doc);

    std::shared_ptr<xml_detail::DocumentData> m_data;
};
