#include "tools/korvel-sim/Simulator.h"

#include "tools/korvel-sim/SimControlMib.h"

#include <algorithm>

namespace {

Oid MustOid(const char* text)
{
    Oid oid;
    ParseOid(text, oid);
    return oid;
}

const Oid& ControlRoot()
{
    static const Oid oid = MustOid(kSimControlRoot);
    return oid;
}

// RowStatus values.
constexpr int kActive = 1;
constexpr int kNotInService = 2;
constexpr int kCreateAndGo = 4;
constexpr int kCreateAndWait = 5;
constexpr int kDestroy = 6;

bool IsIntegerType(int type)
{
    return type == MibInteger;
}

} // namespace

Simulator::Simulator(MibStore store) : m_store(std::move(store)), m_start(Clock::now()), m_silentUntil(m_start)
{
    SetControlDefaults();
}

Simulator::~Simulator()
{
    if (m_log)
        std::fclose(m_log);
}

void Simulator::SetControlDefaults()
{
    m_store.objects[MustOid(kSimReplyDelay)] = MibValue::Integer(0);
    m_store.objects[MustOid(kSimSilence)] = MibValue::Integer(0);
    MibValue none;
    none.type = MibObjectId;
    none.oid = {0, 0};
    m_store.objects[MustOid(kSimRefuseSetOid)] = none;
    m_store.objects[MustOid(kSimRefuseSetStatus)] = MibValue::Integer(SimGenErr);
    m_store.objects[MustOid(kSimTransferSteps)] = MibValue::Text("4:2000,3:6000,1");
    m_store.objects[MustOid(kSimRebootMs)] = MibValue::Integer(8000);
    m_store.objects[MustOid(kSimSaveMs)] = MibValue::Integer(1500);
    m_store.objects[MustOid(kSimFirmwareStatus)] = MibValue::Integer(0);
    m_store.objects[MustOid(kSimConfigStatus)] = MibValue::Integer(0);
    m_store.objects[MustOid(kSimEntryRecreate)] = MibValue::Integer(0);
    m_store.objects[MustOid(kSimCounterStep)] = MibValue::Integer(0);
    m_store.objects[MustOid(kSimEmptyReplyOid)] = none;
}

void Simulator::OnGet(const std::string& prefix, GetHook hook)
{
    m_getHooks.emplace_back(MustOid(prefix.c_str()), std::move(hook));
}

void Simulator::OnSet(const std::string& prefix, SetHook hook)
{
    m_setHooks.emplace_back(MustOid(prefix.c_str()), std::move(hook));
}

void Simulator::OnSetRule(const std::string& prefix, SetRule rule)
{
    m_setRules.emplace_back(MustOid(prefix.c_str()), std::move(rule));
}

void Simulator::OnCheck(const std::string& prefix, CheckHook hook)
{
    m_checkHooks.emplace_back(MustOid(prefix.c_str()), std::move(hook));
}

void Simulator::After(int ms, std::function<void(Simulator&)> action)
{
    m_timers.emplace(Clock::now() + std::chrono::milliseconds(ms), std::move(action));
}

void Simulator::Restart()
{
    m_start = Clock::now();
}

void Simulator::SilenceFor(int ms)
{
    m_silentUntil = std::max(m_silentUntil, Clock::now() + std::chrono::milliseconds(ms));
}

void Simulator::RunGetHooks(const Oid& oid)
{
    for (auto& [prefix, hook] : m_getHooks)
        if (OidStartsWith(oid, prefix))
            hook(*this, oid);
}

int Simulator::Get(const Oid& oid, MibValue& out)
{
    RunGetHooks(oid);
    auto it = m_store.objects.find(oid);
    if (it != m_store.objects.end()) {
        out = it->second;
        return 0;
    }
    // An instance of a known object (something lives below its parent) is
    // noSuchInstance, anything else noSuchObject.
    Oid parent(oid.begin(), oid.end() - 1);
    auto next = m_store.objects.lower_bound(parent);
    if (next != m_store.objects.end() && OidStartsWith(next->first, parent) && !parent.empty())
        return SimNoSuchInstance;
    return SimNoSuchObject;
}

bool Simulator::GetNext(const Oid& from, bool inclusive, const Oid& subtree, Oid& found, MibValue& out)
{
    auto it = inclusive ? m_store.objects.lower_bound(from) : m_store.objects.upper_bound(from);
    if (it != m_store.objects.end() && it->first < subtree)
        it = m_store.objects.lower_bound(subtree);
    if (it == m_store.objects.end() || !OidStartsWith(it->first, subtree))
        return false;
    found = it->first;
    RunGetHooks(found);
    auto now = m_store.objects.find(found);
    if (now == m_store.objects.end())
        return GetNext(found, false, subtree, found, out);
    out = now->second;
    return true;
}

