// Shared by the XML classes only: start-up of the XML library and silencing of
// its error output (errors are results here, never printed).
#pragma once

namespace xml_detail {

// Call before any use of the library on the calling thread.
void PrepareLibrary();

} // namespace xml_detail
