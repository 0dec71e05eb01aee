// The font of the program's own windows.
//
// The window layouts were drawn for MS Sans Serif, whose letters are about as
// wide as Arial's. Common desktop faces such as DejaVu Sans run wider and cut
// off the longer captions, so a face with Arial's widths comes first where one
// is installed; otherwise the system's sans-serif face stands in.
#pragma once

#include "common/twips.h"

#include <QFont>
#include <QStringList>

namespace kormix::ui {

inline QFont WindowFont(double points, bool bold = true)
{
    QFont font = SansFont(points, bold);
    font.setFamilies({"Arial", "Liberation Sans", "Nimbus Sans", "Helvetica", font.family()});
    return font;
}

} // namespace kormix::ui
