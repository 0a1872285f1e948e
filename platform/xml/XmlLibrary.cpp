#include "platform/xml/XmlLibrary.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <mutex>

namespace xml_detail {
namespace {

void IgnoreGeneric(void*, const char*, ...) {}
void IgnoreStructured(void*, xmlErrorPtr) {}

// No file or network entity is ever loaded.
xmlParserInputPtr RefuseEntity(const char*, const char*, xmlParserCtxtPtr)
{
    return nullptr;
}

} // namespace

void PrepareLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseEntity);
    });
    // The error handlers are per thread.
    xmlSetGenericErrorFunc(nullptr, IgnoreGeneric);
    xmlSetStructuredErrorFunc(nullptr, IgnoreStructured);
}

} // namespace xml_detail
