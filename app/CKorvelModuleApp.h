// The application object: start-up from the host's command line, the one
// module per model and switch address, and the hand-over to the main window.
#pragma once

#include <cstddef>
#include <string>

class CKorvelModuleApp
{
public:
    // Splits the command line into the connection parameters (common/Globals.h).
    // The line is a sequence of positional fields, each introduced by '/' and
    // one tag character that is skipped unread; only the order counts. Returns
    // 1 when the line ended after a complete field (or after the last field
    // wanted), 0 when it stopped early: empty line, no "/I", empty device IP.
    // Fields that are not reached keep their values.
    static int ParseCommandLine(const std::string& strLine);

    // Copies one field starting at nPos up to (not including) the next '/' or
    // the end of the line, dropping every blank; at most nWidth characters are
    // kept, the rest of a longer field is skipped. nPos ends on the '/' or the
    // end of the line.
    static std::string ReadCommandField(const std::string& strLine, std::size_t& nPos, std::size_t nWidth);
};
