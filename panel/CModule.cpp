#include "panel/CModule.h"

#include "panel/CPort.h"
#include "panel/PartStates.h"

void CModule::ResetPorts()
{
    std::lock_guard lock(PanelLock());
    for (const auto& child : m_children) {
        const std::string kind = child->GetRuntimeClassName();
        if (auto* port = dynamic_cast<CPort*>(child.get()); port != nullptr && kind == "CPort")
            port->SetStatus(PORTENABLE);
        else if (auto* module = dynamic_cast<CModule*>(child.get()); module != nullptr && kind == "CModule")
            module->ResetPorts();
    }
}
