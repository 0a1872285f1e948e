#include "legacy/LegacyCounterSlots.h"

#include "platform/snmp/CSnmpV1.h"

#include <algorithm>

LegacyCounterSlots::LegacyCounterSlots(int count) : m_slots(static_cast<std::size_t>(count))
{
    for (int i = 0; i < count; ++i)
        m_senders.push_back(std::make_unique<CSnmp4w>());
}

LegacyCounterSlots::~LegacyCounterSlots()
{
    Stop();
}

void LegacyCounterSlots::Start(HWND window, UINT message)
{
    m_token = LegacyReplyToken::Create(window, message);
}

int LegacyCounterSlots::Ask(int slot, const std::string& oid, const std::string& host, const std::string& community)
{
    const auto at = static_cast<std::size_t>(slot);
    if (!m_token || m_token->Revoked() || at >= m_senders.size() || !m_senders[at])
        return SnmpStatusFailed;
    Slot& s = m_slots[at];
    s.wanted = oid;
    s.host = host;
    s.community = community;
    if (s.awaited != 0)
        return SnmpStatusOk; // asked when the request out ends
    return Send(at);
}

int LegacyCounterSlots::Send(std::size_t at)
{
    Slot& s = m_slots[at];
    CSnmpV1 request(SnmpPduGet);
    request.setCommunity(s.community.c_str());
    request.addValue(s.wanted.c_str(), SnmpValueNull);
    m_senders[at]->setRequest(&request);
    const int result =
        m_senders[at]->sendAsync(s.host.c_str(), &LegacyCounterSlots::OnCounterReply, m_token->Key(), nullptr, 0);
    s.awaited = result == SnmpStatusOk ? m_senders[at]->getRequestID() : 0;
    s.asked = s.awaited != 0 ? s.wanted : std::string();
    return result;
}

void LegacyCounterSlots::Forget(int slot)
{
    if (static_cast<std::size_t>(slot) < m_slots.size())
        m_slots[static_cast<std::size_t>(slot)].wanted.clear();
}

bool LegacyCounterSlots::Waiting(int slot) const
{
    return static_cast<std::size_t>(slot) < m_slots.size() && m_slots[static_cast<std::size_t>(slot)].awaited != 0;
}

int LegacyCounterSlots::OnCounterReply(CSnmp* response, int requestId, void* userData, int status)
{
    return LegacyReplyToken::OnReply(response, requestId, userData, status);
}

void LegacyCounterSlots::TakeReplies(const std::function<void(int slot, CSnmp& reply)>& show)
{
    if (!m_token)
        return;
    for (LegacyReplyToken::Reply& reply : m_token->Take()) {
        if (m_token->Revoked())
            break;
        if (reply.requestId == 0)
            continue;
        const auto it = std::find_if(m_slots.begin(), m_slots.end(),
                                     [&](const Slot& s) { return s.awaited == reply.requestId; });
        if (it == m_slots.end())
            continue; // stale: no slot waits for it
        const auto at = static_cast<std::size_t>(it - m_slots.begin());
        it->awaited = 0;
        const bool current = !it->wanted.empty() && it->asked == it->wanted;
        if (current && reply.status == SnmpStatusOk && reply.response && reply.response->getVarBindCount() >= 1) {
            int errorStatus = 0;
            int errorIndex = 0;
            reply.response->getError(&errorStatus, &errorIndex);
            if (errorStatus == 0)
                show(static_cast<int>(at), *reply.response);
        }
        // What the slot wants now, when it changed while its request was out.
        if (!current && !it->wanted.empty())
            Send(at);
    }
}

void LegacyCounterSlots::Stop()
{
    if (m_token)
        m_token->Revoke();
    // Each sender waits for its call-backs that are running to leave.
    m_senders.clear();
    for (Slot& s : m_slots)
        s.awaited = 0;
}
