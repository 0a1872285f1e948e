// Helpers of the utility tests: the port count of a test's device, the
// texts of the message boxes that would have been shown, and inputs that
// sit in memory of exactly their size.
#pragma once

#include "common/Globals.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class PortCount
{
public:
    explicit PortCount(int count) : m_saved(g_nPortCount) { g_nPortCount = count; }
    ~PortCount() { g_nPortCount = m_saved; }
    PortCount(const PortCount&) = delete;
    PortCount& operator=(const PortCount&) = delete;

private:
    int m_saved;
};

// Answers every box with OK and keeps its text.
class MessageRecorder
{
public:
    MessageRecorder()
    {
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            texts.push_back(call.text);
            types.push_back(call.type);
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHook({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::string> texts;
    std::vector<UINT> types;
};

// Bytes in a heap block of exactly their size, so that reading past them is caught by the address
// sanitizer.
class ExactBlock
{
public:
    explicit ExactBlock(std::string_view bytes) : m_size(bytes.size()), m_data(std::make_unique<char[]>(bytes.size()))
    {
        std::copy(bytes.begin(), bytes.end(), m_data.get());
    }
    std::string_view view() const { return {m_data.get(), m_size}; }

private:
    std::size_t m_size;
    std::unique_ptr<char[]> m_data;
};
