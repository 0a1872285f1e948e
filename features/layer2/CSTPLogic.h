// The loopback detection states that spanning tree is checked against: a port
// may not run both. The STP global settings (CPrivateSpanTBridge) and the STP
// port settings (CPrivateSpanTPort) each own one by value and read through it,
// with synchronous GETs on the base's first session, before they switch
// spanning tree on.
//
// Objects, korvelEnterprise.10.76.19.1.17 (integers, 1 enabled, 2 disabled):
//   .1.0 loopback detection global state | .5.1.2.p the state of port p
#pragma once

#include "common/CModuleBase.h"

#include <string>

class CSTPLogic : public CModuleBase
{
public:
    CSTPLogic();
    ~CSTPLogic() override;

    CSTPLogic(const CSTPLogic&) = delete;
    CSTPLogic& operator=(const CSTPLogic&) = delete;

    // The loopback detection port table's state column (index: port).
    static const std::string kLbdPortState;

    // Reads the global state into m_strLbdGlobalState; false when the switch
    // refused or did not answer (it is left as it was then).
    bool ReadLbdGlobalState();
    // Reads the state of one port into m_strLbdPortState; false when the
    // switch refused or did not answer (it is left as it was then).
    bool ReadLbdPortState(int nPort);

    // Whether spanning tree may run on ports first..last: loopback detection
    // is off, or off on each of them. Conflict: nPort runs it. Unread: the
    // global state (nPort 0) or the state of nPort could not be read; the
    // check stops at the first read that fails.
    enum class LbdCheck
    {
        Free,
        Conflict,
        Unread
    };
    LbdCheck CheckLbdPorts(int nFirst, int nLast, int& nPort);
    // The refusal of an Apply whose check could not be read.
    static std::string UnreadText(int nPort);

    // Numbers as the spanning-tree dialogs read them from texts, the switch's
    // values and what the user typed. True for a whole decimal number, blanks
    // around it allowed.
    static bool IsWholeNumber(const std::string& strText);
    // The whole decimal number the text holds; 0 for a text that holds none
    // (also one with anything else in it) and for one beyond 32 bits.
    static long long WholeNumber(const std::string& strText);

    // The values last read successfully; empty until then.
    std::string m_strLbdGlobalState;
    std::string m_strLbdPortState;
};
