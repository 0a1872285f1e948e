// A module of the panel description (MODULE). Modules are kept in the main
// window's module list, never in the tree; their ports are never drawn.
#pragma once

#include "panel/CSubject.h"
#include "panel/CVirtualDev.h"

class CModule : public CVirtualDev, public CSubject
{
public:
    using CVirtualDev::GetState;
    using CVirtualDev::SetState;

    const char* GetRuntimeClassName() const override { return "CModule"; }
    // Each direct child port goes to PORTENABLE; each direct child module
    // resets its own ports in turn.
    void ResetPorts();
};
