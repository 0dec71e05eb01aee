#include "frmdisplay.h"

#include "core/simulation.h"

#include <QDesktopServices>
#include <QUrl>

namespace kormix::ui {

std::function<void(const QString &)> FrmDisplay::openFile = [](const QString &path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
};

FrmDisplay::FrmDisplay(Simulation &sim, QWidget *parent)
    : QDialog(parent)
    , sim_(sim)
{
    setObjectName("frmDisplay");
    setWindowTitle("Detailed Display of System");
}

} // namespace kormix::ui
