// Messages announced to the other programs of the desktop session (the port
// click). Each goes out as the D-Bus signal
//   path "/org/korvel/Module", interface "org.korvel.Module", member "Broadcast",
//   arguments (string message name, uint64 wParam, int64 lParam)
// on the session bus. Without a session bus nothing is sent.
#pragma once

#include "platform/system/WinTypes.h"

#include <string>

inline constexpr char kBroadcastPath[] = "/org/korvel/Module";
inline constexpr char kBroadcastInterface[] = "org.korvel.Module";
inline constexpr char kBroadcastMember[] = "Broadcast";

// True when the signal was handed to the session bus.
bool BroadcastSystemMessage(const std::string& messageName, WPARAM wParam, LPARAM lParam);
