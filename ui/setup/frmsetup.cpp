// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/setup/frmsetup.h"

#include "core/numberformat.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace kormix::ui {

namespace {

// One molecule of the particle icon: two atoms side by side, red for H and
// black for D.
void drawMolecule(QPainter &p, QPointF centre, const QColor &left, const QColor &right)
{
    const double r = 3.6;
    p.setPen(QPen(Qt::darkGray, 0.8));
    p.setBrush(left);
    p.drawEllipse(centre - QPointF(r * 0.85, 0), r, r);
    p.setBrush(right);
    p.drawEllipse(centre + QPointF(r * 0.85, 0), r, r);
}

// "particle options": an H2, a D2 and an HD molecule.
QPixmap particleIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawMolecule(p, {10, 8}, Qt::red, Qt::red);
    drawMolecule(p, {22, 16}, Qt::black, Qt::black);
    drawMolecule(p, {11, 24}, Qt::red, Qt::black);
    return pixmap;
}

// "save options": a little chart of distributions, the most probable one
// marked in red.
QPixmap saveIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawLine(3, 28, 29, 28);
    static const int kHeights[5] = {5, 12, 20, 13, 6};
    for (int i = 0; i < 5; ++i) {
        const QColor fill = i == 2 ? QColor(Qt::red) : QColor(Qt::black);
        p.fillRect(QRect(5 + 5 * i, 28 - kHeights[i], 3, kHeights[i]), fill);
    }
    return pixmap;
}

QLabel *makePicture(QWidget *parent, const char *name, const QPixmap &pixmap)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setPixmap(pixmap);
    picture->setAlignment(Qt::AlignCenter);
    useWhiteBackground(picture);
    return picture;
}

QLineEdit *makeField(QWidget *parent, const QString &name, const QString &text, const QRectF &twips)
{
    auto *field = new QLineEdit(text, parent);
    field->setObjectName(name);
    place(field, twips);
    return field;
}

// A number as the fields show it: a whole number without a point, a fraction
// with a '.' whatever the user's locale, and always a text that the lenient
// reading takes back as the same count, even one far beyond any system.
QString fieldText(double value)
{
    return QString::fromStdString(numberToEntryText(value + 0.0));
}

double fieldNumber(const QLineEdit *field)
{
    return readNumber(field->text().toStdString());
}

// The key code a key press stands for: Enter is 13, a character key its
// character, anything else 0.
int keyAscii(const QKeyEvent *key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        return 13;
    const QString text = key->text();
    return text.isEmpty() ? 0 : int(text.at(0).unicode());
}

// Tab and Shift+Tab belong to the focus chain, which moves the focus by
// itself; the fields' key handlers never see them, or the focus would move
// twice.
bool isFocusKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
}

} // namespace

FrmSetup::FrmSetup(QWidget *parent)
    : QDialog(parent)
{
    setObjectName("FrmSetup");
    setWindowTitle(tr("System Setup"));
    setFont(sansFont(8.25, false));
    setClientSize(this, 6750, 3960);

    buildParticleOptions();
    buildSaveOptions();
    CmdOK = new FitButton<QPushButton>(tr("OK"), this);
    CmdOK->setObjectName("CmdOK");
    place(CmdOK, 5280, 3480, 1095, 375);
    // Enter walks through the fields; it must not press OK on its way.
    CmdOK->setAutoDefault(false);
    CmdOK->setDefault(false);
    setFocusOrder();
    connectControls();

    // The H2 field is the one to type into first, with its text selected.
    nMolec[0]->selectAll();
    nMolec[0]->setFocus();
}

