// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/best/frmbest.h"

#include "ui/common/fitlabel.h"
#include "ui/common/levelpanel.h"
#include "ui/common/twips.h"

#include <QCloseEvent>
#include <QLabel>

#include <algorithm>

namespace kormix::ui {

LevelPanelLayout FrmBest::Layout()
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
    layout.labelPoints = 12;
    return layout;
}

FrmBest::FrmBest(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("frmBest");
    setWindowTitle("Most Probable Distribution Found Yet");
    setFont(SansFont(8.25, true));
    UseWindowColours(this);
    SetClientSize(this, 2475, 5340);

    FraLevels = new LevelPanel(Layout(), this);

    const QFont captionFont = SansFont(12, true);
    for (QLabel *label : {FraLevels->nMolec[0],
                          FraLevels->nMolec[1],
                          FraLevels->nMolec[2],
                          FraLevels->Label2,
                          FraLevels->Qa}) {
        label->setFont(captionFont);
        // Never shorter than a line of its font, so that no descender is cut off.
        label->resize(label->width(), std::max(label->height(), label->fontMetrics().height()));
    }
    auto caption = [&](const char *name, const char *text, double left) {
        auto *label = new FitLabel(text, FraLevels);
        label->setObjectName(name);
        label->setFont(captionFont);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Place(label, left, 4560, 375, 375);
        return label;
    };
    Label3 = caption("Label3", "H2", 240);
    Label1 = caption("Label1", "D2", 720);
    Label4 = caption("Label4", "HD", 1605);

    cir_[0] = {QRectF(840, 4200, 135, 150), QColor(255, 0, 0), false};
}

void FrmBest::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit ClosedByUser();
}

} // namespace kormix::ui
