// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A distribution drawn as level columns on a white frame: the counts of H2,
// HD and D2 as captions, the quotient Q, and four columns standing on one base
// line (H2 red, D2 black, HD as a red and a black half side by side: red
// stands for H, black for D), with the names of the kinds under them where the
// window has them. The most-probable window, the detailed display and the
// revise-data window each place one with their own geometry and hand it whole
// distributions; the panel works out everything it draws from its layout.
#pragma once

#include "ui/common/paintedshape.h"

#include <QFrame>
#include <QRectF>
#include <QString>

#include <array>
#include <cstdint>

class QLabel;

namespace kormix::ui {

// A fixed caption: the control's name and where it stands.
struct NamedBox
{
    const char *name = nullptr;
    QRectF geometry;
};

// Where the parts stand, in twips: the frame relative to its parent, the rest
// relative to the frame. An empty rectangle leaves that part out.
struct LevelPanelLayout
{
    QRectF frame;
    std::array<QRectF, 3> nMolec; // captions by kind: H2, HD, D2
    QRectF label2;                // the fixed text "Q ="
    QRectF qa;                    // the quotient
    std::array<QRectF, 4> lin;    // design geometry of the columns
    // The names "H2", "HD", "D2" under the columns, by kind.
    std::array<NamedBox, 3> columnNames;
    double labelPoints = 12; // size of the captions' font
};

class LevelPanel : public QFrame
{
    Q_OBJECT

public:
    explicit LevelPanel(const LevelPanelLayout &layout, QWidget *parent = nullptr);

    std::array<QLabel *, 3> nMolec{};
    QLabel *Label2 = nullptr;
    QLabel *Qa = nullptr;
    std::array<QLabel *, 3> columnNames{}; // by kind, where the layout has them

    // Column i: 0 H2, 1 right (black) half of HD, 2 D2, 3 left (red) half of HD.
    const PaintedShape &lin(int i) const { return columns_[std::size_t(i)]; }
    // The design geometry of column i, as laid out.
    const QRectF &designLin(int i) const { return layout_.lin[std::size_t(i)]; }
    // The design top and height of the first column: the columns stand on
    // the line levelTop() + levelHeight(), and one that held every molecule
    // would be levelHeight() high.
    double levelTop() const { return designLin(0).top(); }
    double levelHeight() const { return designLin(0).height(); }

    // Shows the counts (H2, HD, D2) of a system of total molecules at the
    // design scale, levelHeight() / total twips per molecule (0 for an empty
    // system): the columns, the captions "n H2", "n HD (p%)", "n D2" with p
    // the HD share of total (0.00 when total is 0), and Q where the layout
    // has a place for it.
    void showDistribution(const std::array<std::int32_t, 4> &counts,
                          double total,
                          char decimalPoint);
    // The same at scale twips per molecule.
    void showDistribution(const std::array<std::int32_t, 4> &counts,
                          double total,
                          char decimalPoint,
                          double scale);

signals:
    // Mouse events on the frame: the buttons (1 left, 2 right, 4 middle) and
    // the position in twips relative to the frame.
    void mouseDown(int button, double x, double y);
    void mouseMove(int button, double x, double y);
    void mouseUp(int button, double x, double y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    LevelPanelLayout layout_;
    std::array<PaintedShape, 4> columns_;
};

} // namespace kormix::ui
