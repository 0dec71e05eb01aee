// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What the simulation core needs from the program around it.
//
// The core writes the main window's labels, reads the setup dialog's fields
// and the "Show Fluctuations" box, refreshes the most-probable window and
// lets pending user events be served from inside the collision loop. It does
// all of that through this interface, which the main window implements; the
// core itself never sees a widget.
#pragma once

#include <string>
#include <string_view>

namespace kormix {

// The main window's value labels that the core writes.
enum class MainLabel {
    H2,
    HD,
    D2,
    Qa,
    status,
    ncollide,
    NumDistros,
    bestcol,
    logW,
    Wmax,
    BestQ,
    nHatoms,
    nDatoms,
};

// The contents of the setup dialog's fields, as typed.
struct SetupFields
{
    bool byMolecules = true;                 // option "by molecules" (else by atoms)
    std::string nMolec[3] = {"0", "0", "0"}; // H2, HD, D2 molecules
    std::string natom[2] = {"", ""};         // H atoms, D atoms
    bool displayAll = true;                  // "Save all distributions (slower)"
};

class SimulationHost
{
public:
    virtual ~SimulationHost() = default;

    virtual void setLabel(MainLabel label, std::string_view text) = 0;
    virtual SetupFields readSetupFields() = 0;
    // True while "Show Fluctuations" is ticked.
    virtual bool showFluctuations() = 0;
    // Refreshes the statistics and, when the user asked for it, the
    // most-probable window. May serve pending user events.
    virtual void ShowMostProbable() = 0;
    // Serves the pending user-interface events once.
    virtual void serveEvents() = 0;
};

// A host with no windows: labels go nowhere, nothing is ever ticked.
class NullHost : public SimulationHost
{
public:
    void setLabel(MainLabel, std::string_view) override {}
    SetupFields readSetupFields() override { return {}; }
    bool showFluctuations() override { return false; }
    void ShowMostProbable() override {}
    void serveEvents() override {}
};

} // namespace kormix
