// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/help/frmguide.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

// The guide's resource lives in a static library, whose registration the
// linker would drop unless something refers to it.
static void initGuideResource()
{
    Q_INIT_RESOURCE(guide);
}

namespace kormix::ui {

QString FrmGuide::guideText()
{
    initGuideResource();
    QFile file(QStringLiteral(":/help/guide.md"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

FrmGuide::FrmGuide(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("frmGuide");
    setWindowTitle(tr("Kormix Guide"));
    setAttribute(Qt::WA_DeleteOnClose);

    txtGuide = new QTextBrowser(this);
    txtGuide->setObjectName("txtGuide");
    txtGuide->setAccessibleName(tr("Kormix Guide"));
    // Links to the web open in the desktop's browser; the guide has no
    // pages of its own to follow.
    txtGuide->setOpenExternalLinks(true);
    txtGuide->setMarkdown(guideText());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(txtGuide);

    // Wide enough for the guide's tables, about 80 characters of text.
    const QFontMetrics metrics(txtGuide->font());
    resize(metrics.horizontalAdvance(QLatin1Char('x')) * 96, metrics.lineSpacing() * 40);
    txtGuide->setFocus();
}

} // namespace kormix::ui
