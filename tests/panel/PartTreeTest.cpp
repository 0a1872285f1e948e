// The front-panel part tree: lookups, hit tests, port states handed to lamps,
// bitmaps following the state, and state changes from several threads.
#include "BmpBuilder.h"

#include "common/Globals.h"
#include "panel/CCom.h"
#include "panel/CDevModule.h"
#include "panel/CLamp.h"
#include "panel/CLed.h"
#include "panel/CModule.h"
#include "panel/CPanel.h"
#include "panel/CPort.h"
#include "panel/CPower.h"
#include "panel/CSlot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace panel_test {

namespace {

template <typename Part> Part* Add(CVirtualDev& parent, int left = 0, int top = 0, int width = 0, int height = 0)
{
    auto* part = static_cast<Part*>(parent.AddChild(std::make_unique<Part>()));
    part->SetGeometry(left, top, width, height);
    return part;
}

CLamp* AddLamp(CPort& port, int type)
{
    CLamp* lamp = Add<CLamp>(port);
    lamp->SetType(type);
    lamp->SetSubject(&port);
    port.Attach(lamp);
    return lamp;
}

// A one-pixel bitmap of one colour.
std::vector<BYTE> Dot(COLORREF colour)
{
    return BuildBmp(BmpSpec(1, 1, 24), [&](int, int) {
        return DWORD(GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
    });
}

COLORREF Shown(const CVirtualDev& part)
{
    std::lock_guard lock(CVirtualDev::PanelLock());
    return part.GetBitmap().GetImage().GetPixel(0, 0);
}

TEST(PartTree, HitTestIsStrictlyInsideTheRectangleShrunkByTwo)
{
    CPanel part;
    part.SetGeometry(10, 20, 30, 40); // x 10..40, y 20..60
    struct Case
    {
        int x, y;
        bool inside;
    };
    for (const Case& c : {Case{12, 30, false}, Case{13, 30, true}, Case{37, 30, true}, Case{38, 30, false},
                          Case{20, 22, false}, Case{20, 23, true}, Case{20, 57, true}, Case{20, 58, false}}) {
        EXPECT_EQ(part.HitTest(c.x, c.y), c.inside) << c.x << "," << c.y;
    }
    // Scale 1 once the owner's size is known: the same answers.
    part.SetOwner(nullptr, CRect(0, 0, 640, 480));
    EXPECT_TRUE(part.HitTest(13, 23));
    EXPECT_FALSE(part.HitTest(12, 23));

    // Five pixels or fewer across is never hit.
    CPanel narrow;
    narrow.SetGeometry(0, 0, 5, 100);
    for (int x = -1; x <= 6; ++x)
        EXPECT_FALSE(narrow.HitTest(x, 50)) << x;
    // An owner without a client area divides by nothing.
    part.SetOwner(nullptr, CRect());
    EXPECT_TRUE(part.HitTest(13, 23));
}

TEST(PartTree, TheRectangleOfExtremeGeometryStopsAtTheEndsOfInt)
{
    CPanel part;
    part.SetGeometry(INT_MAX - 1, INT_MIN + 1, 10, -10);
    CRect rect;
    part.GetRect(&rect);
    EXPECT_EQ(rect.right, INT_MAX);
    EXPECT_EQ(rect.bottom, INT_MIN);
    part.SetGeometry(-5, 7, 10, 20);
    part.GetRect(&rect);
    EXPECT_EQ(rect, CRect(-5, 7, 5, 27));
}

TEST(PartTree, LookupsFindOnlyDirectChildrenAndNeverIndexOutOfRange)
{
    CDevModule root;
    CPanel* plate = Add<CPanel>(root);
    CPort* first = Add<CPort>(root);
    Add<CPort>(*plate); // inside a plate: not numbered
    Add<CPower>(root);
    CPort* second = Add<CPort>(root);
    Add<CSlot>(root);

    EXPECT_EQ(root.FindChildByClass("CPort", 0), first);
    EXPECT_EQ(root.FindChildByClass("CPort", 1), second);
    EXPECT_EQ(root.FindChildByClass("CPort", 2), nullptr);
    EXPECT_EQ(root.FindChildByClass("CPort", -1), nullptr);
    EXPECT_EQ(root.FindChildByClass("cport", 0), nullptr);
    EXPECT_EQ(root.FindChildByClass("CObject", 0), root.GetChild(2)); // the power part
    EXPECT_EQ(root.GetChild(4), root.FindChildByClass("CSlot", 0));
    EXPECT_EQ(root.GetChild(5), nullptr);
    EXPECT_EQ(root.GetChild(-1), nullptr);
    EXPECT_EQ(root.AddChild(nullptr), nullptr);
    EXPECT_EQ(root.GetChildCount(), 5);

    const std::vector<std::pair<std::unique_ptr<CVirtualDev>, const char*>> kinds = [] {
        std::vector<std::pair<std::unique_ptr<CVirtualDev>, const char*>> v;
        v.emplace_back(std::make_unique<CDevModule>(), "CDevModule");
        v.emplace_back(std::make_unique<CPanel>(), "CPanel");
        v.emplace_back(std::make_unique<CModule>(), "CModule");
        v.emplace_back(std::make_unique<CPort>(), "CPort");
        v.emplace_back(std::make_unique<CPower>(), "CObject");
        v.emplace_back(std::make_unique<CCom>(), "CCom");
        v.emplace_back(std::make_unique<CSlot>(), "CSlot");
        v.emplace_back(std::make_unique<CLamp>(), "CLamp");
        v.emplace_back(std::make_unique<CLed>(), "CLed");
        v.emplace_back(std::make_unique<CVirtualDev>(), "CObject");
        return v;
    }();
    for (const auto& [part, name] : kinds)
        EXPECT_EQ(CVirtualDev::GetClassName(part.get()), name);
    EXPECT_EQ(CVirtualDev::GetClassName(nullptr), "");
}

TEST(PartTree, PortStatusGivesEachLampItsValue)
{
    struct Case
    {
        int status;
        int link, speed, power, console, untyped;
    };
    const Case cases[] = {
        {PORTLINK100, LAMPON, LAMPON, LAMPOFF, LAMPOFF, LAMPOFF},
        {PORTLINK10, LAMP1G, LAMP1G, LAMPOFF, LAMPOFF, LAMPOFF},
        {PORTDISABLED, LAMPOFF, LAMPOFF, LAMPOFF, LAMPOFF, LAMPOFF},
        {PORTEMPTY, LAMPOFF, LAMPOFF, LAMPOFF, LAMPOFF, LAMPOFF},
        {9, LAMPOFF, LAMPOFF, LAMPOFF, LAMPOFF, LAMPOFF},
    };
    for (const Case& c : cases) {
        CPort port;
        CLamp* link = AddLamp(port, LAMP_TYPE_LINK);
        CLamp* speed = AddLamp(port, LAMP_TYPE_S100M);
        CLamp* power = AddLamp(port, LAMP_TYPE_POWER);
        CLamp* console = AddLamp(port, LAMP_TYPE_CONSOLE);
        CLamp* untyped = AddLamp(port, LAMP_TYPE_NONE);
        for (CLamp* lamp : {link, speed, power, console, untyped})
            lamp->SetState(7); // anything the port will overwrite
        port.SetStatus(c.status);
        EXPECT_EQ(port.GetState(), c.status);
        EXPECT_EQ(link->GetState(), c.link) << c.status;
        EXPECT_EQ(speed->GetState(), c.speed) << c.status;
        EXPECT_EQ(power->GetState(), c.power) << c.status;
        EXPECT_EQ(console->GetState(), c.console) << c.status;
        EXPECT_EQ(untyped->GetState(), c.untyped) << c.status;
    }
}

TEST(PartTree, PortBitmapFollowsStatusAndAFailedLoadKeepsTheOldOne)
{
    TempDir dir;
    CPort port;
    port.SetBitmap(PORTLINK10, dir.Write("link10.bmp", Dot(RGB(0, 200, 0))).c_str());
    port.SetBitmap(PORTENABLE, dir.Write("enable.bmp", Dot(RGB(60, 60, 60))).c_str());
    port.SetBitmap(PORTLINK100, (dir.Path() / "missing.bmp").string().c_str());
    port.SetBitmap(PORTEMPTY, "");
    port.SetBitmap(5, "ignored.bmp");
    port.SetBitmap(-1, "ignored.bmp");
    EXPECT_EQ(port.GetStatusBitmap(PORTDISABLED), nullptr);
    EXPECT_EQ(port.GetStatusBitmap(5), nullptr);
    CLamp* link = AddLamp(port, LAMP_TYPE_LINK);
    AddLamp(port, LAMP_TYPE_POWER);

    EXPECT_EQ(port.Refresh(), 1); // the initial status, PORTENABLE
    EXPECT_EQ(Shown(port), RGB(60, 60, 60));

    port.SetStatus(PORTLINK10);
    EXPECT_EQ(Shown(port), RGB(0, 200, 0));
    EXPECT_EQ(port.CSubject::GetState(), PORTLINK10);

    // No file for PORTLINK100: the old picture stays, and the subject state
    // keeps what the last lamp was given (the power lamp: off).
    port.SetStatus(PORTLINK100);
    EXPECT_EQ(link->GetState(), LAMPON);
    EXPECT_EQ(Shown(port), RGB(0, 200, 0));
    EXPECT_EQ(port.CSubject::GetState(), LAMPOFF);
    EXPECT_EQ(port.Refresh(), 0);

    // Setting the status it already has does nothing: not even the lamps.
    link->SetState(LAMPOFF);
    port.SetStatus(PORTLINK100);
    EXPECT_EQ(link->GetState(), LAMPOFF);

    // An empty name loads nothing; a status outside 0 to 4 keeps the picture.
    port.SetStatus(PORTEMPTY);
    EXPECT_EQ(Shown(port), RGB(0, 200, 0));
    port.SetStatus(12);
    EXPECT_EQ(port.Refresh(), 1);
    EXPECT_EQ(port.CSubject::GetState(), 12);
    EXPECT_EQ(Shown(port), RGB(0, 200, 0));
}

TEST(PartTree, ConsoleAndPowerPartsHandTheirStateToTheirLamps)
{
    CCom console;
    CLamp* lamp = Add<CLamp>(console);
    lamp->SetSubject(&console);
    console.Attach(lamp);
    console.Attach(nullptr);
    console.SetState(LAMP1G);
    EXPECT_EQ(console.Refresh(), 1);
    EXPECT_EQ(lamp->GetState(), LAMP1G);
    console.SetState(5);
    console.Refresh();
    EXPECT_EQ(lamp->GetState(), LAMPOFF);

    CPower power;
    CLamp* powerLamp = Add<CLamp>(power);
    powerLamp->SetSubject(&power);
    power.Attach(powerLamp);
    power.SetState(LAMPON);
    EXPECT_EQ(power.Refresh(), 1);
    EXPECT_EQ(powerLamp->GetState(), LAMPON);
    EXPECT_TRUE(power.GetBitmap().IsEmpty());
}

TEST(PartTree, LedLoadsOnlyItsFirstBitmap)
{
    TempDir dir;
    CLed led;
    const std::string lit = dir.Write("lit.bmp", Dot(RGB(0, 255, 0)));
    led.SetBitmap(1, lit.c_str());
    EXPECT_EQ(led.GetLedState(), 0);
    EXPECT_EQ(led.Refresh(), 0);
    EXPECT_TRUE(led.GetBitmap().IsEmpty());
    led.SetBitmap(0, lit.c_str());
    led.SetBitmap(10, "ignored.bmp");
    EXPECT_EQ(led.GetStateBitmap(10), nullptr);
    EXPECT_EQ(led.Refresh(), 1);
    EXPECT_EQ(Shown(led), RGB(0, 255, 0));
}

TEST(PartTree, ModuleResetReachesNestedModules)
{
    CModule outer;
    CPort* a = Add<CPort>(outer);
    CModule* inner = Add<CModule>(outer);
    CPort* b = Add<CPort>(*inner);
    a->SetStatus(PORTLINK100);
    b->SetStatus(PORTDISABLED);
    outer.ResetPorts();
    EXPECT_EQ(a->GetState(), PORTENABLE);
    EXPECT_EQ(b->GetState(), PORTENABLE);
}

TEST(PartTree, DrawingClearsTheDirtyFlagOfDirectChildrenOnly)
{
    CDevModule root;
    CPanel* plate = Add<CPanel>(root);
    CPort* nested = Add<CPort>(*plate);
    EXPECT_EQ(plate->IsDirty(), 1);
    root.DrawChildren();
    EXPECT_EQ(plate->IsDirty(), 0);
    EXPECT_EQ(nested->IsDirty(), 1);
    plate->SetState(plate->GetState());
    EXPECT_EQ(plate->IsDirty(), 0);
    plate->SetState(plate->GetState() + 1);
    EXPECT_EQ(plate->IsDirty(), 1);
}

TEST(PartTree, ClickRunsTheActionOfEveryPortHit)
{
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/korvel-test-bus", 1);
    CDevModule root;
    Add<CPanel>(root, 0, 0, 300, 100);
    CPort* one = Add<CPort>(root, 10, 10, 30, 20);
    CPort* two = Add<CPort>(root, 20, 10, 30, 20); // overlaps the first from x 20 to 40
    Add<CCom>(root, 100, 10, 30, 20);
    std::vector<CPort*> clicked;
    CPort::SetClickAction([&](CPort& port) { clicked.push_back(&port); });

    struct Case
    {
        int x, y;
        std::vector<CPort*> ports;
    };
    for (const Case& c :
         {Case{15, 20, {one}}, Case{30, 20, {one, two}}, Case{45, 20, {two}}, Case{200, 50, {}}, Case{110, 20, {}}}) {
        clicked.clear();
        int x = c.x, y = c.y;
        root.OnClick(x, y);
        EXPECT_EQ(clicked, c.ports) << c.x << "," << c.y;
    }
    // A port inside a plate never sees the click.
    clicked.clear();
    CPanel* plate = Add<CPanel>(root, 0, 200, 300, 100);
    Add<CPort>(*plate, 10, 210, 30, 20);
    int x = 20, y = 220;
    root.OnClick(x, y);
    EXPECT_TRUE(clicked.empty());
    CPort::SetClickAction({});
}

TEST(PartTree, ConsoleClickStartsTelnetToTheSwitch)
{
    // A stand-in terminal emulator that writes down what it was asked to run.
    TempDir dir;
    const std::filesystem::path record = dir.Path() / "record.txt";
    const std::string script =
        dir.Write("x-terminal-emulator", "#!/bin/sh\necho \"$@\" >> '" + record.string() + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    const char* oldPath = std::getenv("PATH");
    const std::string savedPath = oldPath != nullptr ? oldPath : "";
    setenv("PATH", dir.Path().c_str(), 1);

    CDevModule root;
    Add<CCom>(root, 100, 10, 30, 20);
    auto clickAndRead = [&](int x) {
        std::filesystem::remove(record);
        int cx = x, cy = 20;
        root.OnClick(cx, cy);
        std::string line;
        for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::ifstream in(record);
        std::getline(in, line);
        return line;
    };
    g_strDeviceIP = "127.0.0.1";
    EXPECT_EQ(clickAndRead(110), "-e telnet 127.0.0.1");
    g_strDeviceIP.clear();
    EXPECT_EQ(clickAndRead(110), "-e telnet");
    // Beside the console nothing starts.
    g_strDeviceIP = "127.0.0.1";
    std::filesystem::remove(record);
    int x = 140, y = 20;
    root.OnClick(x, y);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(std::filesystem::exists(record));
    setenv("PATH", savedPath.c_str(), 1);
}

TEST(PartTree, StatusChangesFromSeveralThreadsWhileDrawing)
{
    TempDir dir;
    const std::string files[] = {dir.Write("0.bmp", Dot(RGB(0, 255, 0))), dir.Write("1.bmp", Dot(RGB(255, 160, 0))),
                                 dir.Write("2.bmp", Dot(RGB(40, 40, 40))), dir.Write("3.bmp", Dot(RGB(90, 90, 90))),
                                 dir.Write("4.bmp", Dot(RGB(0, 0, 0)))};
    CDevModule root;
    std::vector<CPort*> ports;
    for (int i = 0; i < 8; ++i) {
        CPort* port = Add<CPort>(root, i * 20, 0, 18, 18);
        for (int s = 0; s < kPortStatusCount; ++s)
            port->SetBitmap(s, files[s].c_str());
        AddLamp(*port, LAMP_TYPE_LINK);
        ports.push_back(port);
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 60; ++round)
                for (std::size_t i = 0; i < ports.size(); ++i)
                    ports[i]->SetStatus((round + t + static_cast<int>(i)) % kPortStatusCount);
        });
    }
    for (int round = 0; round < 60; ++round) {
        root.DrawChildren();
        for (CPort* port : ports)
            (void)Shown(*port);
    }
    for (std::thread& thread : threads)
        thread.join();
    for (CPort* port : ports) {
        // The lamp and the picture agree with the last status set.
        const int status = port->GetState();
        const auto* lamp = static_cast<CLamp*>(port->GetChild(0));
        EXPECT_EQ(lamp->GetState(), status <= PORTLINK10 ? status : LAMPOFF);
        const DibImage expected = [&] {
            CDIBitmap b;
            b.LoadFromFile(files[status].c_str());
            return b.GetImage();
        }();
        EXPECT_EQ(Shown(*port), expected.GetPixel(0, 0));
    }
}

} // namespace

} // namespace panel_test
