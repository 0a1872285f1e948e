#include "platform/xml/XmlDocumentData.h"

#include <libxml/tree.h>

#include <algorithm>

namespace xml_detail {

void DocumentData::KeepDetached(void* node)
{
    if (std::find(detached.begin(), detached.end(), node) == detached.end())
        detached.push_back(node);
}

DocumentData::~DocumentData()
{
    // Find every outside node first: freeing one frees the nodes below it.
    std::vector<xmlNodePtr> outside;
    for (void* p : detached) {
        auto* node = static_cast<xmlNodePtr>(p);
        if (node->parent == nullptr)
            outside.push_back(node);
    }
    for (xmlNodePtr node : outside)
        xmlFreeNode(node);
    if (doc != nullptr)
        xmlFreeDoc(static_cast<xmlDocPtr>(doc));
}

} // namespace xml_detail
