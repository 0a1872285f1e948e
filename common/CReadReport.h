// Reads the user started (a dialog opening, Refresh, the read after an Apply)
// that failed or were cut short are said through one of these: once per user
// action, however many of its walks and GETs failed, so that a switch that
// does not answer when a dialog opens costs the user one message.
//
//     CReadReport m_readReport;            // a dialog member; a new one is a new action
//     void OnRefresh() { m_readReport.Begin(); StartWalk(); }
//     // the walk's end, on the UI thread:
//     if (failed) m_readReport.Fail("the server list", m_bHaveList);   // the list is left as it was
//
// Reads the program repeats by itself (timers, retries, polling) are not said:
// they do not call Fail. An Apply that would write what was never read is
// refused with RefuseUnread. Use it on the UI thread.
#pragma once

#include <string>

class CReadReport
{
public:
    // A new user action: its first failed read is said.
    void Begin() { m_bSaid = false; }

    // A read of the current action failed. strWhat names what was not read
    // (a noun phrase: "the VLAN list", "the 802.1X settings"); bKeptLast
    // says that the dialog still shows an earlier complete read of it. Says
    // it in a message box unless this action has said a failure already.
    void Fail(const std::string& strWhat, bool bKeptLast = false);

    // Whether this action has said a failure.
    bool Said() const { return m_bSaid; }

    // The message Fail shows.
    static std::string Text(const std::string& strWhat, bool bKeptLast);

    // Refuses an Apply whose values were not read: "The 802.1X settings could
    // not be read from the switch. Press Refresh and try again."
    static void RefuseUnread(const std::string& strWhat);
    static std::string UnreadText(const std::string& strWhat);

private:
    bool m_bSaid = false;
};
