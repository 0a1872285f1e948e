// The simulated switch's behaviour, independent of the SNMP agent library:
// the MIB store, reads, the checked and atomic SET with RowStatus rows, the
// test controls, switch behaviours bound to objects, timers and the request
// log. The agent glue (SnmpAgent) feeds it the requests it receives.
#pragma once

#include "tools/korvel-sim/MibStore.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// SNMP error statuses the simulator answers with.
enum SimError : int
{
    SimNoError = 0,
    SimNoSuchName = 2,
    SimBadValue = 3,
    SimReadOnly = 4,
    SimGenErr = 5,
    SimWrongType = 7,
    SimWrongLength = 8,
    SimWrongValue = 10,
    SimNoCreation = 11,
    SimInconsistentValue = 12,
    SimResourceUnavailable = 13,
    SimNotWritable = 17,
};

// Exceptions of a GET binding (their BER tags).
inline constexpr int SimNoSuchObject = 0x80;
inline constexpr int SimNoSuchInstance = 0x81;

using SimBinding = std::pair<Oid, MibValue>;

// What a SET request writes: the objects to store, in order, and the rows to
// remove (entry, index).
struct SimSetPlan
{
    std::vector<SimBinding> sets;
    std::vector<std::pair<Oid, Oid>> destroys;
};

class Simulator
{
public:
    using Clock = std::chrono::steady_clock;
    // Runs before a GET or GETNEXT hands out an object below its prefix; it
    // may change that object's value in the store.
    using GetHook = std::function<void(Simulator&, const Oid&)>;
    // Runs after a SET of an object below its prefix was applied (the store
    // already holds the new value).
    using SetHook = std::function<void(Simulator&, const Oid&, const MibValue&)>;
    // Decides a SET binding below its prefix in place of the store's own
    // rules (a table whose rows follow rules of their own): 0 after adding
    // what the binding writes to the plan, or the error status that refuses
    // the whole request. Runs at every phase of the request, so it only
    // looks at the store.
    using SetRule = std::function<int(const Simulator&, const Oid&, const MibValue&, int version, SimSetPlan&)>;
    // Looks at a binding of a SET below its prefix before anything is
    // written: 0 lets it through, an error status refuses the whole request.
    using CheckHook = std::function<int(Simulator&, const Oid&, const MibValue&)>;

    enum Version
    {
        V1 = 0,
        V2c = 1,
        V3 = 3
    };

    explicit Simulator(MibStore store);
    ~Simulator();

    MibStore& Store() { return m_store; }
    const MibStore& Store() const { return m_store; }
    Clock::time_point StartTime() const { return m_start; }

    // Switch behaviours (see SwitchBehaviours.cpp).
    void OnGet(const std::string& prefix, GetHook hook);
    void OnSet(const std::string& prefix, SetHook hook);
    void OnSetRule(const std::string& prefix, SetRule rule);
    void OnCheck(const std::string& prefix, CheckHook hook);
    // Runs `action` once, `ms` milliseconds from now, between requests.
    void After(int ms, std::function<void(Simulator&)> action);
    // Answers nothing for `ms` milliseconds from now.
    void SilenceFor(int ms);
    // The switch has restarted: sysUpTime counts from now.
    void Restart();

    // GET: 0 and the value, or SimNoSuchObject / SimNoSuchInstance.
    int Get(const Oid& oid, MibValue& out);
    // GETNEXT inside `subtree`: the first object after `from` (or at it when
    // `inclusive`); false when the subtree has none.
    bool GetNext(const Oid& from, bool inclusive, const Oid& subtree, Oid& found, MibValue& out);

    // SET, in the phases of the agent. CheckSet looks at every binding of
    // the request and returns 0 or the error status with the index of the
    // binding it belongs to; it also consumes an armed refusal. ApplySet
    // changes the store (keeping what UndoSet restores), CommitSet runs the
    // test controls and the SET hooks, ForgetSet drops the undo data. `key`
    // identifies one request across its phases.
    int CheckSet(const std::vector<SimBinding>& bindings, int version, size_t& errorIndex);
    void ApplySet(const void* key, const std::vector<SimBinding>& bindings, int version);
    void CommitSet(const void* key, const std::vector<SimBinding>& bindings);
    void UndoSet(const void* key);
    void ForgetSet(const void* key);

    // For the agent's loop.
    int ReplyDelayMs() const;
    bool IsSilent(Clock::time_point now) const;
    // A GET of these objects is answered with no bindings (the test control
    // kSimEmptyReplyOid names one of them); EmptyRepliesArmed: it names one.
    bool AnswersEmpty(const std::vector<Oid>& names) const;
    bool EmptyRepliesArmed() const;
    std::optional<Clock::time_point> NextTimer() const;
    void RunDueTimers(Clock::time_point now);

    // One line per request: KIND<TAB>VERSION<TAB>SECURITY-NAME then, per
    // binding, <TAB>OID|TYPE|VALUE (the data-file form of the value sent;
    // GET and GETNEXT bindings carry 5|, the null value).
    bool OpenLog(const std::string& path);
    void LogRequest(const std::string& kind, int version, const std::string& securityName,
                    const std::vector<SimBinding>& bindings);

private:
    int BuildPlan(const std::vector<SimBinding>& bindings, int version, SimSetPlan& plan, size_t& errorIndex) const;
    bool RowExists(const Oid& entry, const Oid& index) const;
    void RunGetHooks(const Oid& oid);
    void SetControlDefaults();

    MibStore m_store;
    Clock::time_point m_start;
    std::vector<std::pair<Oid, GetHook>> m_getHooks;
    std::vector<std::pair<Oid, SetHook>> m_setHooks;
    std::vector<std::pair<Oid, SetRule>> m_setRules;
    std::vector<std::pair<Oid, CheckHook>> m_checkHooks;
    std::multimap<Clock::time_point, std::function<void(Simulator&)>> m_timers;
    Clock::time_point m_silentUntil;
    std::map<const void*, std::map<Oid, MibValue>> m_undo;
    std::FILE* m_log = nullptr;
};
