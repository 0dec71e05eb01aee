// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "app/batch.h"

#include "core/distributionsfile.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/stayshares.h"
#include "core/equilibrium/tables.h"
#include "core/host.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "core/wholenumber.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#ifndef KORMIX_VERSION
#define KORMIX_VERSION "1.2"
#endif

namespace kormix {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The setup dialog's fields as the command line gives them; progress on the
// error stream once a run has taken a second.
class BatchHost : public NullHost
{
public:
    BatchHost(SetupFields setupFields, std::ostream &errors)
        : fields(std::move(setupFields))
        , err(errors)
    {}

    SetupFields readSetupFields() override { return fields; }

    void serveEvents() override
    {
        // The clock is read only every 1024 services (51,200 collisions).
        if ((++services & 1023) != 0)
            return;
        const Clock::time_point now = Clock::now();
        if (now - start < std::chrono::seconds(1) || now - shown < std::chrono::milliseconds(500))
            return;
        shown = now;
        progress();
    }

    void begin(Simulation &s, std::int64_t collisions)
    {
        sim = &s;
        target = collisions;
        start = Clock::now();
        shown = start;
    }

    // Ends the progress line, if one was shown.
    void end()
    {
        if (progressShown) {
            progress();
            err << '\n' << std::flush;
        }
    }

    SetupFields fields;

private:
    void progress()
    {
        progressShown = true;
        const double percent = target > 0 ? 100.0 * double(sim->nCollisions) / double(target)
                                          : 100.0;
        err << "\rkormix: " << formatNumber(std::floor(percent), "#") << " % ("
            << integerToText(sim->nCollisions) << " of " << integerToText(target) << " collisions)"
            << std::flush;
    }

    std::ostream &err;
    Simulation *sim = nullptr;
    std::int64_t target = 0;
    std::uint64_t services = 0;
    Clock::time_point start, shown;
    bool progressShown = false;
};

std::string utf8(const QString &text)
{
    return text.toStdString();
}

// A bad argument: its message, and nothing done.
int refuse(std::ostream &err, const std::string &message)
{
    err << "kormix: " << message << '\n';
    return 2;
}

} // namespace

