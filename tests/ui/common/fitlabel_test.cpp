// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Texts are never cut: a label's or a button's text wider than its box is
// drawn in a smaller size of its font, in every window, whatever the face and
// however long the number; the boxes keep the places and sizes they were given.
#include "tests/ui/common/allwindows.h"
#include "ui/common/fitlabel.h"
#include "ui/common/levelpanel.h"
#include "ui/common/translation.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace kormix::test {
namespace {

using ui::FitLabel;
using ui::shownFont;

double advance(const QFont &font, const QString &text)
{
    return QFontMetricsF(font).horizontalAdvance(text);
}

// --- one label ---------------------------------------------------------------

class FitLabelTest : public ::testing::Test
{
protected:
    FitLabelTest()
    {
        label.setFont(ui::sansFont(12));
        label.setGeometry(0, 0, 65, 17); // a value box of the main window
    }
    QWidget parent;
    FitLabel label{"0", &parent};
};

TEST_F(FitLabelTest, ATextThatFitsKeepsTheLabelsFontALongerOneTheLargestSizeThatFits)
{
    const char *texts[] = {"0", "20", "99900592", "2147483647", "4611686018427387904.00"};
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        label.setText(text);
        const QFont shown = label.shownFont();
        EXPECT_LE(advance(shown, text), label.contentsRect().width());
        if (advance(label.font(), text) <= label.contentsRect().width()) {
            EXPECT_EQ(shown, label.font());
            continue;
        }
        EXPECT_LT(shown.pixelSize(), label.font().pixelSize());
        EXPECT_EQ(shown.family(), label.font().family());
        EXPECT_EQ(shown.bold(), label.font().bold());
        // One pixel more and the text with a blank after it no longer fits.
        QFont larger = shown;
        larger.setPixelSize(shown.pixelSize() + 1);
        EXPECT_GT(advance(larger, QString(text) + ' '), label.contentsRect().width());
    }
}

TEST_F(FitLabelTest, TheFitFollowsEveryChangeOfTextFontAndSize)
{
    label.setText("2147483647");
    const QFont shrunk = label.shownFont();
    ASSERT_LT(shrunk.pixelSize(), label.font().pixelSize());
    label.setText("20");
    EXPECT_EQ(label.shownFont(), label.font());
    label.setText("2147483647");
    EXPECT_EQ(label.shownFont(), shrunk);

    QFont wide = label.font();
    wide.setLetterSpacing(QFont::PercentageSpacing, 150);
    label.setFont(wide);
    EXPECT_LT(label.shownFont().pixelSize(), shrunk.pixelSize());
    EXPECT_LE(advance(label.shownFont(), label.text()), label.contentsRect().width());

    label.setFont(ui::sansFont(12));
    label.resize(400, 17);
    EXPECT_EQ(label.shownFont(), label.font());
}

TEST_F(FitLabelTest, DrawsTheTextInTheFontThatFits)
{
    // Drawn in the label's own font, the last digits would fall beyond the box.
    label.setText("2147483647");
    ASSERT_GT(advance(label.font(), label.text()), label.width());
    const QImage image = label.grab().toImage();
    int rightmostInk = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128)
                rightmostInk = x;
        }
    }
    // The text ends where the shown font ends it, inside the box.
    EXPECT_LT(rightmostInk, image.width() - 1);
    EXPECT_NEAR(rightmostInk, advance(label.shownFont(), label.text()), 3);
}

// --- every window ------------------------------------------------------------

// A face wider than the one the windows were laid out for.
using Widen = std::function<QFont(QFont)>;

struct Face
{
    const char *name;
    Widen widen;
};

QFont letterSpaced(QFont font)
{
    font.setLetterSpacing(QFont::PercentageSpacing, 125);
    return font;
}

QFont dejaVuFace(QFont font)
{
    font.setFamilies({"DejaVu Sans"});
    return font;
}

class AllTextsFitTest : public ::testing::Test
{
protected:
    // Every label with its geometry as built.
    std::map<QLabel *, QRect> geometries() const
    {
        std::map<QLabel *, QRect> g;
        for (QWidget *w : windows.windows()) {
            for (QLabel *label : w->findChildren<QLabel *>())
                g[label] = label->geometry();
        }
        return g;
    }

    // Gives every text of every window the wider face in place of its own.
    void useFace(const Widen &widen)
    {
        if (ownFonts.empty()) {
            for (QWidget *w : windows.windows()) {
                for (QWidget *child : w->findChildren<QWidget *>())
                    ownFonts[child] = child->font();
            }
        }
        for (const auto &[widget, font] : ownFonts)
            widget->setFont(widen(font));
    }

