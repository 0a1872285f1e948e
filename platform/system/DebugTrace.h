// Debug trace lines, for a developer watching the program run. They go to the
// Qt logging category "korvel.trace", which is off unless asked for, e.g. with
// QT_LOGGING_RULES="korvel.trace.debug=true". Never pass a password or a
// community here: traces end up in terminals and logs.
#pragma once

#include <string>

// One trace line (a trailing line feed is dropped; the logger ends the line).
void OutputDebugString(const std::string& text);

// The same with printf formatting, e.g. DebugTrace(" node num = %d", n).
void DebugTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Whether trace lines are written at all (to skip costly formatting).
bool IsDebugTraceEnabled();
