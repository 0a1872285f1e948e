// The reader of the device configuration description file (KSXWren_CFG.XML):
//
//     <MIB>
//       <DEVINFO> <ITEM><NAME>oid</NAME><DESC>..</DESC><VALUE><Label>1</Label>..</VALUE></ITEM> .. </DEVINFO>
//       <DEVCFG> .. </DEVCFG>
//     </MIB>
//
// A reader opens one section (the first child of "MIB" of that exact name);
// every child node of the section is one item, whose first child must be its
// "NAME" (the object's OID without instance). Any other node among the items
// (a comment) has no "NAME" and ends every walk over the section there.
// Besides reading, values to write and index suffixes can be put into the
// loaded tree and turned into SET bindings; nothing writes the file back.
#pragma once

#include "platform/snmp/CSnmp.h"
#include "platform/xml/CXmlDocument.h"

#include <string>
#include <vector>

// One entry of a value table (label shown, value text) or of a suffix list
// (instance suffix, value to write).
struct _value
{
    std::string label;
    std::string value;
};
using ValueList = std::vector<_value>;

class CMibXMLParse
{
public:
    CMibXMLParse() = default;
    virtual ~CMibXMLParse() = default;

    // LoadFile, OpenSection and ReadItemList, stopping at the first failure.
    bool Open(const std::string& fileName, const std::string& section);
    bool LoadFile(const std::string& fileName);
    bool OpenSection(const std::string& section);
    bool ReadItemList();
    // Takes a loaded document: its only "MIB" element's first child is the section.
    bool AttachDocument(const CXmlDocument& document);

    // One GET binding (no value) per item: "NAME" [+ "." + suffix].
    bool BuildGetRequest(CSnmp& request, const char* suffix = nullptr);
    // One binding per value to write: "RETVALUE" of a WRITE item, one per
    // "SUFFIX" of a WRITE INDEX item (the value type is the null type).
    bool BuildSetRequest(CSnmp& request);

    bool FindItem(const std::string& oid, CXmlNode& item) const;
    bool GetItemName(const CXmlNode& item, std::string& text) const;

    bool GetItemType(const std::string& oid, std::string& text) const;
    bool GetItemDesc(const std::string& oid, std::string& text) const;
    bool GetItemAccess(const std::string& oid, std::string& text) const;
    bool GetRetValue(const std::string& oid, std::string& text) const;
    bool GetItemType(const CXmlNode& item, std::string& text) const;
    bool GetItemDesc(const CXmlNode& item, std::string& text) const;
    bool GetItemAccess(const CXmlNode& item, std::string& text) const;
    bool GetRetValue(const CXmlNode& item, std::string& text) const;

    // Append to `list`.
    bool GetValueList(const std::string& oid, ValueList& list) const;
    bool GetValueList(const CXmlNode& item, ValueList& list) const;
    bool GetSuffixList(const std::string& oid, ValueList& list) const;
    bool GetSuffixList(const CXmlNode& item, ValueList& list) const;

    bool SetRetValue(const std::string& oid, const std::string& text);
    bool SetRetValue(const CXmlNode& item, const std::string& text);
    bool AddSuffix(const std::string& oid, const std::string& suffix, const std::string& value);
    bool AddSuffix(const CXmlNode& item, const std::string& suffix, const std::string& value);
    bool AddTextElement(const CXmlNode& parent, const std::string& name, const std::string& text);

    // The text of the first child of the section's first / next item.
    bool FirstItemName(std::string& text);
    bool NextItemName(std::string& text);

    int ItemCount() const { return m_nItemCount; }
    int Cursor() const { return m_nCursor; }

private:
    bool ChildText(const CXmlNode& item, const char* element, std::string& text) const;
    bool ItemFirstChildText(int position, std::string& text) const;

    CXmlDocument m_pDocument;
    bool m_bDocument = false;
    CXmlNode m_pSection;
    std::vector<CXmlNode> m_pItemList;
    int m_nItemCount = 0;
    int m_nCursor = -1;
};
