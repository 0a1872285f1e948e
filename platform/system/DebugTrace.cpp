#include "platform/system/DebugTrace.h"

#include <QLoggingCategory>
#include <QString>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

Q_LOGGING_CATEGORY(lcTrace, "korvel.trace", QtInfoMsg)

} // namespace

bool IsDebugTraceEnabled()
{
    return lcTrace().isDebugEnabled();
}

void OutputDebugString(const std::string& text)
{
    if (!IsDebugTraceEnabled())
        return;
    std::string line = text;
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    qCDebug(lcTrace).noquote() << QString::fromStdString(line);
}

void DebugTrace(const char* format, ...)
{
    if (!IsDebugTraceEnabled() || format == nullptr)
        return;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
    va_end(again);
    OutputDebugString(std::string(buffer.data(), static_cast<std::size_t>(length)));
}
