// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/savefile.h"

#include "core/wholefile.h"
#include "ui/display/frmdisplay.h"

#include <QBuffer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QWidget>

#include <filesystem>

namespace kormix::ui {

AskSavePath fileDialogOver(QWidget *parent)
{
    return [parent](const QString &caption, const QString &name, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, name, filter);
    };
}

void SaveFile::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, tr("Kormix"), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool SaveFile::write(QWidget *parent, const QString &path, const std::string &content)
{
    // UTF-16 names any file on Windows; elsewhere it becomes the file system's UTF-8.
    const ExportResult result = writeWholeFile(std::filesystem::path(path.toStdU16String()),
                                               content);
    if (!result.ok)
        showMessage(parent, FrmDisplay::exportMessage(result));
    return result.ok;
}

void SaveFile::savePicture(QWidget *parent,
                           QWidget *picture,
                           const QString &name,
                           const AskSavePath &ask)
{
    const QString path = ask(tr("Save Picture"), name, tr("PNG images (*.png)"));
    if (path.isEmpty())
        return;
    // Made whole in memory first: the file is then written like every other.
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !picture->grab().save(&buffer, "PNG")) {
        showMessage(parent, tr("The picture could not be written to %1").arg(path));
        return;
    }
    write(parent, path, png.toStdString());
}

} // namespace kormix::ui
