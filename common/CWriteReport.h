// What became of the writes of one user action (one Apply, one Delete, one
// OK): every dialog sends its SETs through one of these, so that a write the
// switch refused or did not answer is said the same way everywhere, once per
// action, and a sequence of writes stops where it failed.
//
//     CWriteReport report;
//     for (int nPort = nFirst; nPort <= nLast; ++nPort) {
//         session.Open(3);
//         session.AddValue(...);
//         if (!report.Send(session, "the PoE settings of port " + std::to_string(nPort))) {
//             report.SetProgress(CWriteReport::PortProgress("Ports", nFirst, nPort));
//             break;                       // the first failure ends the sequence
//         }
//     }
//     if (report.Report())                 // says it, once; true when something failed
//         return;
//
// A failure is refused (the switch answered with an error status, named in
// words) or silent (no answer within the time-out: a loop that goes on would
// cost the window one more time-out per step, so it stops here too).
// Use it on the UI thread; asynchronous replies are recorded with Check from
// the handler their call-back hands them to.
#pragma once

#include "platform/snmp/CSnmp.h"

#include <string>
#include <vector>

class CCommonSNMP;

class CWriteReport
{
public:
    enum class Result
    {
        Accepted,
        Refused,
        Silent
    };

    // Sends the SET prepared on the session (Open(3) and its bindings);
    // true when the switch accepted it. Otherwise records what was not
    // written (a noun phrase: "the PoE threshold", "the state of port 5")
    // and returns false. After a failure nothing more is sent: it returns
    // false at once.
    bool Send(CCommonSNMP& session, const std::string& strWhat, int nTimeout = 0);

    // Records the outcome of a SET sent elsewhere: the send status
    // (SnmpStatusOk when a reply came) and the reply, which may be null.
    // True when it was accepted.
    bool Check(int nSendStatus, CSnmp* pResponse, const std::string& strWhat);

    // Records a failure known otherwise (a call that returns only FALSE,
    // a reply that never came).
    void Refused(const std::string& strWhat, int nErrorStatus);
    void Silent(const std::string& strWhat);

    // What the sequence wrote before its failure, a sentence of its own
    // ("Ports 1-4 were written; port 5 and later were not.").
    void SetProgress(const std::string& strProgress);

    bool Failed() const { return m_result != Result::Accepted; }
    bool TimedOut() const { return m_result == Result::Silent; }
    Result GetResult() const { return m_result; }
    int ErrorStatus() const { return m_nErrorStatus; }

    // The message: what was not written, why, and the progress sentence.
    std::string Text() const;

    // Says the failure in a message box, once; true when a write failed
    // (whether said now or before). strOwnText replaces the first sentence
    // where the dialog has its own failure message for that write.
    bool Report(const std::string& strOwnText = std::string());

    // "not writable", "wrong value", ... for an agent error status.
    static std::string ErrorWords(int nErrorStatus);
    // The progress of a loop over items first..last that failed at
    // nFailed: "Nothing was written." when it failed at the first,
    // "Port 1 was written; port 2 and later were not.",
    // "Ports 1-4 were written; port 5 and later were not.". strNoun is the
    // plural noun ("Ports", "Rows"); its singular is it without the final s.
    static std::string PortProgress(const std::string& strNoun, int nFirst, int nFailed);
    // The progress of a sequence of different settings that failed after the
    // ones named (noun phrases, in the order written): "Nothing was
    // written.", "The spanning tree state was written; nothing after it
    // was.", "The state, the interval and the mode were written; nothing
    // after them was.".
    static std::string SequenceProgress(const std::vector<std::string>& written);

private:
    Result m_result = Result::Accepted;
    int m_nErrorStatus = 0;
    std::string m_strWhat;
    std::string m_strProgress;
    bool m_bSaid = false;
};
