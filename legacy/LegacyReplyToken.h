// How the replies of the legacy dialogs' direct SNMP requests reach their
// dialog.
//
// The SNMP library runs a request's call-back on a thread of its own, while
// the dialog may already be closed. So a dialog never gives the library a
// pointer to itself: it gives Key(), a number that names its token in a
// process-wide table. The call-back hands its reply to Deliver(key, ...), on
// the library's thread; Deliver finds the token (a key whose token was
// revoked finds nothing, and the reply is deleted), queues the reply in it
// and sends the token's message to the dialog's window: a call carried to the
// user-interface thread that the library's thread waits for. The handler
// of that message, on the user-interface thread, takes the queued replies
// with Take() and handles them there: request ids and controls change on one
// thread only, and an id stored right after a request was started is in place
// before that request's reply is looked at.
//
// The dialog co-owns its token (a shared pointer) and revokes it when its
// window is destroyed: the token leaves the table, its queue is emptied, and
// replies that arrive later are dropped. A reply already queued when the
// window went is deleted with the token. Keys are never reused.
#pragma once

#include "platform/ui/UiTypes.h"

#include <memory>
#include <mutex>
#include <vector>

class CSnmp;

class LegacyReplyToken
{
public:
    // One reply of a request: what the library's call-back was given.
    struct Reply
    {
        int kind = 0; // the dialog's own tag of the request (walk step, one-shot read, ...)
        int requestId = 0;
        int status = 0;                 // SnmpStatus
        std::shared_ptr<CSnmp> response; // null unless the status is 0
    };

    // A token for the window, registered under a new key; replies are
    // announced by sending `message` (wParam 0, lParam 0) to the window.
    static std::shared_ptr<LegacyReplyToken> Create(HWND window, UINT message);

    LegacyReplyToken(HWND window, UINT message, unsigned long key);
    ~LegacyReplyToken();
    LegacyReplyToken(const LegacyReplyToken&) = delete;
    LegacyReplyToken& operator=(const LegacyReplyToken&) = delete;

    // The user data to give the library for a request whose reply goes here.
    void* Key() const;

    // Any thread (the library's call-backs): queues the reply for the token
    // that `key` names and announces it, taking ownership of the response.
    // False (the response deleted) when no live token has that key.
    static bool Deliver(void* key, int kind, CSnmp* response, int requestId, int status);
    // The library's call-back for a request whose user data is Key(): delivers
    // the reply untagged (kind 0).
    static int OnReply(CSnmp* response, int requestId, void* key, int status);

    // The user-interface thread: the replies queued so far, oldest first.
    std::vector<Reply> Take();
    // Whether the reply answers the request whose id `awaited` holds; if so,
    // that request is no longer awaited (`awaited` becomes 0). A reply of a
    // superseded request answers nothing.
    static bool Answers(const Reply& reply, int& awaited);
    // The user-interface thread: no reply reaches the dialog any more.
    void Revoke();
    bool Revoked() const;

private:
    void Queue(Reply reply);

    const HWND m_hWnd;
    const UINT m_message;
    const unsigned long m_key;
    mutable std::mutex m_lock;
    bool m_revoked = false;
    std::vector<Reply> m_queue;
};
