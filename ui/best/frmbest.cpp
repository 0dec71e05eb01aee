// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/best/frmbest.h"

#include "ui/common/levelpanel.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include <QCloseEvent>

namespace kormix::ui {

LevelPanelLayout FrmBest::panelLayout()
{
    LevelPanelLayout layout;
    // The frame reaches a little below the client area; its lower edge is cut off.
    layout.frame = {0, 120, 2415, 5295};
    layout.nMolec = {QRectF(240, 120, 1575, 255),  // H2
                     QRectF(240, 600, 2175, 255),  // HD with its percentage
                     QRectF(240, 360, 1575, 255)}; // D2
    layout.label2 = {240, 1080, 495, 375};
    layout.qa = {720, 1080, 1455, 375};
    layout.lin = {QRectF(280, 1680, 225, 2655),   // H2, red
                  QRectF(1800, 1680, 105, 2655),  // HD, black half
                  QRectF(760, 1680, 225, 2655),   // D2, black
                  QRectF(1680, 1680, 105, 2655)}; // HD, red half

    layout.columnNames = {NamedBox{"Label3", QRectF(240, 4560, 375, 375)},  // H2
                          NamedBox{"Label4", QRectF(1605, 4560, 375, 375)}, // HD
                          NamedBox{"Label1", QRectF(720, 4560, 375, 375)}}; // D2
    layout.labelPoints = 12;
    return layout;
}

FrmBest::FrmBest(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("frmBest");
    setWindowTitle(tr("Most Probable Distribution Found Yet"));
    setFont(sansFont(8.25, true));
    useWindowColours(this);
    setClientSize(this, 2475, 5340);

    FraLevels = new LevelPanel(panelLayout(), this);

    Label3 = FraLevels->columnNames[0];
    Label1 = FraLevels->columnNames[2];
    Label4 = FraLevels->columnNames[1];

    cir_[0] = {QRectF(840, 4200, 135, 150), QColor(255, 0, 0), false};
}

void FrmBest::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closedByUser();
}

} // namespace kormix::ui