bool Simulator::RowExists(const Oid& entry, const Oid& index) const
{
    for (auto it = m_store.objects.lower_bound(entry); it != m_store.objects.end() && OidStartsWith(it->first, entry);
         ++it) {
        const Oid& oid = it->first;
        if (oid.size() == entry.size() + 1 + index.size() &&
            std::equal(index.begin(), index.end(), oid.begin() + static_cast<long>(entry.size()) + 1))
            return true;
    }
    return false;
}

int Simulator::BuildPlan(const std::vector<SimBinding>& bindings, int version, SimSetPlan& plan, size_t& errorIndex) const
{
    const bool v1 = version == V1;
    // Rows this request creates, so that other columns of the same row may
    // be set in it.
    std::vector<std::pair<Oid, Oid>> created;
    for (const auto& [oid, value] : bindings) {
        const Oid* column = m_store.RowStatusColumnOf(oid);
        if (column && !m_store.objects.count(oid) && value.type == MibInteger &&
            (value.number == kCreateAndGo || value.number == kCreateAndWait))
            created.emplace_back(Oid(column->begin(), column->end() - 1), Oid(oid.begin() + column->size(), oid.end()));
    }
    auto isCreated = [&](const Oid& entry, const Oid& index) {
        return std::find(created.begin(), created.end(), std::make_pair(entry, index)) != created.end();
    };

    std::vector<SimBinding> rowSets;
    for (size_t i = 0; i < bindings.size(); ++i) {
        const auto& [oid, value] = bindings[i];
        errorIndex = i;

        if (OidStartsWith(oid, ControlRoot())) {
            auto it = m_store.objects.find(oid);
            if (it == m_store.objects.end())
                return v1 ? SimNoSuchName : SimNoCreation;
            if (it->second.type != value.type)
                return SimWrongType;
            if (value.type == MibInteger && value.number < 0)
                return SimWrongValue;
            plan.sets.push_back(bindings[i]);
            continue;
        }

        const auto rule = std::find_if(m_setRules.begin(), m_setRules.end(),
                                       [&](const auto& r) { return OidStartsWith(oid, r.first); });
        if (rule != m_setRules.end()) {
            if (const int status = rule->second(*this, oid, value, version, plan))
                return status;
            continue;
        }

        auto existing = m_store.objects.find(oid);
        const Oid* statusColumn = m_store.RowStatusColumnOf(oid);
        if (statusColumn) {
            if (m_store.IsReadOnly(oid))
                return v1 ? SimReadOnly : SimNotWritable;
            if (!IsIntegerType(value.type))
                return SimWrongType;
            Oid entry(statusColumn->begin(), statusColumn->end() - 1);
            Oid index(oid.begin() + static_cast<long>(statusColumn->size()), oid.end());
            const bool exists = RowExists(entry, index);
            switch (value.number) {
            case kCreateAndGo:
            case kCreateAndWait:
                if (exists)
                    return SimInconsistentValue;
                for (const auto& [templ, templValue] : m_store.templates)
                    if (templ.size() == entry.size() + 1 && OidStartsWith(templ, entry)) {
                        Oid instance = templ;
                        instance.insert(instance.end(), index.begin(), index.end());
                        rowSets.emplace_back(instance, templValue);
                    }
                rowSets.emplace_back(oid, MibValue::Integer(value.number == kCreateAndGo ? kActive : kNotInService));
                break;
            case kActive:
            case kNotInService:
                if (!exists)
                    return SimInconsistentValue;
                plan.sets.push_back(bindings[i]);
                break;
            case kDestroy:
                plan.destroys.emplace_back(entry, index);
                break;
            default:
                return SimWrongValue;
            }
            continue;
        }

        if (existing != m_store.objects.end()) {
            if (m_store.IsReadOnly(oid))
                return v1 ? SimReadOnly : SimNotWritable;
            if (existing->second.type != value.type)
                return SimWrongType;
            plan.sets.push_back(bindings[i]);
            continue;
        }

        // A column of a table with row templates, in a row that exists or
        // that this request creates.
        const auto* templ = m_store.TemplateColumnOf(oid);
        if (templ && !m_store.IsReadOnly(oid)) {
            Oid entry(templ->first.begin(), templ->first.end() - 1);
            Oid index(oid.begin() + static_cast<long>(templ->first.size()), oid.end());
            if (RowExists(entry, index) || isCreated(entry, index)) {
                if (templ->second.type != value.type)
                    return SimWrongType;
                plan.sets.push_back(bindings[i]);
                continue;
            }
        }
        if (m_store.IsReadOnly(oid))
            return v1 ? SimReadOnly : SimNotWritable;
        return v1 ? SimNoSuchName : SimNoCreation;
    }
    // New rows first, so that the request's own values replace the template's.
    plan.sets.insert(plan.sets.begin(), rowSets.begin(), rowSets.end());
    errorIndex = 0;
    return SimNoError;
}

