// One running instance per name. The lock is a file in the user's runtime
// folder, locked with flock(): the kernel frees it when the process ends, however
// it ends. The holder listens on a local socket of the same name, through which
// a later start asks it to show itself (activation).
//
// Start-up does:
//   CInstanceLock lock(name);
//   if (!lock.Acquire()) { CInstanceLock::ActivateRunning(name); return; }
//   lock.ListenForActivation([] { /* bring the main window to the front */ });
#pragma once

#include "platform/system/WinTypes.h"

#include <functional>
#include <memory>
#include <string>

class CInstanceLock
{
public:
    explicit CInstanceLock(const std::string& name);
    // Frees the lock and stops listening.
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Takes the lock without waiting. True when this object holds it now;
    // false when another process (or another object) holds it, or the lock
    // file cannot be made.
    bool Acquire();
    bool IsHeld() const;

    // Holder only: listens for activation requests. `onActivate` runs on the
    // calling thread (which needs a running Qt event loop, the UI thread's)
    // once per request. False when not held or the socket cannot be made.
    bool ListenForActivation(std::function<void()> onActivate);

    // A later start: asks the holder of `name` to show itself. True when the
    // holder received the request within `timeoutMs`.
    static bool ActivateRunning(const std::string& name, DWORD timeoutMs = 2000);

    // `text` as a file name: letters, digits, '.', '_' and '-' stay, every other
    // byte becomes %XX; a result longer than 64 characters is shortened to a
    // prefix and a hash after '~'. Different texts give different names.
    static std::string EncodeName(const std::string& text);

    // The lock file and the socket path for `name`.
    static std::string LockFilePath(const std::string& name);
    static std::string SocketPath(const std::string& name);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
