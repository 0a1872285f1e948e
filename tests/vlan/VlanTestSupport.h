// What the VLAN dialog tests share beyond FeatureDialogTest: the VLAN data of
// the simulated switch, what it stored and received, the ends of the walks
// beside the VLAN list, and a nested dialog to act on.
#pragma once

#include "support/FeatureDialogTest.h"

#include "platform/ui/WindowRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vlantest {

inline const std::string kVlanTable = "1.3.6.1.4.1.32473.10.76.19.1.7.6.1";
inline std::string VlanColumn(int column, int vid)
{
    return kVlanTable + "." + std::to_string(column) + "." + std::to_string(vid);
}
inline const std::string kAsymmetricState = "1.3.6.1.4.1.32473.10.76.19.1.7.5.0";
inline const std::string kVoiceState = "1.3.6.1.4.1.32473.10.76.19.1.21.1.2.0";
inline const std::string kVoiceVid = "1.3.6.1.4.1.32473.10.76.19.1.21.1.3.0";
inline const std::string kSurveillanceState = "1.3.6.1.4.1.32473.10.76.19.1.26.1.1.0";
inline const std::string kPvidColumn = "1.3.6.1.4.1.32473.10.76.19.1.7.7.1.1";
inline const std::string kTrunkColumn = "1.3.6.1.4.1.32473.10.76.19.1.8.1.3.1.2";

inline std::string VlanData()
{
    return KorvelSimulator::TestData("vlan.snmprec");
}
inline std::string Model52Data()
{
    return KorvelSimulator::ModelData("KSX-Alcor R2", "system.snmprec");
}
inline std::string FixtureData(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/vlan/fixtures/" + name;
}
inline std::vector<std::string> Switch28()
{
    return {KorvelSimulator::BaseData(), VlanData()};
}
inline std::vector<std::string> Switch52()
{
    return {KorvelSimulator::BaseData(), VlanData(), Model52Data(), FixtureData("vlan-52.snmprec")};
}

// Bytes as lower-case hexadecimal text.
inline std::string Hex(const std::string& bytes)
{
    std::string text;
    char digits[3];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", c);
        text += digits;
    }
    return text;
}

// Port numbers first to last as a port list ("1,2,3").
inline std::string Ports(int first, int last)
{
    std::string text;
    for (int p = first; p <= last; ++p)
        text += (text.empty() ? "" : ",") + std::to_string(p);
    return text;
}

// A control's rectangle in the dialog's client coordinates.
inline CRect ClientRectOf(CWnd& dialog, int id)
{
    CRect rect;
    dialog.GetDlgItem(id)->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

// A switch with VLAN editing allowed.
class VlanTest : public FeatureDialogTest
{
protected:
    void SetUp() override { g_bVlanEditable = 1; }

    // An octet string of the simulator as hexadecimal text (KorvelSimulator::Get
    // hands out text, which ends at a zero octet); "<none>" when it cannot be read.
    std::string HexValue(const std::string& oid) const
    {
        CSnmpV1 request(SnmpPduGet);
        request.setCommunity(KorvelSimulator::ReadCommunity().c_str());
        request.addValue(oid.c_str(), SnmpValueNull);
        CSnmp* reply = nullptr;
        if (request.send(sim->Host().c_str(), reply, 2000) != SnmpStatusOk)
            return "<none>";
        std::unique_ptr<CSnmp> owned(reply);
        int status = 0, index = 0, type = 0, length = 0;
        void* data = nullptr;
        reply->getError(&status, &index);
        if (status != 0 || reply->getValueBytes(0, &type, &data, &length) != 0)
            return "<none>";
        const std::string bytes(static_cast<const char*>(data), static_cast<std::size_t>(length > 0 ? length : 0));
        std::free(data);
        return Hex(bytes);
    }

    // Every binding of every SET from the firstSet-th on, in order (the
    // test's own SETs come first).
    std::vector<std::string> SetBindings(std::size_t firstSet = 0) const
    {
        std::vector<std::string> bindings;
        const auto requests = Requests("SET");
        for (std::size_t i = firstSet; i < requests.size(); ++i)
            bindings.insert(bindings.end(), requests[i].begin(), requests[i].end());
        return bindings;
    }
    // Waits until the simulator has been asked for the object after `oid`
    // (the request whose answer ends a walk that reached it), then a little
    // for the call-back.
    bool WaitForGetNextFrom(const std::string& oid, int timeoutMs = 20000) const
    {
        const std::string binding = oid + "|";
        const bool asked = Pump(
            [&] {
                for (const auto& request : Requests("GETNEXT"))
                    for (const std::string& b : request)
                        if (b.rfind(binding, 0) == 0)
                            return true;
                return false;
            },
            timeoutMs);
        PumpFor(150);
        return asked;
    }
    // The PVID walk (and the shorter IP interface walk beside it) ends some
    // time after the VLAN list.
    void WaitForSideReads(int nPorts) const { WaitForGetNextFrom(kPvidColumn + "." + std::to_string(nPorts)); }
    // The trunk walk of the Add/Edit VLAN dialog has read the last group.
    void WaitForTrunkWalk() const { WaitForGetNextFrom(kTrunkColumn + ".8"); }
};

// The open top-level dialog with this caption, or null.
inline CWnd* FindDialog(const std::string& caption)
{
    for (HWND h : WindowRegistry::TopLevelWindows()) {
        WindowRecord* rec = WindowRegistry::Find(h);
        if (rec && rec->object && rec->dialog && rec->widget && rec->widget->isVisible() &&
            rec->object->GetWindowText() == caption)
            return rec->object;
    }
    return nullptr;
}

// Acts on the nested dialog with this caption once it is open (call it before
// the click that opens it); the nested dialog is cancelled should `act`
// leave it open. `opened` tells whether it was found.
inline void WhenDialogOpens(const std::string& caption, std::function<void(CWnd&)> act, bool* opened = nullptr,
                            int timeoutMs = 10000)
{
    QTimer::singleShot(0, [caption, act, opened, timeoutMs] {
        CWnd* dialog = nullptr;
        const bool found = Pump([&] { return (dialog = FindDialog(caption)) != nullptr; }, timeoutMs);
        if (opened)
            *opened = found;
        if (!found)
            return;
        act(*dialog);
        CancelIfStillOpen(static_cast<CDialog*>(dialog));
    });
}

inline bool Checked(CWnd& dialog, int id)
{
    return dialog.IsDlgButtonChecked(id) == BST_CHECKED;
}

inline void DoubleClickRow(CListCtrl& list, int row)
{
    auto* view = static_cast<QAbstractItemView*>(list.GetWidget());
    const QPoint at = RowPoint(list, row);
    Click(view->viewport(), at);
    SendMouse(view->viewport(), QEvent::MouseButtonDblClick, at);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, at);
}
// The row whose first column is the text, -1 when there is none.
inline int RowOf(CListCtrl& list, const std::string& text)
{
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemText(i, 0) == text)
            return i;
    return -1;
}

inline std::vector<std::string> Texts(const std::vector<MessageBoxCall>& calls)
{
    std::vector<std::string> texts;
    for (const MessageBoxCall& call : calls)
        texts.push_back(call.text);
    return texts;
}

} // namespace vlantest
