// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/common/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string>

namespace kormix::ui {

namespace {

// The context the core's words are translated in.
constexpr char kCoreContext[] = "kormix::core";

// Every word that reaches the main window's labels through the core's way of
// writing them: the core's own, and the statuses the main window writes the
// same way; and the names the core gives the reactions. Listed here so that
// lupdate finds them; coreText translates them.
[[maybe_unused]] constexpr const char *kCoreWords[] = {
        //: A count or Q of a system not yet set up.
        QT_TRANSLATE_NOOP("kormix::core", "?"),
        QT_TRANSLATE_NOOP("kormix::core", "needs setup"),
        QT_TRANSLATE_NOOP("kormix::core", "Setup Complete"),
        QT_TRANSLATE_NOOP("kormix::core", "running"),
        QT_TRANSLATE_NOOP("kormix::core", "running in turbo mode"),
        //: In place of the number of distributions when only the most probable one is kept.
        QT_TRANSLATE_NOOP("kormix::core", "most prob"),
        //: Q when there is no H2 or no D2.
        QT_TRANSLATE_NOOP("kormix::core", "infinite"),
        // The reactions, as the equilibrium tables name them.
        QT_TRANSLATE_NOOP("kormix::core", "forward (H2 + D2 -> 2 HD)"),
        QT_TRANSLATE_NOOP("kormix::core", "reverse (2 HD -> H2 + D2)"),
        QT_TRANSLATE_NOOP("kormix::core", "HD + HD met without reacting"),
        QT_TRANSLATE_NOOP("kormix::core", "H2 + D2 met without reacting"),
};

// The languages the program has a translation for, and the name its file
// carries (kormix_<name>.qm, built into the program under :/i18n).
struct Shipped
{
    QLocale::Language language;
    const char *name;
};
constexpr Shipped kShipped[] = {{QLocale::German, "de"}};

constexpr char kTranslatorName[] = "kormix translator";

bool install(QCoreApplication &app, const QString &file, const QString &directory)
{
    auto *translator = new QTranslator(&app);
    translator->setObjectName(kTranslatorName);
    if (!translator->load(file, directory) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

bool isNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ',';
}

} // namespace

bool installTranslations(QCoreApplication &app, const QLocale &locale)
{
    for (const Shipped &shipped : kShipped) {
        if (locale.language() != shipped.language)
            continue;
        const QString name = QString::fromLatin1(shipped.name);
        if (!install(app, QStringLiteral("kormix_") + name, QStringLiteral(":/i18n")))
            return false;
        // Qt's own texts (the standard buttons, a field's context menu) come
        // from the system's Qt translations where they are installed.
        install(app,
                QStringLiteral("qtbase_") + name,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        return true;
    }
    return false;
}

void removeTranslations(QCoreApplication &app)
{
    for (QTranslator *translator :
         app.findChildren<QTranslator *>(kTranslatorName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

QString coreText(std::string_view text)
{
    if (text.empty() || isNumber(text.front()))
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    const std::string word(text);
    return QCoreApplication::translate(kCoreContext, word.c_str());
}

} // namespace kormix::ui
