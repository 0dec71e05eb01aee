// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The arrangements of one composition as small tiles in rows, on a white
// ground: each tile the N molecules in their numbered places, left to right.
// A tile is chosen by a click or by the keys (arrows, Home, End); the
// arrangements of the composition the system is in now may be marked. And
// one arrangement drawn large, its places numbered under it.
#pragma once

#include "core/arrangements.h"

#include <QWidget>

#include <vector>

namespace kormix::ui {

class ArrangementTiles : public QWidget
{
    Q_OBJECT

public:
    explicit ArrangementTiles(QWidget *parent = nullptr);

    void showArrangements(std::vector<Arrangement> arrangements);
    const std::vector<Arrangement> &arrangements() const { return arrangements_; }
    // Marks every tile: the system is in this composition now.
    void setMarked(bool marked);
    bool marked() const { return marked_; }
    // The tile chosen (-1: none); choosing one here emits nothing.
    void select(int index);
    int selected() const { return selected_; }

    // Where a tile stands at the widget's width, and the tile at a point
    // (-1: none).
    QRect tileRect(int index) const;
    int tileAt(const QPoint &point) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user chose a tile.
    void chosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    double radius() const;
    QSize tileSize() const;
    int spacing() const;
    int columnsAt(int width) const;
    void choose(int index);

    std::vector<Arrangement> arrangements_;
    bool marked_ = false;
    int selected_ = -1;
};

class ArrangementView : public QWidget
{
    Q_OBJECT

public:
    explicit ArrangementView(QWidget *parent = nullptr);

    void showArrangement(const Arrangement &arrangement);
    const Arrangement &arrangement() const { return arrangement_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Arrangement arrangement_;
};

// The molecules of an arrangement in words: "H2, DH, HD, D2".
QString formsText(const Arrangement &arrangement);

} // namespace kormix::ui
