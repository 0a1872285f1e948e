#include "panel/CParseDevXML.h"

#include "panel/CCom.h"
#include "panel/CDevModule.h"
#include "panel/CLamp.h"
#include "panel/CLed.h"
#include "panel/CModule.h"
#include "panel/CPanel.h"
#include "panel/CPort.h"
#include "panel/CPower.h"
#include "panel/CSlot.h"
#include "platform/system/DebugTrace.h"
#include "platform/xml/CXmlDocument.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <string_view>

namespace {

// A decimal number as the C library reads one: leading blanks, an optional
// sign, the digits up to the first other character; 0 without digits. Values
// beyond the range of int stop at its ends.
int ReadNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// The code of word in a table of words; -1 when it is not there.
template <std::size_t N> int Lookup(const std::string& word, const std::string_view (&words)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        if (word == words[i])
            return static_cast<int>(i);
    }
    return -1;
}

constexpr std::string_view kPortStatusWords[] = {"PORTLINK100", "PORTLINK10", "PORTDISABLED", "PORTENABLE",
                                                 "PORTEMPTY"};
constexpr std::string_view kLampStatusWords[] = {"LAMPON", "LAMP1G", "LAMPOFF"};
constexpr std::string_view kLampTypeWords[] = {"LINK", "S100M", "POWER", "CONSOLE"};
constexpr std::string_view kPortBitmapElements[] = {"BMPLINK100", "BMPLINK10", "BMPDISABLE", "BMPENABLE", "BMPEMPTY"};
constexpr std::string_view kLedBitmapElements[] = {"BMP0", "BMP1", "BMP2", "BMP3", "BMP4",
                                                   "BMP5", "BMP6", "BMP7", "BMP8", "BMP9"};
constexpr std::string_view kRequired[] = {"ID", "LEFT", "TOP", "WIDTH", "HEIGHT"};
constexpr std::string_view kGeometry[] = {"LEFT", "TOP", "WIDTH", "HEIGHT"};

// The part an element of this name builds under a parent; null for names that
// build nothing there.
std::unique_ptr<CVirtualDev> NewPart(const std::string& name)
{
    if (name == "PANEL")
        return std::make_unique<CPanel>();
    if (name == "PORT")
        return std::make_unique<CPort>();
    if (name == "LAMP")
        return std::make_unique<CLamp>();
    if (name == "SLOT")
        return std::make_unique<CSlot>();
    if (name == "CONSOLE" || name == "MASTER" || name == "RPS" || name == "FAN")
        return std::make_unique<CCom>();
    if (name == "POWER")
        return std::make_unique<CPower>();
    if (name == "LED")
        return std::make_unique<CLed>();
    return nullptr;
}

bool BuildsPart(const std::string& name, const CVirtualDev* parent)
{
    if (name == "DEVICEPANEL")
        return parent != nullptr;
    if (name == "MODULE")
        return true;
    return parent != nullptr && NewPart(name) != nullptr;
}

} // namespace

BOOL CParseDevXML::Parse(const char* fileName, CDevModule* root, std::vector<std::unique_ptr<CModule>>& modules,
                         std::vector<LedPosition>* ledPositions)
{
    m_pModules = &modules;
    m_pLedPositions = ledPositions;
    m_walking.clear();
    m_nVisits = 0;
    m_bFailed = false;
    m_bPanelRead = false;

    CXmlDocument document;
    if (fileName == nullptr || root == nullptr || !document.Load(fileName)) {
        OutputDebugString("panel description cannot be loaded");
        return FALSE;
    }

    const std::vector<CXmlNode> panels = document.GetElementsByTagName("DEVICEPANEL");
    OutputDebugString("oooooooooooooooooooooooooooooooo");
    DebugTrace(" node num = %d", static_cast<int>(panels.size()));
    OutputDebugString("ooooooooooooooooooooooooooooooooooo");
    if (panels.empty())
        m_bFailed = true;
    WalkNodes(panels, root);
    WalkNodes(document.GetElementsByTagName("DEVICEMODULE"), root);
    return m_bFailed ? FALSE : TRUE;
}

BOOL CParseDevXML::WalkNodes(const std::vector<CXmlNode>& nodes, CVirtualDev* parent)
{
    OutputDebugString("stroooooooooooooooo");
    DebugTrace(" node num = %d", static_cast<int>(nodes.size()));
    OutputDebugString("stroooooooooooooooo");
    for (const CXmlNode& node : nodes) {
        // Comments, processing instructions and text between parts are not parts.
        if (node.Type() != XmlNodeType::Element)
            continue;
        if (++m_nVisits > kMaxVisits) {
            m_bFailed = true;
            return FALSE;
        }
        const std::string name = node.NodeName();
        if (BuildsPart(name, parent) && (!HasRequiredProperties(node) || !HasBoundedGeometry(node))) {
            // No gap in the tree: the element and everything below it are left out.
            DebugTrace("panel element %s lacks a required property or lies out of bounds", name.c_str());
            m_bFailed = true;
            continue;
        }
        CVirtualDev* part = CreateObject(node, parent);
        for (const CXmlAttribute& attribute : node.Attributes()) {
            const CXmlNode container = node.SelectSingleNode(attribute.value);
            if (!container || std::find(m_walking.begin(), m_walking.end(), container) != m_walking.end())
                continue;
            m_walking.push_back(container);
            const BOOL walked = WalkNodes(container.ChildNodes(), part);
            m_walking.pop_back();
            if (!walked)
                return FALSE;
        }
    }
    return TRUE;
}

