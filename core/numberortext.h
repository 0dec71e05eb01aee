// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A value that holds a number or a text, whichever was stored last: the
// reaction quotient Q is a number while collisions run and its display text
// once it has been formatted for a window.
#pragma once

#include <string>
#include <utility>

namespace kormix {

class NumberOrText
{
public:
    NumberOrText() = default;

    void setNumber(double value)
    {
        number_ = value;
        isText_ = false;
    }
    void setText(std::string text)
    {
        text_ = std::move(text);
        isText_ = true;
    }

    bool isText() const { return isText_; }
    double number() const { return number_; }
    const std::string &text() const { return text_; }

    // The text itself, or the number by the plain conversion.
    std::string toText(char decimalPoint = '.') const;

    friend bool operator==(const NumberOrText &a, const NumberOrText &b)
    {
        return a.isText_ == b.isText_ && (a.isText_ ? a.text_ == b.text_ : a.number_ == b.number_);
    }

private:
    double number_ = 0;
    std::string text_; // empty until something is stored
    bool isText_ = true;
};

} // namespace kormix
