#include "legacy/LegacyReplyToken.h"

#include "platform/snmp/CSnmp.h"
#include "platform/ui/CWnd.h"

#include <atomic>
#include <cstdint>
#include <map>

namespace {

// The live tokens by key. A token is in the table from Create to Revoke.
std::mutex g_tokensLock;
std::map<unsigned long, std::weak_ptr<LegacyReplyToken>>& Tokens()
{
    static std::map<unsigned long, std::weak_ptr<LegacyReplyToken>> tokens;
    return tokens;
}
std::atomic<unsigned long> g_nextKey{1};

std::shared_ptr<LegacyReplyToken> Find(unsigned long key)
{
    std::lock_guard<std::mutex> guard(g_tokensLock);
    auto it = Tokens().find(key);
    return it == Tokens().end() ? nullptr : it->second.lock();
}

} // namespace

std::shared_ptr<LegacyReplyToken> LegacyReplyToken::Create(HWND window, UINT message)
{
    const unsigned long key = g_nextKey.fetch_add(1);
    auto token = std::make_shared<LegacyReplyToken>(window, message, key);
    std::lock_guard<std::mutex> guard(g_tokensLock);
    Tokens()[key] = token;
    return token;
}

LegacyReplyToken::LegacyReplyToken(HWND window, UINT message, unsigned long key)
    : m_hWnd(window), m_message(message), m_key(key)
{
}

LegacyReplyToken::~LegacyReplyToken()
{
    std::lock_guard<std::mutex> guard(g_tokensLock);
    auto it = Tokens().find(m_key);
    if (it != Tokens().end() && it->second.expired())
        Tokens().erase(it);
}

void* LegacyReplyToken::Key() const
{
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(m_key));
}

bool LegacyReplyToken::Deliver(void* key, int kind, CSnmp* response, int requestId, int status)
{
    std::shared_ptr<CSnmp> owned(response);
    std::shared_ptr<LegacyReplyToken> token = Find(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(key)));
    if (!token)
        return false;
    {
        std::lock_guard<std::mutex> guard(token->m_lock);
        if (token->m_revoked)
            return false;
        token->m_queue.push_back(Reply{kind, requestId, status, std::move(owned)});
    }
    // Carried to the user-interface thread and waited for, as a cross-thread
    // SendMessage is; a window that is gone takes nothing, and what is left
    // in the queue goes with the token.
    ::SendMessage(token->m_hWnd, token->m_message, 0, 0);
    return true;
}

std::vector<LegacyReplyToken::Reply> LegacyReplyToken::Take()
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<Reply> replies;
    replies.swap(m_queue);
    return replies;
}

void LegacyReplyToken::Revoke()
{
    std::vector<Reply> dropped;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_revoked = true;
        dropped.swap(m_queue);
    }
    std::lock_guard<std::mutex> guard(g_tokensLock);
    Tokens().erase(m_key);
}

bool LegacyReplyToken::Revoked() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_revoked;
}

int LegacyReplyToken::OnReply(CSnmp* response, int requestId, void* key, int status)
{
    Deliver(key, 0, response, requestId, status);
    return 0;
}

bool LegacyReplyToken::Answers(const Reply& reply, int& awaited)
{
    if (reply.requestId == 0 || reply.requestId != awaited)
        return false;
    awaited = 0;
    return true;
}
