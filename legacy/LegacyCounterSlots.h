// The live values of a counter view: one asynchronous sender per slot, all
// asked at once, each reply placed in its own slot on the user-interface
// thread. A slot shows only the reply to its latest request: a late reply to
// an earlier request of the slot (another group, another counter, another
// index) is dropped, and so is a reply to a slot that was forgotten since.
// Replies reach the window through a LegacyReplyToken, so nothing the
// library still runs reaches a closed view (Stop).
#pragma once

#include "legacy/LegacyReplyToken.h"
#include "platform/snmp/CSnmp4w.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class LegacyCounterSlots
{
public:
    explicit LegacyCounterSlots(int count);
    ~LegacyCounterSlots();
    LegacyCounterSlots(const LegacyCounterSlots&) = delete;
    LegacyCounterSlots& operator=(const LegacyCounterSlots&) = delete;

    // The window that `message` announces replies to.
    void Start(HWND window, UINT message);
    // One SNMPv1 GET of `oid` for the slot; what CSnmp4w::sendAsync returned.
    int Ask(int slot, const std::string& oid, const std::string& host, const std::string& community);
    // The slot's pending request is no longer wanted.
    void Forget(int slot);
    // The message's handler: shows each reply that is the latest of its slot
    // and holds a value without an error status.
    void TakeReplies(const std::function<void(int slot, CSnmp& reply)>& show);
    // No reply reaches the window any more; the senders stop.
    void Stop();

private:
    static int OnCounterReply(CSnmp* response, int requestId, void* userData, int status);

    std::shared_ptr<LegacyReplyToken> m_token;
    std::vector<std::unique_ptr<CSnmp4w>> m_senders;
    std::vector<int> m_awaited; // per slot, the request id whose reply it shows; 0: none
};
