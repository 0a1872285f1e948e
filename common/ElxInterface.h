// An element of a compiled pattern tree. Matching is depth-first backtracking:
// TryFirst finds the element's first way of matching at the context's
// position, TryNext its next way after everything tried later has been undone.
// Elements keep no matching state of their own; records for TryNext go onto
// the context's backtrack stack, so an element may be re-entered while it is
// already being matched and one tree may be matched by several threads, each
// with its own context.
#pragma once

class CMatchContext;

class ElxInterface
{
public:
    ElxInterface() = default;
    ElxInterface(const ElxInterface&) = delete;
    ElxInterface& operator=(const ElxInterface&) = delete;

    // Non-zero when the element matches at the position; on success the
    // position has moved past what it matched and its records are pushed, on
    // failure the position and the stacks are as they were.
    virtual int TryFirst(CMatchContext* pContext) const = 0;
    // Non-zero when the element finds its next way of matching from the same
    // start; otherwise the element is undone completely and 0 is returned.
    virtual int TryNext(CMatchContext* pContext) const = 0;
    virtual ~ElxInterface() = default;
};
