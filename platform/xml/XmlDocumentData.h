// Shared by the XML classes only: the document that a CXmlDocument and all
// its CXmlNode handles co-own, so that a node never outlives its document.
#pragma once

#include <vector>

namespace xml_detail {

struct DocumentData
{
    DocumentData() = default;
    DocumentData(const DocumentData&) = delete;
    DocumentData& operator=(const DocumentData&) = delete;
    ~DocumentData();

    // Keeps a node made, or taken out of the tree, here: if it is still
    // outside the tree when the document goes, it is freed with it.
    void KeepDetached(void* node);

    void* doc = nullptr; // the parsed document
    std::vector<void*> detached;
};

} // namespace xml_detail
