// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Every translation in translations/ is complete: each text of the sources has
// a finished, non-empty translation that keeps the text's placeholders and its
// accelerator, and the file holds no text the sources no longer have.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // the translation's type attribute: empty when finished
};

std::vector<Message> readTs(const QString &path, QString *language = nullptr)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<Message> messages;
    QString context;
    Message message;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("TS") && language) {
            *language = xml.attributes().value("language").toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value("type").toString();
            message.translation = xml.readElementText();
            messages.push_back(message);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

QStringList translationFiles()
{
    const QDir dir(QStringLiteral(KORMIX_SOURCE_DIR "/translations"));
    QStringList files;
    for (const QString &name : dir.entryList({"kormix_*.ts"}, QDir::Files))
        files << dir.filePath(name);
    return files;
}

// The placeholders %1 ... %99 of a text.
std::multiset<QString> placeholders(const QString &text)
{
    static const QRegularExpression placeholder("%\\d{1,2}");
    std::multiset<QString> found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// The accelerators of a text: single ampersands (a doubled one is an ampersand shown).
int accelerators(const QString &text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        else
            ++n;
    }
    return n;
}

// A rich text's tags (the About text): a translation keeps them all, in order.
QStringList tags(const QString &text)
{
    static const QRegularExpression tag("<[^>]*>");
    QStringList tags;
    for (auto it = tag.globalMatch(text); it.hasNext();)
        tags << it.next().captured();
    return tags;
}

std::string name(const Message &m)
{
    return (m.context + " \"" + m.source + "\"").toStdString();
}

TEST(TranslationFiles, ThereIsAGermanOne)
{
    const QStringList files = translationFiles();
    ASSERT_TRUE(files.contains(QStringLiteral(KORMIX_SOURCE_DIR "/translations/kormix_de.ts")))
            << files.join(' ').toStdString();
    QString language;
    const std::vector<Message> messages = readTs(files.first(), &language);
    EXPECT_EQ(language, "de_DE");
    EXPECT_GT(messages.size(), 90u);
}

TEST(TranslationFiles, EveryTextHasAFinishedTranslationThatKeepsItsPlaceholdersAndAccelerator)
{
    for (const QString &file : translationFiles()) {
        SCOPED_TRACE(file.toStdString());
        for (const Message &m : readTs(file)) {
            EXPECT_EQ(m.type, "") << name(m); // neither "unfinished" nor "vanished"
            EXPECT_FALSE(m.translation.trimmed().isEmpty()) << name(m);
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << name(m);
            EXPECT_EQ(accelerators(m.translation), accelerators(m.source)) << name(m);
            EXPECT_EQ(tags(m.translation), tags(m.source)) << name(m);
            EXPECT_EQ(m.translation, m.translation.trimmed()) << name(m);
        }
    }
}

// lupdate is a program of the build machine: a Windows build, run under Wine,
// cannot hand it its own paths, and the sources it reads are the same for every
// platform, so this check runs in the native builds.
#ifndef _WIN32
// lupdate run over the sources now finds exactly the texts the file holds: a
// text added to the sources and not yet translated fails here (run
// scripts/update-translations.sh and translate it).
TEST(TranslationFiles, HoldExactlyTheTextsOfTheSources)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString fresh = scratch.filePath("kormix_de.ts");
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(KORMIX_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    // The same run as scripts/update-translations.sh, into a new file.
    lupdate.start(QStringLiteral(KORMIX_LUPDATE),
                  {"-locations",
                   "none",
                   "-no-obsolete",
                   "-extensions",
                   "cpp,h",
                   "-I",
                   ".",
                   "ui",
                   "app",
                   "-ts",
                   fresh});
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAll().toStdString();

    std::set<std::pair<QString, QString>> inSources;
    for (const Message &m : readTs(fresh))
        inSources.emplace(m.context, m.source);
    ASSERT_GT(inSources.size(), 90u);

    for (const QString &file : translationFiles()) {
        SCOPED_TRACE(file.toStdString());
        std::set<std::pair<QString, QString>> inFile;
        for (const Message &m : readTs(file))
            inFile.emplace(m.context, m.source);
        for (const auto &text : inSources) {
            EXPECT_TRUE(inFile.count(text))
                    << "not in the file: " << name({text.first, text.second, {}, {}});
        }
        for (const auto &text : inFile) {
            EXPECT_TRUE(inSources.count(text))
                    << "no longer in the sources: " << name({text.first, text.second, {}, {}});
        }
    }
}

#endif

} // namespace
