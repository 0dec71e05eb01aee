// The detailed display window: the chart of every distribution in the
// register, the composition of the one selected, and the "Excel" command.
#pragma once

#include <QDialog>

#include <functional>

namespace kormix {
class Simulation;
}

namespace kormix::ui {

class FrmDisplay : public QDialog
{
    Q_OBJECT

public:
    // Built afresh for every opening from the register as it is then.
    explicit FrmDisplay(Simulation &sim, QWidget *parent = nullptr);

    // Opens the written file with the program the desktop associates with it;
    // tests replace it so that no external program starts.
    static std::function<void(const QString &path)> openFile;

private:
    Simulation &sim_;
};

} // namespace kormix::ui
