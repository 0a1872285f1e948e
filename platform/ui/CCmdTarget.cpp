#include "platform/ui/CCmdTarget.h"

namespace {

bool Matches(const msgmap::Entry& e, msgmap::Kind kind, const msgmap::Call& call)
{
    using msgmap::Kind;
    switch (kind) {
    case Kind::Command:
    case Kind::Notify:
        return e.kind == kind && e.code == call.code && call.id >= e.idFirst && call.id <= e.idLast;
    case Kind::ReflectCommand:
    case Kind::ReflectNotify:
        return e.kind == kind && e.code == call.code;
    case Kind::Message:
        return (e.kind == Kind::Message && e.message == call.message) ||
               (e.kind == Kind::Registered && e.registered && *e.registered != 0 && *e.registered == call.message);
    default:
        return false;
    }
}

} // namespace

const msgmap::Map* CCmdTarget::GetThisMessageMap()
{
    static const msgmap::Entry entries[] = {msgmap::End()};
    static const msgmap::Map map{nullptr, entries};
    return &map;
}

const msgmap::Map* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::RunMapEntry(msgmap::Kind kind, const msgmap::Call& call, LRESULT* result)
{
    LRESULT ignored = 0;
    if (!result)
        result = &ignored;
    for (const msgmap::Map* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const msgmap::Entry* e = map->entries; e->kind != msgmap::Kind::End; ++e) {
            if (Matches(*e, kind, call))
                return e->invoke(this, call, result);
        }
    }
    return FALSE;
}

bool CCmdTarget::HasMapEntry(msgmap::Kind kind, const msgmap::Call& call) const
{
    for (const msgmap::Map* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const msgmap::Entry* e = map->entries; e->kind != msgmap::Kind::End; ++e) {
            if (Matches(*e, kind, call))
                return true;
        }
    }
    return false;
}

bool CCmdTarget::HandlesMessage(UINT message) const
{
    msgmap::Call call;
    call.message = message;
    return HasMapEntry(msgmap::Kind::Message, call);
}

bool CCmdTarget::HandlesCommand(UINT id, UINT code) const
{
    msgmap::Call call;
    call.message = WM_COMMAND;
    call.id = id;
    call.code = code;
    return HasMapEntry(msgmap::Kind::Command, call);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* /*pExtra*/, void* /*pHandlerInfo*/)
{
    msgmap::Call call;
    call.message = WM_COMMAND;
    call.wParam = MAKEWPARAM(static_cast<WORD>(nID), static_cast<WORD>(nCode));
    call.id = nID;
    call.code = static_cast<UINT>(nCode);
    return RunMapEntry(msgmap::Kind::Command, call, nullptr);
}