int Simulator::CheckSet(const std::vector<SimBinding>& bindings, int version, size_t& errorIndex)
{
    errorIndex = 0;
    // An armed refusal is used up by the first request that carries its object.
    auto refuse = m_store.objects.find(MustOid(kSimRefuseSetOid));
    for (size_t i = 0; i < bindings.size(); ++i) {
        if (refuse->second.oid == bindings[i].first) {
            refuse->second.oid = {0, 0};
            errorIndex = i;
            int status = static_cast<int>(m_store.objects[MustOid(kSimRefuseSetStatus)].number);
            return status ? status : SimGenErr;
        }
    }
    SimSetPlan plan;
    if (int status = BuildPlan(bindings, version, plan, errorIndex); status != SimNoError)
        return status;
    for (size_t i = 0; i < bindings.size(); ++i) {
        for (auto& [prefix, hook] : m_checkHooks) {
            if (!OidStartsWith(bindings[i].first, prefix))
                continue;
            if (int status = hook(*this, bindings[i].first, bindings[i].second); status != SimNoError) {
                errorIndex = i;
                return status;
            }
        }
    }
    return SimNoError;
}

void Simulator::ApplySet(const void* key, const std::vector<SimBinding>& bindings, int version)
{
    SimSetPlan plan;
    size_t errorIndex = 0;
    if (BuildPlan(bindings, version, plan, errorIndex) != SimNoError)
        return;
    if (!m_undo.count(key))
        m_undo[key] = m_store.objects;
    for (const auto& [oid, value] : plan.sets)
        m_store.objects[oid] = value;
    for (const auto& [entry, index] : plan.destroys) {
        for (auto it = m_store.objects.lower_bound(entry);
             it != m_store.objects.end() && OidStartsWith(it->first, entry);) {
            const Oid& oid = it->first;
            if (oid.size() == entry.size() + 1 + index.size() &&
                std::equal(index.begin(), index.end(), oid.begin() + static_cast<long>(entry.size()) + 1))
                it = m_store.objects.erase(it);
            else
                ++it;
        }
    }
}

void Simulator::CommitSet(const void* key, const std::vector<SimBinding>& bindings)
{
    m_undo.erase(key);
    for (const auto& [oid, value] : bindings) {
        if (oid == MustOid(kSimSilence) && value.number > 0)
            SilenceFor(static_cast<int>(value.number));
        for (auto& [prefix, hook] : m_setHooks)
            if (OidStartsWith(oid, prefix))
                hook(*this, oid, value);
    }
}

void Simulator::UndoSet(const void* key)
{
    auto it = m_undo.find(key);
    if (it != m_undo.end()) {
        m_store.objects = std::move(it->second);
        m_undo.erase(it);
    }
}

void Simulator::ForgetSet(const void* key)
{
    m_undo.erase(key);
}

int Simulator::ReplyDelayMs() const
{
    auto it = m_store.objects.find(MustOid(kSimReplyDelay));
    return it == m_store.objects.end() ? 0 : static_cast<int>(it->second.number);
}

bool Simulator::AnswersEmpty(const std::vector<Oid>& names) const
{
    auto it = m_store.objects.find(MustOid(kSimEmptyReplyOid));
    return it != m_store.objects.end() && std::find(names.begin(), names.end(), it->second.oid) != names.end();
}

bool Simulator::EmptyRepliesArmed() const
{
    auto it = m_store.objects.find(MustOid(kSimEmptyReplyOid));
    return it != m_store.objects.end() && it->second.oid != Oid{0, 0};
}

bool Simulator::IsSilent(Clock::time_point now) const
{
    return now < m_silentUntil;
}

std::optional<Simulator::Clock::time_point> Simulator::NextTimer() const
{
    if (m_timers.empty())
        return std::nullopt;
    return m_timers.begin()->first;
}

void Simulator::RunDueTimers(Clock::time_point now)
{
    while (!m_timers.empty() && m_timers.begin()->first <= now) {
        auto action = std::move(m_timers.begin()->second);
        m_timers.erase(m_timers.begin());
        action(*this);
    }
}

bool Simulator::OpenLog(const std::string& path)
{
    m_log = std::fopen(path.c_str(), "w");
    return m_log != nullptr;
}

void Simulator::LogRequest(const std::string& kind, int version, const std::string& securityName,
                           const std::vector<SimBinding>& bindings)
{
    if (!m_log)
        return;
    std::string line = kind + "\t" + (version == V1 ? "v1" : version == V2c ? "v2c" : "v3") + "\t" + securityName;
    for (const auto& [oid, value] : bindings)
        line += "\t" + OidToText(oid) + "|" + SnmprecValueText(value);
    line += "\n";
    std::fputs(line.c_str(), m_log);
    std::fflush(m_log);
}
