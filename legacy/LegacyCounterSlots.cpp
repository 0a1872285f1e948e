#include "legacy/LegacyCounterSlots.h"

#include "platform/snmp/CSnmpV1.h"

#include <algorithm>

LegacyCounterSlots::LegacyCounterSlots(int count) : m_awaited(static_cast<std::size_t>(count), 0)
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
    CSnmpV1 request(SnmpPduGet);
    request.setCommunity(community.c_str());
    request.addValue(oid.c_str(), SnmpValueNull);
    m_senders[at]->setRequest(&request);
    const int result = m_senders[at]->sendAsync(host.c_str(), &LegacyCounterSlots::OnCounterReply, m_token->Key(),
                                                nullptr, 0);
    m_awaited[at] = result == SnmpStatusOk ? m_senders[at]->getRequestID() : 0;
    return result;
}

void LegacyCounterSlots::Forget(int slot)
{
    if (static_cast<std::size_t>(slot) < m_awaited.size())
        m_awaited[static_cast<std::size_t>(slot)] = 0;
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
        const auto it = std::find(m_awaited.begin(), m_awaited.end(), reply.requestId);
        if (it == m_awaited.end())
            continue; // stale: the slot has asked again since, or forgot it
        *it = 0;
        if (reply.status != SnmpStatusOk || !reply.response || reply.response->getVarBindCount() < 1)
            continue;
        int errorStatus = 0;
        int errorIndex = 0;
        reply.response->getError(&errorStatus, &errorIndex);
        if (errorStatus == 0)
            show(static_cast<int>(it - m_awaited.begin()), *reply.response);
    }
}

void LegacyCounterSlots::Stop()
{
    if (m_token)
        m_token->Revoke();
    // Each sender waits for its call-backs that are running to leave.
    m_senders.clear();
    std::fill(m_awaited.begin(), m_awaited.end(), 0);
}
