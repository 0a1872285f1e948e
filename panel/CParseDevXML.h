// Reads a panel description file (XML) into the front-panel part tree.
//
// DEVICEPANEL elements fill the root; PANEL, PORT, LAMP, SLOT, CONSOLE,
// MASTER, RPS, FAN, POWER and LED elements become parts under the part their
// container belongs to; MODULE elements become modules of the module list.
// A part element's properties are child elements (ID, LEFT, TOP, WIDTH,
// HEIGHT, BMP, STATUS, TYPE, NAME, the port and LED bitmaps); each of its
// attributes holds an XPath query, relative to the element, that selects a
// container whose child elements are the part's children. Lamps under a port
// or a console-type part observe it. Elements whose ID is "0" add their LEFT
// and TOP to the LED position table.
//
// Runs on the user-interface thread, before any other thread sees the tree.
#pragma once

#include "panel/LedPosition.h"
#include "platform/xml/CXmlNode.h"

#include <memory>
#include <string>
#include <vector>

class CDevModule;
class CModule;
class CVirtualDev;

class CParseDevXML
{
public:
    // Reads fileName into root, modules and (when given) ledPositions. FALSE
    // when the file cannot be loaded or is not well-formed XML, when it holds
    // no DEVICEPANEL, or when a part element lacks ID, LEFT, TOP, WIDTH or
    // HEIGHT, or has one of LEFT, TOP, WIDTH and HEIGHT beyond
    // kMaxCoordinate either way (such an element is skipped with everything
    // below it); the parts read before and after a bad element stay.
    BOOL Parse(const char* fileName, CDevModule* root, std::vector<std::unique_ptr<CModule>>& modules,
               std::vector<LedPosition>* ledPositions = nullptr);

    // Builds the parts of nodes under parent (no parent: only modules are
    // built, and the walk goes on below every element). FALSE when the walk
    // was cut short.
    BOOL WalkNodes(const std::vector<CXmlNode>& nodes, CVirtualDev* parent);
    // The part built for one element: the parent for DEVICEPANEL, null when
    // nothing is built.
    CVirtualDev* CreateObject(const CXmlNode& node, CVirtualDev* parent);
    // Reads the property elements of node into part; returns part.
    CVirtualDev* ReadProperties(CVirtualDev* part, const CXmlNode& node, const std::string& name);
    // The text of the first child element called name; "" when there is none.
    std::string ReadChildText(const CXmlNode& node, const std::string& name);

    // Most nodes one description may make the reader visit; a description
    // whose selectors multiply the walk beyond that is cut short.
    static constexpr int kMaxVisits = 100000;
    // Largest LEFT, TOP, WIDTH or HEIGHT a part may have, either sign: sums
    // and scalings of two of them stay far inside int.
    static constexpr int kMaxCoordinate = 32767;

    // Whether the last Parse read a DEVICEPANEL into the root: FALSE when the
    // file could not be loaded, is no panel description, or its DEVICEPANEL
    // was refused.
    bool HasPanel() const { return m_bPanelRead; }

private:
    bool HasRequiredProperties(const CXmlNode& node);
    bool HasBoundedGeometry(const CXmlNode& node);

    std::vector<std::unique_ptr<CModule>>* m_pModules = nullptr;
    std::vector<LedPosition>* m_pLedPositions = nullptr;
    // The containers being walked, outermost first: a selector that selects
    // one of them again would walk forever.
    std::vector<CXmlNode> m_walking;
    int m_nVisits = 0;
    bool m_bFailed = false;
    bool m_bPanelRead = false;
};