void FrmSetup::buildParticleOptions()
{
    Frame1 = new QGroupBox(tr("particle options"), this);
    Frame1->setObjectName("Frame1");
    place(Frame1, 120, 240, 6255, 2055);

    OptBy[0] = new FitButton<QRadioButton>(tr("by molecules"), Frame1);
    OptBy[0]->setObjectName("OptBy_0");
    place(OptBy[0], 840, 480, 1815, 195);
    OptBy[1] = new FitButton<QRadioButton>(tr("by atoms"), Frame1);
    OptBy[1]->setObjectName("OptBy_1");
    place(OptBy[1], 3600, 480, 1095, 195);
    OptBy[0]->setChecked(true);

    // The rows run H2, D2, HD from the top; the field index is the molecule kind.
    Label1 = makeLabel(Frame1, "Label1", tr("molecules of H2"), QRectF(480, 1005, 1455, 255));
    nMolec[0] = makeField(Frame1, "nMolec_0", "0", QRectF(2160, 960, 855, 285));
    Label2 = makeLabel(Frame1, "Label2", tr("molecules of D2"), QRectF(480, 1365, 1455, 255));
    nMolec[2] = makeField(Frame1, "nMolec_2", "0", QRectF(2160, 1320, 855, 285));
    Label3 = makeLabel(Frame1, "Label3", tr("molecules of HD"), QRectF(480, 1725, 1455, 255));
    nMolec[1] = makeField(Frame1, "nMolec_1", "0", QRectF(2160, 1680, 855, 285));

    // The atom fields are filled by the conversion before they first show.
    Label4 = makeLabel(Frame1, "Label4", tr("atoms of H"), QRectF(3240, 1005, 1095, 255));
    natom[0] = makeField(Frame1, "natom_0", "", QRectF(4320, 960, 975, 285));
    Label5 = makeLabel(Frame1, "Label5", tr("atoms of D"), QRectF(3240, 1365, 975, 255));
    natom[1] = makeField(Frame1, "natom_1", "", QRectF(4320, 1320, 975, 285));
    for (QWidget *w : {static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Label5),
                       static_cast<QWidget *>(natom[0]),
                       static_cast<QWidget *>(natom[1])})
        w->hide();

    // Each field is named by the label beside it, for screen readers.
    Label1->setBuddy(nMolec[0]);
    Label2->setBuddy(nMolec[2]);
    Label3->setBuddy(nMolec[1]);
    Label4->setBuddy(natom[0]);
    Label5->setBuddy(natom[1]);

    Picture1 = makePicture(Frame1, "Picture1", particleIcon());
    place(Picture1, 5400, 360, 495, 495);
}

void FrmSetup::buildSaveOptions()
{
    Frame4 = new QGroupBox(tr("save options"), this);
    Frame4->setObjectName("Frame4");
    place(Frame4, 120, 2280, 6255, 1095);
    OptDisplayAll = new FitButton<QRadioButton>(tr("Save all distributions (slower)"), Frame4);
    OptDisplayAll->setObjectName("OptDisplayAll");
    place(OptDisplayAll, 840, 360, 3135, 255);
    OptDisplayBest
            = new FitButton<QRadioButton>(tr("Save only the most probable distribution (faster)"),
                                          Frame4);
    OptDisplayBest->setObjectName("OptDisplayBest");
    place(OptDisplayBest, 840, 720, 4575, 255);
    OptDisplayAll->setChecked(true);
    Picture4 = makePicture(Frame4, "Picture4", saveIcon());
    place(Picture4, 5400, 360, 495, 495);
}

