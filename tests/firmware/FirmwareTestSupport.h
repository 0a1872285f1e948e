// What the firmware and configuration transfer tests share: a switch with
// the transfer objects whose transfers follow the steps a test gives, the
// dialog's inputs filled as a user does, the message boxes with the bar's
// position when each came up, and when the switch received each request.
#pragma once

#include "features/agent_tools/CFirmDownLoad.h"
#include "resources/agent_tools.h"
#include "support/FeatureDialogTest.h"

#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/TimerScale.h"

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace firmwaretest {

inline const std::string kFirmware = KorvelOid("10.76.19.1.3.9");
inline const std::string kConfig = KorvelOid("10.76.19.1.3.10");

inline std::string FirmwareData()
{
    return std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/firmware.snmprec";
}

// A box as the user saw it, with the progress bar behind it.
struct Box
{
    std::string text;
    UINT type = 0;
    int bar = -1;
};

// Records every message box with the bar's position, and answers it.
class Boxes
{
public:
    explicit Boxes(int answer = IDOK) : m_answer(answer)
    {
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            Box box{call.text, call.type, -1};
            if (CWnd* dialog = m_dialog.load(); dialog && IsWindow(dialog->GetSafeHwnd()))
                box.bar = static_cast<CProgressCtrl*>(dialog->GetDlgItem(IDC_FIRM_PROGRESS))->GetPos();
            std::lock_guard lock(m_lock);
            m_boxes.push_back(box);
            return m_answer;
        });
    }
    ~Boxes() { SetMessageBoxHook({}); }
    void Watch(CWnd* dialog) { m_dialog = dialog; }
    std::vector<Box> All() const
    {
        std::lock_guard lock(m_lock);
        return m_boxes;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Box& box : All())
            texts.push_back(box.text);
        return texts;
    }
    std::size_t Count() const { return All().size(); }

private:
    mutable std::mutex m_lock;
    std::atomic<CWnd*> m_dialog{nullptr};
    int m_answer;
    std::vector<Box> m_boxes;
};

// When the switch received each request: the log is read while the test
// waits, and every new line gets the time it was first seen.
class RequestClock
{
public:
    using Clock = std::chrono::steady_clock;
    explicit RequestClock(const KorvelSimulator& sim) : m_sim(sim) {}
    void Sample()
    {
        const std::vector<std::string> lines = m_sim.LogLines();
        for (std::size_t i = m_lines.size(); i < lines.size(); ++i) {
            m_lines.push_back(lines[i]);
            m_times.push_back(Clock::now());
        }
    }
    // The times of the requests of one kind that carry the text.
    std::vector<Clock::time_point> Times(const std::string& kind, const std::string& text) const
    {
        std::vector<Clock::time_point> times;
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            if (m_lines[i].rfind(kind + "\t", 0) == 0 && m_lines[i].find(text) != std::string::npos)
                times.push_back(m_times[i]);
        return times;
    }

private:
    const KorvelSimulator& m_sim;
    std::vector<std::string> m_lines;
    std::vector<Clock::time_point> m_times;
};

inline long Ms(RequestClock::Clock::duration d)
{
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
}

// The six inputs that a transfer disables.
inline const int kInputs[] = {IDC_FIRM_SERVER_IP, IDC_FIRM_FILE_NAME, IDC_FIRM_OPERATION,
                              IDC_FIRM_FILE_TYPE, IDC_FIRM_APPLY,     IDCANCEL};

inline bool InputsEnabled(CWnd& d)
{
    for (int id : kInputs)
        if (!Enabled(d, id))
            return false;
    return true;
}

inline bool Visible(CWnd& d, int id)
{
    return d.GetDlgItem(id)->IsWindowVisible() != FALSE;
}

inline int Bar(CWnd& d)
{
    return static_cast<CProgressCtrl*>(d.GetDlgItem(IDC_FIRM_PROGRESS))->GetPos();
}

// The user types the server address (checked when the field loses the
// focus) and the file name and picks the operation and the file type.
inline void Fill(CWnd& d, const std::string& address, const std::string& file, int operation, int fileType)
{
    CWnd* ip = d.GetDlgItem(IDC_FIRM_SERVER_IP);
    CWnd* name = d.GetDlgItem(IDC_FIRM_FILE_NAME);
    ip->SetWindowText(address);
    ip->SetFocus();
    Pump([&] { return CWnd::GetFocus() == ip; }, 2000);
    name->SetFocus();
    Pump([&] { return CWnd::GetFocus() == name; }, 2000);
    name->SetWindowText(file);
    Item<CComboBox>(d, IDC_FIRM_OPERATION).SetCurSel(operation);
    Item<CComboBox>(d, IDC_FIRM_FILE_TYPE).SetCurSel(fileType);
}

constexpr int kUpgrade = 0;
constexpr int kBackup = 1;
constexpr int kConfiguration = 0;
constexpr int kFirmwareFile = 1;

// A switch with the transfer objects; each transfer follows `steps` (see
// kSimTransferSteps). Window timers run at their own periods unless a test
// scales them; the scale is undone at the end.
class FirmwareTest : public FeatureDialogTest
{
protected:
    void StartFirmwareSwitch(const std::string& steps)
    {
        StartSwitch({KorvelSimulator::BaseData(), FirmwareData()}, 28);
        ASSERT_EQ(sim->Set(kSimTransferSteps, SnmpValueOctetString, steps), 0);
        g_nStatusTimeoutCount = 0;
    }
    void TearDown() override { SetWindowTimerScale(1.0); }
    // Waits for the transfer to end: a box came and the inputs are back.
    bool WaitForEnd(CWnd& d, const Boxes& boxes, std::size_t nBoxes, int timeoutMs, RequestClock* clock = nullptr)
    {
        return Pump(
            [&] {
                if (clock)
                    clock->Sample();
                return boxes.Count() >= nBoxes && InputsEnabled(d);
            },
            timeoutMs);
    }
};

} // namespace firmwaretest
