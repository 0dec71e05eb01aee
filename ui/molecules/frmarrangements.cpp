// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/molecules/frmarrangements.h"

#include "core/numberformat.h"
#include "core/simulation.h"
#include "ui/common/screenroom.h"
#include "ui/common/widgets.h"
#include "ui/molecules/arrangementtiles.h"

#include <QBoxLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStringList>

namespace kormix::ui {

namespace {

QString count(std::int64_t n)
{
    return QString::fromStdString(integerToText(n));
}

// "2 H2 + 2 D2": the kinds there are, in the order H2, HD, D2.
QString compositionText(const Composition &c)
{
    QStringList parts;
    const std::int32_t counts[3] = {c.nH2, c.nHD, c.nD2};
    const char *names[3] = {"H2", "HD", "D2"};
    for (int k = 0; k < 3; ++k) {
        if (counts[k] > 0)
            parts << count(counts[k]) + QLatin1Char(' ') + QLatin1String(names[k]);
    }
    return parts.isEmpty() ? count(0) : parts.join(QStringLiteral(" + "));
}

QString fractionText(const Fraction &f)
{
    return f.denominator == 1 ? count(std::int64_t(f.numerator))
                              : count(std::int64_t(f.numerator)) + QLatin1Char('/')
                                        + count(std::int64_t(f.denominator));
}

} // namespace

FrmArrangements::FrmArrangements(const Simulation &sim, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , sim_(sim)
{
    setObjectName("frmArrangements");
    setWindowTitle(tr("Arrangements"));
    askSavePath = fileDialogOver(this);
    buildControls();
    new ScreenFit(this);
    keepIndicatorsVisible(this);
    refresh(); // the groups make the size it asks for
}

void FrmArrangements::buildControls()
{
    auto *all = new QVBoxLayout(this);
    buildSystemChoice(all);

    groups_ = new QWidget;
    groups_->setObjectName("groups");
    groupsLayout_ = new QVBoxLayout(groups_);
    lblTotal = new QLabel(groups_);
    lblTotal->setObjectName("lblTotal");
    lblTotal->setWordWrap(true);
    groupsLayout_->addWidget(lblTotal);
    groupsLayout_->addStretch(1);
    scrGroups = new QScrollArea(this);
    scrGroups->setObjectName("scrGroups");
    scrGroups->setWidgetResizable(true);
    scrGroups->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrGroups->setWidget(groups_);
    scrGroups->setAccessibleName(tr("arrangements by composition"));
    all->addWidget(scrGroups, 1);

    lblChosen = new QLabel(this);
    lblChosen->setObjectName("lblChosen");
    lblChosen->setWordWrap(true);
    picChosen = new ArrangementView(this);
    picChosen->setAccessibleName(tr("the arrangement chosen"));
    all->addWidget(lblChosen);
    all->addWidget(picChosen);

    cmdSavePicture = new QPushButton(tr("Save Picture..."), this);
    cmdSavePicture->setObjectName("cmdSavePicture");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSavePicture);
    all->addLayout(buttons);
    connect(cmdSavePicture, &QPushButton::clicked, this, &FrmArrangements::cmdSavePicture_Click);
}

void FrmArrangements::buildSystemChoice(QVBoxLayout *layout)
{
    auto *frame = new QGroupBox(tr("System"), this);
    frame->setObjectName("fraSystem");
    lblSystem = new QLabel(frame);
    lblSystem->setObjectName("lblSystem");
    lblSystem->setWordWrap(true);
    auto *fields = new QHBoxLayout;
    const QString captions[3] = {tr("&H2"), tr("H&D"), tr("D&2")};
    const int start[3] = {2, 0, 2}; // two H2 and two D2
    for (int k = 0; k < 3; ++k) {
        lblMolec[k] = new QLabel(captions[k], frame);
        lblMolec[k]->setObjectName(QString("lblMolec_%1").arg(k));
        spnMolec[k] = new QSpinBox(frame);
        spnMolec[k]->setObjectName(QString("spnMolec_%1").arg(k));
        spnMolec[k]->setRange(0, kMaxArrangedMolecules);
        spnMolec[k]->setValue(start[k]);
        lblMolec[k]->setBuddy(spnMolec[k]);
        fields->addWidget(lblMolec[k]);
        fields->addWidget(spnMolec[k]);
        fields->addSpacing(fontMetrics().height());
        connect(spnMolec[k], &QSpinBox::valueChanged, this, &FrmArrangements::spnMolec_Change);
    }
    fields->addStretch(1);
    auto *inside = new QVBoxLayout(frame);
    inside->addWidget(lblSystem);
    inside->addLayout(fields);
    layout->addWidget(frame);
    spnMolec_Change(); // no more than six molecules in all
}

// --- fitting the screen -------------------------------------------------------------

QSize FrmArrangements::sizeHint() const
{
    return QWidget::sizeHint().boundedTo(screenRoom(this));
}

void FrmArrangements::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

// --- the system -------------------------------------------------------------------------

void FrmArrangements::spnMolec_Change()
{
    // Each field goes up to what the other two leave of six molecules.
    const int sum = spnMolec[0]->value() + spnMolec[1]->value() + spnMolec[2]->value();
    for (QSpinBox *field : spnMolec)
        field->setMaximum(kMaxArrangedMolecules - (sum - field->value()));
    if (isVisible())
        refresh();
}

void FrmArrangements::refresh()
{
    const std::int32_t n = sim_.nMolecules;
    const bool current = n >= 1 && n <= kMaxArrangedMolecules;
    for (QSpinBox *field : spnMolec) {
        if (field->isEnabled() == current)
            field->setEnabled(!current);
    }
    if (current) {
        writeText(lblSystem, tr("The system set up now, in the composition it is in now:"));
        const std::int32_t counts[3] = {sim_.nH2, sim_.nHD, sim_.nD2};
        for (int k = 0; k < 3; ++k) {
            const QSignalBlocker quiet(spnMolec[k]);
            spnMolec[k]->setMaximum(kMaxArrangedMolecules);
            spnMolec[k]->setValue(counts[k]);
        }
        showAtoms(2 * sim_.nH2 + sim_.nHD, 2 * sim_.nD2 + sim_.nHD);
        mark(Composition{sim_.nH2, sim_.nHD, sim_.nD2});
        return;
    }
    writeText(lblSystem,
              n == 0 ? tr("No system is set up: choose one of up to 6 molecules here.")
                     : tr("The system set up has more than 6 molecules: choose one of up to 6 "
                          "here."));
    const int h2 = spnMolec[0]->value(), hd = spnMolec[1]->value(), d2 = spnMolec[2]->value();
    showAtoms(2 * h2 + hd, 2 * d2 + hd);
    mark(std::nullopt);
}

// --- the groups ---------------------------------------------------------------------------

void FrmArrangements::showAtoms(std::int32_t hAtoms, std::int32_t dAtoms)
{
    if (shown_ && arrangements_.hAtoms == hAtoms && arrangements_.dAtoms == dAtoms)
        return;
    arrangements_ = arrangementsOf(hAtoms, dAtoms);
    shown_ = true;
    marked_.reset();
    showGroups();
}

void FrmArrangements::showGroups()
{
    for (QLabel *label : lblGroup)
        delete label;
    for (ArrangementTiles *tiles : tilesGroup)
        delete tiles;
    lblGroup.clear();
    tilesGroup.clear();

    const Arrangements &a = arrangements_;
    if (a.nMolecules == 0) {
        writeText(lblTotal, tr("No molecules: choose at least one."));
        picChosen->showArrangement({});
        writeText(lblChosen, QString());
        return;
    }
    QStringList ws;
    for (std::size_t i = 0; i < a.groups.size(); ++i) {
        const ArrangementGroup &g = a.groups[i];
        ws << count(std::int64_t(g.w()));
        auto *label = new QLabel(heading(i), groups_);
        label->setObjectName(QString("lblGroup_%1").arg(i));
        label->setWordWrap(true);
        auto *tiles = new ArrangementTiles(groups_);
        tiles->setObjectName(QString("tilesGroup_%1").arg(i));
        tiles->setAccessibleName(heading(i));
        tiles->showArrangements(g.arrangements);
        label->setBuddy(tiles);
        // Before the stretch that closes the list.
        groupsLayout_->insertWidget(groupsLayout_->count() - 1, label);
        groupsLayout_->insertWidget(groupsLayout_->count() - 1, tiles);
        lblGroup.push_back(label);
        tilesGroup.push_back(tiles);
        connect(tiles, &ArrangementTiles::chosen, this, [this, i](int index) { choose(i, index); });
    }
    //: %1 molecules, %2 H atoms, %3 D atoms, %4 the W of each composition
    //: added up, %5 their sum.
    writeText(lblTotal,
              tr("%1 molecules of %2 H and %3 D atoms: sum W = %4 = %5 arrangements")
                      .arg(count(a.nMolecules),
                           count(a.hAtoms),
                           count(a.dAtoms),
                           ws.join(QStringLiteral(" + ")),
                           count(std::int64_t(a.total))));
    choose(0, 0);
}

QString FrmArrangements::heading(std::size_t group) const
{
    const ArrangementGroup &g = arrangements_.groups[group];
    //: %1 is a composition ("2 H2 + 2 D2"), %2 its W, %3 and %4 its share of
    //: all arrangements as a fraction and a decimal.
    return tr("%1: W = %2, P = %3 = %4")
            .arg(compositionText(g.counts),
                 count(std::int64_t(g.w())),
                 fractionText(g.p),
                 QString::fromStdString(fixedText(g.probability, 4, sim_.decimalPoint)));
}

void FrmArrangements::mark(const std::optional<Composition> &now)
{
    const std::optional<std::size_t> group = now ? arrangements_.groupOf(*now) : std::nullopt;
    if (group == marked_)
        return;
    marked_ = group;
    for (std::size_t i = 0; i < tilesGroup.size(); ++i) {
        const bool here = marked_ == i;
        tilesGroup[i]->setMarked(here);
        QFont font = lblGroup[i]->font();
        font.setBold(here);
        lblGroup[i]->setFont(font);
        writeText(lblGroup[i],
                  here ? tr("%1 (the system is in this composition now)").arg(heading(i))
                       : heading(i));
    }
}

void FrmArrangements::choose(std::size_t group, int index)
{
    for (std::size_t i = 0; i < tilesGroup.size(); ++i)
        tilesGroup[i]->select(i == group ? index : -1);
    const ArrangementGroup &g = arrangements_.groups[group];
    const Arrangement &chosen = g.arrangements[std::size_t(index)];
    picChosen->showArrangement(chosen);
    //: %1 is the composition, %2 counts its arrangements up to %3; %4 names
    //: the molecules place by place.
    const QString text = tr("%1, arrangement %2 of %3: %4")
                                 .arg(compositionText(g.counts),
                                      count(index + 1),
                                      count(std::int64_t(g.w())),
                                      formsText(chosen));
    writeText(lblChosen, text);
    picChosen->setAccessibleDescription(text);
    tilesGroup[group]->setAccessibleDescription(text);
    // The tile chosen by a key stays in sight.
    const QRect tile = tilesGroup[group]->tileRect(index);
    const QPoint centre = tilesGroup[group]->mapTo(groups_, tile.center());
    scrGroups->ensureVisible(centre.x(), centre.y(), tile.width() / 2 + 8, tile.height() / 2 + 8);
}

// --- commands ---------------------------------------------------------------------------

void FrmArrangements::cmdSavePicture_Click()
{
    SaveFile::savePicture(this, groups_, "arrangements.png", askSavePath);
}

} // namespace kormix::ui
