// Base of every object that has a message map: windows and the application.
#pragma once

#include "platform/ui/MessageMap.h"

class CCmdTarget
{
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Runs the handler of command nID with notification code nCode (BN_CLICKED
    // for buttons and menu items); FALSE when the map has none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    // True when the message map (with its bases) has an entry for this message
    // number; the layer routes input events only to windows that handle them.
    bool HandlesMessage(UINT message) const;
    // True when the message map (with its bases) has a command entry for
    // command id with notification code (BN_CLICKED for menu items).
    bool HandlesCommand(UINT id, UINT code = BN_CLICKED) const;

    // Runs the first entry of the given kind that matches the call; FALSE when none does.
    BOOL RunMapEntry(msgmap::Kind kind, const msgmap::Call& call, LRESULT* result);

protected:
    static const msgmap::Map* GetThisMessageMap();
    virtual const msgmap::Map* GetMessageMap() const;

private:
    // True when an entry of the given kind matches the call.
    bool HasMapEntry(msgmap::Kind kind, const msgmap::Call& call) const;
};
