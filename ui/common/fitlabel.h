// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Texts that are never cut: where a text is wider than its box, it is drawn in
// a smaller size of its font, just small enough to fit, while the box keeps
// the place and size it was given. The windows were laid out for a narrow
// face; wider faces and long numbers shrink instead of running out of their
// boxes or into their neighbours.
#pragma once

#include <QCheckBox>
#include <QEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <optional>
#include <type_traits>

namespace kormix::ui {

// The font a text is drawn in to fit a width: the font itself where the text
// fits, else the largest smaller size of it that fits the text and a blank
// after it. A text that has to shrink fills its box to the end, where the next
// box often begins; the blank keeps it apart from that neighbour.
//
// The fit of the last text is kept, and the font found for each width of text,
// so that a counter changing all the time costs one measurement per new text
// and a search only for a width not met before.
class TextFit
{
public:
    // `own` is the same font from call to call until forget().
    QFont font(const QFont &own, const QString &text, qreal room);
    // The font or the room changed: every fit found so far is void.
    void forget();

private:
    QString text_;
    QFont font_;
    qreal room_ = -1;
    bool valid_ = false;
    std::optional<QFontMetricsF> ownMetrics_; // of the font the text has of its own
    QHash<qint64, QFont> fontByWidth_;        // by the text's width in its own font, 1/64 px
};

// What draws its text fitted to its box.
class FittedText
{
public:
    virtual ~FittedText() = default;
    // The font the text is drawn in now.
    virtual QFont shownFont() const = 0;
};

class FitLabel : public QLabel, public FittedText
{
    Q_OBJECT

public:
    explicit FitLabel(const QString &text, QWidget *parent = nullptr);

    QFont shownFont() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    mutable TextFit fit_;
};

// A push button, check box or option button whose caption is fitted to the
// room the style leaves for it.
template<typename Button>
class FitButton : public Button, public FittedText
{
    static_assert(
            std::is_base_of_v<
                    QPushButton,
                    Button> || std::is_base_of_v<QCheckBox, Button> || std::is_base_of_v<QRadioButton, Button>);

public:
    explicit FitButton(const QString &text, QWidget *parent = nullptr)
        : Button(text, parent)
    {}

    QFont shownFont() const override
    {
        QStyleOptionButton option;
        this->initStyleOption(&option);
        const QRect room = this->style()->subElementRect(kContents, &option, this);
        return fit_.font(this->font(), this->text(), room.width());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        // As the button paints itself, only in the font that fits.
        QStylePainter painter(this);
        QStyleOptionButton option;
        this->initStyleOption(&option);
        const QFont font = shownFont();
        painter.setFont(font);
        option.fontMetrics = QFontMetrics(font);
        painter.drawControl(kControl, option);
    }
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            fit_.forget();
        Button::changeEvent(event);
    }
    void resizeEvent(QResizeEvent *event) override
    {
        fit_.forget();
        Button::resizeEvent(event);
    }

private:
    static constexpr QStyle::ControlElement kControl = std::is_base_of_v<QPushButton, Button>
                                                               ? QStyle::CE_PushButton
                                                       : std::is_base_of_v<QCheckBox, Button>
                                                               ? QStyle::CE_CheckBox
                                                               : QStyle::CE_RadioButton;
    static constexpr QStyle::SubElement kContents = std::is_base_of_v<QPushButton, Button>
                                                            ? QStyle::SE_PushButtonContents
                                                    : std::is_base_of_v<QCheckBox, Button>
                                                            ? QStyle::SE_CheckBoxContents
                                                            : QStyle::SE_RadioButtonContents;

    mutable TextFit fit_;
};

// The font a widget's text is drawn in: a fitted text's shown font, else the
// widget's own.
QFont shownFont(const QWidget *widget);

} // namespace kormix::ui
