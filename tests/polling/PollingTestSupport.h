// Shared set-up of the polling tests: a sample model's panel tree, the
// simulated switch with that model's data, the connection parameters and
// profile pointing at them, and an owner window stand-in that records what
// the polling asks of the window.
#pragma once

#include "common/Globals.h"
#include "panel/CDevModule.h"
#include "panel/CModule.h"
#include "panel/CPanelStatus.h"
#include "panel/CParseDevXML.h"
#include "panel/CPort.h"
#include "platform/snmp/KorvelMib.h"
#include "resources/main.h"
#include "session/SessionTestSupport.h"
#include "support/ModelFolder.h"
#include "support/SimulatorFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace polling_test {

using session_test::Clock;
using session_test::Eventually;
using session_test::LogLinesOf;
using session_test::MsSince;

inline const std::string kIfAdminStatus = "1.3.6.1.2.1.2.2.1.7";
inline const std::string kPortType = KorvelOid("10.76.19.1.1.13.1.7");
inline const std::string kPoeLedMode = KorvelOid("10.76.19.1.22.8.0");
inline const std::string kPoeLimit = KorvelOid("10.76.19.1.22.6.0");
inline const std::string kPoePortStatus = KorvelOid("10.76.19.1.22.1.1.13");
inline const std::string kSaveInProgress = KorvelOid("10.76.19.1.1.10.0");
inline const std::string kFirmwareTransfer = KorvelOid("10.76.19.1.3.9.6.0");
inline const std::string kConfigTransfer = KorvelOid("10.76.19.1.3.10.6.0");
inline const std::string kReboot = KorvelOid("10.76.19.1.1.9.0");

// The firmware and configuration transfer objects, read-only transfer states.
inline std::string FirmwareData()
{
    return std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/firmware.snmprec";
}

inline std::string ModelData(const std::string& model)
{
    return KorvelSimulator::ModelData(model, "system.snmprec");
}

// A sample model's profile values.
struct Model
{
    std::string name;
    bool poe;
    int ports;
    int poePorts;
    int comboPorts;
    int comboIndex;
    bool fan;
};
inline const Model kPuffin{"KSX-Puffin", true, 28, 24, 0, 0, true};
inline const Model kBellis{"KSX-Bellis", false, 28, 0, 4, 25, false};
inline const Model kCorvid{"KVT-CorvidR2", false, 10, 0, 0, 0, false};

// Points the connection parameters and the profile globals at the simulator
// and the model (SNMPv1).
inline void UseSwitch(const KorvelSimulator& sim, const Model& model)
{
    session_test::UseSimulator(sim);
    g_strModelName = model.name;
    g_nPortCount = model.ports;
    g_nPoePortCount = model.poePorts;
    g_nComboPortCount = model.comboPorts;
    g_nComboPortIndex = model.comboIndex;
    g_bHasFan = model.fan ? 1 : 0;
}

// What the polling asked of the window; any thread.
class RecordingOwner : public CPanelStatusOwner
{
public:
    struct Draw
    {
        CPoint point;
        UINT id = 0;
    };

    void DrawLedBitmap(CPoint point, UINT id) override
    {
        std::lock_guard lock(m_lock);
        m_draws.push_back({point, id});
        Touched();
    }
    void ResetPortLeds() override
    {
        ++m_nResets;
        Touched();
    }
    void InvalidatePanel() override
    {
        ++m_nInvalidates;
        Touched();
    }
    void ArmBlinkTimer() override
    {
        ++m_nTimers;
        Touched();
    }

    std::vector<Draw> Draws() const
    {
        std::lock_guard lock(m_lock);
        return m_draws;
    }
    void Clear()
    {
        std::lock_guard lock(m_lock);
        m_draws.clear();
        m_nResets = m_nInvalidates = m_nTimers = 0;
    }

    std::atomic<int> m_nResets{0};
    std::atomic<int> m_nInvalidates{0};
    std::atomic<int> m_nTimers{0};
    // Set by the test once the owner is detached: a call after that is a fault.
    std::atomic<bool> m_bGone{false};
    std::atomic<int> m_nCallsWhenGone{0};

private:
    void Touched()
    {
        if (m_bGone)
            ++m_nCallsWhenGone;
    }

    mutable std::mutex m_lock;
    std::vector<Draw> m_draws;
};

// A sample model's panel tree, read in the model's folder (its bitmap names
// are relative to it), with a polled status attached to a recording owner.
class PolledPanel
{
public:
    explicit PolledPanel(const Model& model) : m_model(model), m_old(std::filesystem::current_path())
    {
        std::filesystem::current_path(ModelFolder(model.name));
        CParseDevXML reader;
        m_bParsed = reader.Parse((model.name + ".xml").c_str(), &m_root, m_modules) == TRUE;
        m_pStatus = std::make_shared<CPanelStatus>();
        m_pStatus->SetProfile(model.poe, model.ports, model.poePorts, model.comboPorts, model.comboIndex);
        m_pStatus->Attach(&m_owner, &m_root);
    }
    ~PolledPanel()
    {
        if (m_pStatus)
            m_pStatus->End();
        std::filesystem::current_path(m_old);
    }
    PolledPanel(const PolledPanel&) = delete;
    PolledPanel& operator=(const PolledPanel&) = delete;

    bool Parsed() const { return m_bParsed; }
    CPanelStatus& Status() { return *m_pStatus; }
    std::shared_ptr<CPanelStatus>& StatusPtr() { return m_pStatus; }
    RecordingOwner& Owner() { return m_owner; }
    CDevModule& Root() { return m_root; }

    // The status of port part `part` (counted from 0).
    int PortPart(int part) const
    {
        const CVirtualDev* port = m_root.FindChildByClass("CPort", part);
        std::lock_guard lock(CVirtualDev::PanelLock());
        return port != nullptr ? port->GetState() : -1;
    }
    BYTE Led(int port) const
    {
        std::lock_guard lock(m_pStatus->Lock());
        return m_pStatus->m_LedState[static_cast<size_t>(port - 1)];
    }
    int PortState(int port) const
    {
        std::lock_guard lock(m_pStatus->Lock());
        return m_pStatus->m_pPortStates[static_cast<size_t>(port - 1)];
    }

    // Runs one interface walk and waits for its end (the blink timer is
    // armed by the refresh at the end of the walk).
    bool WalkLinks(int timeoutMs = 8000)
    {
        const int before = m_owner.m_nTimers;
        m_pStatus->GetDeviceValues();
        return Eventually([&] { return m_owner.m_nTimers > before; }, timeoutMs);
    }

private:
    Model m_model;
    std::filesystem::path m_old;
    CDevModule m_root;
    std::vector<std::unique_ptr<CModule>> m_modules;
    bool m_bParsed = false;
    RecordingOwner m_owner;
    std::shared_ptr<CPanelStatus> m_pStatus;
};

// A simulated switch with a model's data (the base data first, unless other
// files are given), the connection parameters and profile pointing at it, and
// that model's polled panel: sessions copy the parameters when they are built.
class PolledSwitch
{
public:
    explicit PolledSwitch(const Model& model)
        : PolledSwitch(model, {KorvelSimulator::BaseData(), ModelData(model.name)})
    {
    }
    PolledSwitch(const Model& model, std::vector<std::string> dataFiles)
        : sim(std::move(dataFiles)), panel((UseSwitch(sim, model), model))
    {
    }

    bool Ready() const { return sim.Running() && panel.Parsed(); }

    KorvelSimulator sim;
    PolledPanel panel;
};

} // namespace polling_test
