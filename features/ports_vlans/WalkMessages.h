// The messages by which a feature-logic object tells its owner window how a
// table walk ended. They are sent (SendMessage, wParam 0, lParam 0) from the
// walk's worker thread; the window handles them on the UI thread while the
// worker waits, so the records the walk filled can be read in the handler.
#pragma once

#include "platform/ui/UiConstants.h"

// The walk has ended (the description walk: however it ended).
inline constexpr UINT WM_WALK_FINISHED = WM_APP + 1001;
// The port table walk reached the end of the table; the description walk
// received a reply of a walk that is no longer current.
inline constexpr UINT WM_WALK_STALE = WM_APP + 1002;
// The port table walk failed (no reply in time, or the request could not run).
inline constexpr UINT WM_WALK_FAILED = WM_APP + 1003;

// The text a feature-logic object's notification of a walk's end carries as
// lParam.
inline constexpr char kWalkFinishedText[] = "Finished";

// A read the dialog started has failed: posted by a walk's worker thread to
// the dialog, which says it on the UI thread (CReadReport). lParam is the
// read's noun phrase, a string literal.
inline constexpr UINT WM_READ_FAILED = WM_APP + 1004;