void FrmSetup::setFocusOrder()
{
    // The visible fields in screen order, then OK, the save options and the
    // entry options.
    QWidget *order[] = {nMolec[0],
                        natom[0],
                        nMolec[2],
                        natom[1],
                        nMolec[1],
                        CmdOK,
                        OptDisplayAll,
                        OptDisplayBest,
                        OptBy[0],
                        OptBy[1]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    setOptionTabStops();
}

void FrmSetup::connectControls()
{
    for (QLineEdit *field : {nMolec[0], nMolec[1], nMolec[2], natom[0], natom[1]})
        field->installEventFilter(this);
    OptDisplayAll->installEventFilter(this);
    OptDisplayBest->installEventFilter(this);
    CmdOK->installEventFilter(this);

    // Connected only now, so that the design state set above changes nothing.
    for (int i = 0; i < 2; ++i) {
        connect(OptBy[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            setOptionTabStops();
            if (checked)
                OptBy_Click(i);
        });
    }
    connect(OptDisplayAll, &QRadioButton::toggled, this, [this](bool checked) {
        setOptionTabStops();
        if (checked)
            OptDisplayAll_Click();
    });
    connect(OptDisplayBest, &QRadioButton::toggled, this, [this](bool checked) {
        setOptionTabStops();
        if (checked)
            OptDisplayBest_Click();
    });
    connect(CmdOK, &QPushButton::clicked, this, &FrmSetup::CmdOK_Click);
}

SetupFields FrmSetup::fields() const
{
    SetupFields fields;
    fields.byMolecules = OptBy[0]->isChecked();
    for (int i = 0; i < 3; ++i)
        fields.nMolec[i] = nMolec[i]->text().toStdString();
    for (int i = 0; i < 2; ++i)
        fields.natom[i] = natom[i]->text().toStdString();
    fields.displayAll = OptDisplayAll->isChecked();
    return fields;
}

void FrmSetup::SetEntryMode(bool byMolecules)
{
    for (QWidget *w : {static_cast<QWidget *>(natom[0]),
                       static_cast<QWidget *>(natom[1]),
                       static_cast<QWidget *>(Label4),
                       static_cast<QWidget *>(Label5)})
        w->setVisible(!byMolecules);
    for (QWidget *w : {static_cast<QWidget *>(nMolec[0]),
                       static_cast<QWidget *>(nMolec[1]),
                       static_cast<QWidget *>(nMolec[2]),
                       static_cast<QWidget *>(Label1),
                       static_cast<QWidget *>(Label2),
                       static_cast<QWidget *>(Label3)})
        w->setVisible(byMolecules);

    if (byMolecules) {
        // Every atom is paired with one of its own kind; an odd one is left out.
        double atoms[2];
        for (int i = 0; i < 2; ++i) {
            atoms[i] = std::trunc(roundHalfEven(fieldNumber(natom[i])) / 2) * 2;
            natom[i]->setText(fieldText(atoms[i]));
        }
        nMolec[0]->setText(fieldText(atoms[0] / 2));
        nMolec[2]->setText(fieldText(atoms[1] / 2));
        nMolec[1]->setText("0");
    } else {
        // Fractions typed into the molecule fields carry over.
        const double h2 = fieldNumber(nMolec[0]);
        const double hd = fieldNumber(nMolec[1]);
        const double d2 = fieldNumber(nMolec[2]);
        natom[0]->setText(fieldText(2 * h2 + hd));
        natom[1]->setText(fieldText(2 * d2 + hd));
    }

    SelectAllText(nMolec[0]);
    SelectAllText(natom[0]);
}

void FrmSetup::SelectAllText(QLineEdit *box)
{
    if (!box->isVisible())
        return;
    box->setSelection(0, int(box->text().size()));
    box->setFocus();
}

// Of each group of option buttons only the selected one is a stop of Tab; the
// arrow keys move within the group. Left to itself, Qt keeps the stop on the
// option that last had the focus, so once the program selects the other one
// itself (as handing back revised data does), Tab would land on the option
// not selected.
void FrmSetup::setOptionTabStops()
{
    for (QRadioButton *option : {OptBy[0], OptBy[1], OptDisplayAll, OptDisplayBest}) {
        const Qt::FocusPolicy policy = option->focusPolicy();
        option->setFocusPolicy(option->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                   : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

void FrmSetup::focusSaveOption()
{
    if (OptDisplayAll->isChecked())
        OptDisplayAll->setFocus();
    else
        OptDisplayBest->setFocus();
}

bool FrmSetup::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusIn && type != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);

    // Enter presses OK once the walk through the fields has reached it (OK is
    // no default button, or Enter in a field would press it on the way).
    if (watched == CmdOK) {
        if (type == QEvent::KeyPress && keyAscii(static_cast<QKeyEvent *>(event)) == 13) {
            CmdOK->click();
            return true;
        }
        return false;
    }

    if (watched == OptDisplayAll || watched == OptDisplayBest) {
        if (type != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Tab keeps its usual meaning; any key that types something moves on to OK.
        if (isFocusKey(key) || keyAscii(key) == 0)
            return false;
        OptDisplay_KeyPress();
        return true;
    }

    const auto *key = type == QEvent::KeyPress ? static_cast<QKeyEvent *>(event) : nullptr;
    if (key && isFocusKey(key))
        return false;
    for (int i = 0; i < 3; ++i) {
        if (watched != nMolec[i])
            continue;
        if (key)
            nMolec_KeyPress(i, keyAscii(key));
        else
            nMolec_GotFocus(i);
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        if (watched != natom[i])
            continue;
        if (key)
            natom_KeyPress(i, keyAscii(key));
        else
            natom_GotFocus(i);
        return false;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmSetup::nMolec_GotFocus(int index)
{
    SelectAllText(nMolec[index]);
}

void FrmSetup::natom_GotFocus(int index)
{
    SelectAllText(natom[index]);
}

// Enter moves on in screen order: H2, D2, HD, then the save option. Tab never
// comes here: the focus order visits the fields in the same screen order.
void FrmSetup::nMolec_KeyPress(int index, int keyAscii)
{
    if (!IsEntryKey(keyAscii))
        return;
    if (index == 0)
        SelectAllText(nMolec[2]);
    else if (index == 2)
        SelectAllText(nMolec[1]);
    else
        focusSaveOption();
}

void FrmSetup::natom_KeyPress(int index, int keyAscii)
{
    if (!IsEntryKey(keyAscii))
        return;
    if (index == 0)
        SelectAllText(natom[1]);
    else
        focusSaveOption();
}

void FrmSetup::OptDisplay_KeyPress()
{
    CmdOK->setFocus();
}

void FrmSetup::OptBy_Click(int index)
{
    SetEntryMode(index == 0);
}

// The save option takes effect with OK, when the system is set up from the
// dialog: a dialog closed without OK changes nothing of the run.
void FrmSetup::OptDisplayAll_Click()
{
    CmdOK->setFocus();
}

void FrmSetup::OptDisplayBest_Click()
{
    CmdOK->setFocus();
}

void FrmSetup::CmdOK_Click()
{
    // The next showing starts in the first field of the entry mode in force.
    SelectAllText(OptBy[0]->isChecked() ? nMolec[0] : natom[0]);
    accept();
}

} // namespace kormix::ui
