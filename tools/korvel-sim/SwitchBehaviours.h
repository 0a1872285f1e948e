// Switch behaviours: code bound to objects of the simulated switch.
#pragma once

class Simulator;

// Binds every behaviour to the simulator (called once at start-up).
void AddSwitchBehaviours(Simulator& sim);