bool wantsBatch(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option :
             {"--batch", "--help", "-h", "-?", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

int runBatch(int argc, char **argv)
{
    // A core application only: the batch mode runs without a display.
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return runBatch(arguments, std::cout, std::cerr);
}

int runBatch(const QStringList &arguments, std::ostream &out, std::ostream &err)
{
    QCoreApplication::setApplicationName("kormix");
    QCoreApplication::setApplicationVersion(KORMIX_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(
            "Kormix: the isotope exchange H2 + D2 = 2 HD seen through statistics.\n"
            "\n"
            "With --batch it runs without a window: it sets a system up as the setup dialog\n"
            "would, runs the collisions and writes three files into the output directory:\n"
            "  distributions.xls  every distribution found (the format of \"Excel\")\n"
            "  series.tsv         the course of the run, every 50 collisions\n"
            "  equilibrium.tsv    the compositions with their exact P and the shares of the\n"
            "                     run, a blank line, then the reactions counted\n"
            "Numbers in the files and in the summary use '.' as the decimal separator,\n"
            "whatever the language of the desktop. A summary line goes to standard output;\n"
            "runs longer than a second show their progress on standard error.\n"
            "\n"
            "Exit codes: 0 done, 1 a file could not be written, 2 a bad argument (nothing\n"
            "is written then).\n"
            "\n"
            "Example: kormix --batch --molecules 50,0,50 --collisions 100000 --seed 1");
    const QCommandLineOption batch("batch", "Run without a window.");
    const QCommandLineOption molecules("molecules",
                                       "Numbers of H2, HD and D2 molecules, read as the setup "
                                       "dialog reads them.",
                                       "H2,HD,D2");
    const QCommandLineOption atoms("atoms",
                                   "Numbers of H and D atoms instead; they start paired as H2 "
                                   "and D2.",
                                   "H,D");
    const QCommandLineOption collisions("collisions", "Number of collisions to run.", "N");
    const QCommandLineOption seed("seed",
                                  "Seed of the random numbers, 0 to 18446744073709551615: the "
                                  "same seed and arguments give the same files. Without it the "
                                  "clock seeds them; the summary names the seed.",
                                  "S");
    const QCommandLineOption bestOnly("best-only",
                                      "Keep only the most probable distribution, as the setup "
                                      "dialog's other save option does.");
    const QCommandLineOption output("output",
                                    "Directory for the files (default: the current directory).",
                                    "DIR");
    parser.addOptions({batch, molecules, atoms, collisions, seed, bestOnly, output});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    if (!parser.parse(arguments))
        return refuse(err, utf8(parser.errorText()));
    if (parser.isSet(help)) {
        out << utf8(parser.helpText()) << std::flush;
        return 0;
    }
    if (parser.isSet(version)) {
        out << "kormix " << KORMIX_VERSION << '\n' << std::flush;
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(err,
                      "unexpected argument '" + utf8(parser.positionalArguments().first()) + "'");
    if (!parser.isSet(batch))
        return refuse(err, "--batch is needed to run without a window");
    for (const QCommandLineOption *option : {&molecules, &atoms, &collisions, &seed, &output}) {
        if (parser.values(*option).size() > 1)
            return refuse(err, "--" + utf8(option->names().first()) + " is given more than once");
    }

    // The composition, as texts for the setup dialog's fields.
    SetupFields fields;
    if (parser.isSet(molecules) == parser.isSet(atoms))
        return refuse(err,
                      parser.isSet(molecules) ? "give --molecules or --atoms, not both"
                                              : "give --molecules H2,HD,D2 or --atoms H,D");
    if (parser.isSet(molecules)) {
        const QString value = parser.value(molecules);
        const QStringList counts = value.split(',');
        if (counts.size() != 3)
            return refuse(err, "--molecules needs three counts H2,HD,D2, not '" + utf8(value) + "'");
        fields.byMolecules = true;
        for (int i = 0; i < 3; ++i)
            fields.nMolec[i] = utf8(counts[i]);
    } else {
        const QString value = parser.value(atoms);
        const QStringList counts = value.split(',');
        if (counts.size() != 2)
            return refuse(err, "--atoms needs two counts H,D, not '" + utf8(value) + "'");
        fields.byMolecules = false;
        for (int i = 0; i < 2; ++i)
            fields.natom[i] = utf8(counts[i]);
    }
    fields.displayAll = !parser.isSet(bestOnly);

    if (!parser.isSet(collisions))
        return refuse(err, "--collisions N is needed");
    const std::string collisionsText = utf8(parser.value(collisions));
    const std::optional<std::uint64_t> n = readWholeNumber(collisionsText);
    if (!n || *n > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
        return refuse(err,
                      "--collisions must be a whole number from 0 to 9223372036854775807, not '"
                              + collisionsText + "'");

    std::optional<std::uint64_t> fixedSeed;
    if (parser.isSet(seed)) {
        const std::string text = utf8(parser.value(seed));
        fixedSeed = readWholeNumber(text);
        if (!fixedSeed)
            return refuse(err,
                          "--seed must be a whole number from 0 to 18446744073709551615, not '"
                                  + text + "'");
    }

    const fs::path dir = parser.isSet(output) ? fs::path(utf8(parser.value(output)))
                                              : fs::path(".");
    std::error_code ec;
    if (fs::exists(dir, ec) && !fs::is_directory(dir, ec))
        return refuse(err, "--output " + dir.string() + " is not a directory");

    // The system, as the setup dialog's OK builds it.
    BatchHost host(fields, err);
    Simulation sim(&host);
    sim.bTurbo = true;
    if (fixedSeed)
        sim.rng.fixSeed(*fixedSeed);
    sim.SetupSystem();
    if (sim.bNeedsSetup) {
        const std::string given = parser.isSet(molecules)
                                          ? "--molecules " + utf8(parser.value(molecules))
                                          : "--atoms " + utf8(parser.value(atoms));
        return refuse(err, given + " gives no usable system (it needs at least two molecules)");
    }

    // The run, through the same engine as the windows.
    sim.BeginCollisions();
    host.begin(sim, std::int64_t(*n));
    const Clock::time_point started = Clock::now();
    sim.runCollisionsFor(std::int64_t(*n));
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    host.end();

    const Composition now{sim.nH2, sim.nHD, sim.nD2};
    const ExactDistribution exact = exactDistribution(2 * std::int64_t(sim.nH2) + sim.nHD,
                                                      2 * std::int64_t(sim.nD2) + sim.nHD);
    const StayShares shares = sim.observed.sharesUpTo(sim.nHD, sim.nCollisions);

    fs::create_directories(dir, ec);
    const struct
    {
        const char *name;
        std::string text;
    } files[] = {
            {"distributions.xls", distributionsText(sim)},
            {"series.tsv", seriesTable(sim.observed.series())},
            {"equilibrium.tsv",
             compositionsTable(exact, shares) + "\n"
                     + reactionsTable(sim.observed.reactions, sim.nCollisions, now, exact)},
    };
    for (const auto &file : files) {
        const ExportResult result = writeWholeFile(dir / file.name, file.text);
        if (!result.ok) {
            err << "kormix: " << result.message << '\n';
            return 1;
        }
    }

    const std::optional<double> distance = totalVariation(shares, exact);
    out << integerToText(sim.nCollisions) << " collisions, " << integerToText(sim.nDistFound)
        << " distributions found, distance from equilibrium "
        << (distance ? numberToText(*distance) : std::string("none")) << ", "
        << (seconds > 0 ? integerToText(std::llround(double(sim.nCollisions) / seconds))
                        : std::string("-"))
        << " collisions per second, seed " << std::to_string(sim.rng.currentSeed()) << '\n'
        << std::flush;
    return 0;
}

} // namespace kormix
