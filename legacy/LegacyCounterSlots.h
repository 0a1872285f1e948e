// The live values of a counter view: one asynchronous sender per slot, all
// asked at once, each reply placed in its own slot on the user-interface
// thread. A slot has at most one request out: asked again while it waits, it
// only remembers what it wants, and asks for that when the reply (or the
// time-out) of its request comes. So a slow switch never gets a pile of
// requests, and every slot's reply is taken. A slot shows only a reply to
// what it wants now: a reply to an earlier wish (another group, another
// counter, another index) is dropped, and so is one to a slot forgotten
// since.
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
    // One SNMPv1 GET of `oid` for the slot, now, or when the slot's request
    // that is out ends; what CSnmp4w::sendAsync returned (SnmpStatusOk when
    // the request waits for the one out).
    int Ask(int slot, const std::string& oid, const std::string& host, const std::string& community);
    // Whatever the slot asked is no longer wanted.
    void Forget(int slot);
    // Whether the slot has a request out.
    bool Waiting(int slot) const;
    // The message's handler: shows each reply that is the latest of its slot
    // and holds a value without an error status.
    void TakeReplies(const std::function<void(int slot, CSnmp& reply)>& show);
    // No reply reaches the window any more; the senders stop.
    void Stop();

private:
    static int OnCounterReply(CSnmp* response, int requestId, void* userData, int status);
    int Send(std::size_t slot);

    struct Slot
    {
        int awaited = 0;       // the id of the request out; 0: none
        std::string asked;     // the OID of that request
        std::string wanted;    // the OID the slot shows; empty: forgotten
        std::string host;
        std::string community;
    };
    std::shared_ptr<LegacyReplyToken> m_token;
    std::vector<std::unique_ptr<CSnmp4w>> m_senders;
    std::vector<Slot> m_slots;
};