    // The longest texts the windows can come to show.
    void showLongTexts()
    {
        ui::FrmMain &frm = *windows.frm;
        const std::pair<MainLabel, const char *> values[] = {
                {MainLabel::H2, "2147483647"},
                {MainLabel::HD, "99900592"},
                {MainLabel::D2, "2147483647"},
                {MainLabel::Qa, "4611686014132420609.00"},
                {MainLabel::nHatoms, "4294967294"},
                {MainLabel::nDatoms, "4294967294"},
                {MainLabel::status, "running in turbo mode"},
                {MainLabel::ncollide, "9223372036854775807"},
                {MainLabel::NumDistros, "most prob"},
                {MainLabel::bestcol, "9223372036854775807"},
                {MainLabel::logW, "932651093.527"},
                {MainLabel::Wmax, "3.37E+932651093"},
                {MainLabel::BestQ, "3.26666666666667"},
        };
        for (const auto &[label, text] : values)
            frm.valueLabel(label)->setText(ui::coreText(text));

        const std::array<std::int32_t, 4> counts = {11111111, 99900592, 11111111, 0};
        for (ui::LevelPanel *panel : {frm.bestForm()->FraLevels, windows.display->FraLevels}) {
            panel->showDistribution(counts, 122122814, '.', 0.00001);
            panel->Qa->setText("4611686014132420609.00");
        }
        windows.display->W->setText("W = 3.37E+932651093");
        windows.display->ncoll->setText("9223372036854775807");

        windows.revise->nKind = {1, 2147483646, 1};
        windows.revise->DrawLevels();
    }

    AllWindows windows;
    std::map<QWidget *, QFont> ownFonts;
};

TEST_F(AllTextsFitTest, EveryTextFitsItsBoxInAWiderFaceAndTheBoxesStayPut)
{
    std::vector<Face> faces = {{"letter-spaced", letterSpaced}};
    if (QFontDatabase::hasFamily("DejaVu Sans"))
        faces.push_back({"DejaVu Sans", dejaVuFace});
    const std::map<QLabel *, QRect> built = geometries();
    showLongTexts();
    for (const Face &face : faces) {
        SCOPED_TRACE(face.name);
        useFace(face.widen);
        for (const auto &[label, geometry] : built) {
            const std::string name = (label->window()->objectName() + " " + label->objectName()
                                      + " \"" + label->text() + "\"")
                                             .toStdString();
            EXPECT_LE(advance(shownFont(label), label->text()), label->contentsRect().width())
                    << name;
            EXPECT_EQ(label->geometry(), geometry) << name;
        }
        // Buttons, check boxes and option buttons, with their longest captions.
        windows.frm->CmdCollide->setText("Restart Collisions");
        windows.frm->CmdShowBest->setText("Hide Most Prob");
        for (QWidget *w : windows.windows()) {
            for (QAbstractButton *b : w->findChildren<QAbstractButton *>()) {
                if (b->text().isEmpty())
                    continue;
                QStyleOptionButton option;
                option.initFrom(b);
                const QStyle::SubElement contents = qobject_cast<QPushButton *>(b)
                                                            ? QStyle::SE_PushButtonContents
                                                    : qobject_cast<QCheckBox *>(b)
                                                            ? QStyle::SE_CheckBoxContents
                                                            : QStyle::SE_RadioButtonContents;
                const QRect room = b->style()->subElementRect(contents, &option, b);
                EXPECT_LE(advance(shownFont(b), b->text()), room.width())
                        << w->objectName().toStdString() << " " << b->objectName().toStdString();
            }
        }
    }
}

struct Given
{
    const char *window, *name;
    double l, t, w, h;
};

TEST_F(AllTextsFitTest, LabelsStandWhereTheLayoutPutsThem)
{
    const Given labels[] = {
            {"frmMain", "Label5", 4440, 1200, 855, 255},
            {"frmMain", "LblNumDistros", 4440, 1560, 2895, 255},
            {"frmMain", "Label13", 4440, 2520, 3135, 375},
            {"frmMain", "bestcol", 7560, 2520, 1800, 255},
            {"frmMain", "BestQ", 7560, 3600, 1800, 255},
            {"frmMain", "H2", 3000, 1200, 975, 255},
            {"frmMain", "Label8", 120, 4920, 4455, 255},
            {"frmBest", "nMolec_1", 240, 600, 2175, 255},
            {"frmDisplay", "W", 120, 240, 1575, 255},
            {"frmDisplay", "ncoll", 4800, 4440, 1815, 255},
            {"FrmRevise", "Qa", 2760, 1440, 1095, 255},
    };
    showLongTexts();
    useFace(letterSpaced);
    for (const Given &g : labels) {
        SCOPED_TRACE(std::string(g.window) + " " + g.name);
        auto *label = windows.control<QLabel>(g.window, g.name);
        ASSERT_NE(label, nullptr);
        const QRect given = ui::twipsRect(g.l, g.t, g.w, g.h);
        EXPECT_EQ(label->x(), given.x());
        EXPECT_EQ(label->y(), given.y());
        EXPECT_EQ(label->width(), given.width());
        // A label is never lower than a line of its font.
        EXPECT_GE(label->height(), given.height());
    }
}

} // namespace
} // namespace kormix::test