CVirtualDev* CParseDevXML::CreateObject(const CXmlNode& node, CVirtualDev* parent)
{
    const std::string name = node.NodeName();
    if (name == "DEVICEMODULE")
        return nullptr;
    if (name == "DEVICEPANEL") {
        if (parent != nullptr) {
            ReadProperties(parent, node, name);
            m_bPanelRead = true;
        }
        return parent;
    }
    if (parent != nullptr) {
        if (std::unique_ptr<CVirtualDev> created = NewPart(name)) {
            CVirtualDev* part = parent->AddChild(std::move(created));
            ReadProperties(part, node, name);
            part->Refresh();
            const std::string parentKind = CVirtualDev::GetClassName(parent);
            if (name == "LAMP" && (parentKind == "CPort" || parentKind == "CCom")) {
                auto* lamp = static_cast<CLamp*>(part);
                auto* subject = dynamic_cast<CSubject*>(parent);
                if (subject != nullptr) {
                    lamp->SetSubject(subject);
                    subject->Attach(lamp);
                }
            }
            return part;
        }
    }
    if (name == "MODULE" && m_pModules != nullptr) {
        auto module = std::make_unique<CModule>();
        CModule* part = module.get();
        ReadProperties(part, node, name);
        m_pModules->push_back(std::move(module));
        part->Refresh();
        return part;
    }
    return nullptr;
}

CVirtualDev* CParseDevXML::ReadProperties(CVirtualDev* part, const CXmlNode& node, const std::string& name)
{
    if (part == nullptr)
        return nullptr;
    const std::string id = ReadChildText(node, "ID");
    const bool ledPosition = id == "0";
    if (!ledPosition)
        part->SetID(id);
    const int left = ReadNumber(ReadChildText(node, "LEFT"));
    const int top = ReadNumber(ReadChildText(node, "TOP"));
    if (ledPosition && m_pLedPositions != nullptr) {
        LedPosition entry;
        entry.x1 = left;
        entry.y1 = top;
        m_pLedPositions->push_back(entry);
    }
    const int width = ReadNumber(ReadChildText(node, "WIDTH"));
    const int height = ReadNumber(ReadChildText(node, "HEIGHT"));
    part->SetGeometry(left, top, width, height);

    if (node.SelectSingleNode("BMP"))
        part->SetBitmapFile(ReadChildText(node, "BMP").c_str());

    const std::string status = ReadChildText(node, "STATUS");
    int code = -1;
    if (name == "LAMP")
        code = Lookup(status, kLampStatusWords);
    else if (name == "PORT")
        code = Lookup(status, kPortStatusWords);
    if (code >= 0)
        part->SetState(code);

    if (name == "LAMP") {
        int type = Lookup(ReadChildText(node, "TYPE"), kLampTypeWords);
        if (type >= 0)
            part->SetType(type);
    }
    if (node.SelectSingleNode("NAME"))
        part->SetName(ReadChildText(node, "NAME"));

    if (auto* port = dynamic_cast<CPort*>(part); port != nullptr && name == "PORT") {
        for (int i = 0; i < kPortStatusCount; ++i) {
            const std::string file = ReadChildText(node, std::string(kPortBitmapElements[i]));
            if (!file.empty())
                port->SetBitmap(i, file.c_str());
        }
    }
    if (auto* led = dynamic_cast<CLed*>(part); led != nullptr && name == "LED") {
        for (int i = 0; i < kLedBitmapCount; ++i) {
            const std::string file = ReadChildText(node, std::string(kLedBitmapElements[i]));
            if (!file.empty())
                led->SetBitmap(i, file.c_str());
        }
    }
    return part;
}

std::string CParseDevXML::ReadChildText(const CXmlNode& node, const std::string& name)
{
    const CXmlNode child = node.SelectSingleNode(name);
    return child ? child.Text() : std::string();
}

bool CParseDevXML::HasRequiredProperties(const CXmlNode& node)
{
    return std::all_of(std::begin(kRequired), std::end(kRequired), [&](std::string_view name) {
        return static_cast<bool>(node.SelectSingleNode(std::string(name)));
    });
}

bool CParseDevXML::HasBoundedGeometry(const CXmlNode& node)
{
    return std::all_of(std::begin(kGeometry), std::end(kGeometry), [&](std::string_view name) {
        const int value = ReadNumber(ReadChildText(node, std::string(name)));
        return -kMaxCoordinate <= value && value <= kMaxCoordinate;
    });
}
