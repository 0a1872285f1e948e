// Panel descriptions: whatever the file holds, the reader ends, builds a tree
// without gaps, and the parts it built take every status and click.
#include "panel/CDevModule.h"
#include "panel/CModule.h"
#include "panel/CParseDevXML.h"
#include "panel/CPort.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "panel invariant broken: %s\n", what);
        std::abort();
    }
}

// Bitmap names in the input are relative to an empty folder of our own.
const std::filesystem::path& WorkFolder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path p =
            std::filesystem::temp_directory_path() / ("korvel-panel-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        std::filesystem::current_path(p);
        return p;
    }();
    return folder;
}

void Check(const CVirtualDev& part, int depth)
{
    Require(depth < 100000, "tree depth");
    // The reader refuses parts beyond the coordinate bound.
    for (const int value : {part.GetLeft(), part.GetTop(), part.GetWidth(), part.GetHeight()})
        Require(-CParseDevXML::kMaxCoordinate <= value && value <= CParseDevXML::kMaxCoordinate, "bounded geometry");
    for (int i = 0; i < part.GetChildCount(); ++i) {
        Require(part.GetChild(i) != nullptr, "no gap among the children");
        Check(*part.GetChild(i), depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path file = WorkFolder() / "panel.xml";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CDevModule root;
    std::vector<std::unique_ptr<CModule>> modules;
    std::vector<LedPosition> leds;
    CParseDevXML reader;
    reader.Parse(file.c_str(), &root, modules, &leds);

    Check(root, 0);
    for (const auto& module : modules) {
        Require(module != nullptr, "no gap among the modules");
        Check(*module, 0);
        module->ResetPorts();
    }
    for (int n = 0;; ++n) {
        auto* port = static_cast<CPort*>(root.FindChildByClass("CPort", n));
        if (port == nullptr)
            break;
        for (int status = -1; status <= kPortStatusCount; ++status)
            port->SetStatus(status);
        (void)port->GetChild(0);
    }
    // A point just inside the root, computed without overflow whatever the
    // root holds.
    auto inside = [](int from) { return from <= INT_MAX - 5 ? from + 5 : from; };
    int x = inside(root.GetLeft()), y = inside(root.GetTop());
    root.OnMouseMove(x, y);
    return 0;
}
