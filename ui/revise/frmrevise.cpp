#include "frmrevise.h"

#include "core/simulation.h"

#include <utility>

namespace kormix::ui {

FrmRevise::FrmRevise(Simulation &sim,
                     std::function<void(const std::array<std::int32_t, 3> &)> writeMolecules,
                     QWidget *parent)
    : QDialog(parent)
    , sim_(sim)
    , writeMolecules_(std::move(writeMolecules))
{
    setObjectName("FrmRevise");
    setWindowTitle("Revise Data");
}

} // namespace kormix::ui
