// The revise-data window: the user drags the level columns of H2, HD and D2
// and "Equilibrate" hands the revised counts back.
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

namespace kormix {
class Simulation;
}

namespace kormix::ui {

class FrmRevise : public QDialog
{
    Q_OBJECT

public:
    // writeMolecules receives the revised counts (H2, HD, D2) when
    // "Equilibrate" is pressed; the main window writes them into the setup
    // dialog's molecule fields.
    FrmRevise(Simulation &sim,
              std::function<void(const std::array<std::int32_t, 3> &)> writeMolecules,
              QWidget *parent = nullptr);

private:
    Simulation &sim_;
    std::function<void(const std::array<std::int32_t, 3> &)> writeMolecules_;
};

} // namespace kormix::ui
