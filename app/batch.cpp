// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "app/batch.h"

#include "core/distributionsfile.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/model.h"
#include "core/equilibrium/stayshares.h"
#include "core/equilibrium/tables.h"
#include "core/host.h"
#include "core/numberformat.h"
#include "core/simulation.h"
#include "core/version.h"
#include "core/wholefile.h"
#include "core/wholenumber.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kormix {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The options that make no sense without --batch, and --batch itself.
constexpr const char *kBatchOptions[] = {"batch",
                                         "molecules",
                                         "atoms",
                                         "collisions",
                                         "seed",
                                         "temperature",
                                         "best-only",
                                         "output"};

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

    void begin(const Simulation &s, std::int64_t collisions)
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

private:
    void progress()
    {
        progressShown = true;
        const double percent = target > 0 ? 100.0 * double(sim->nCollisions) / double(target)
                                          : 100.0;
        err << "\rkormix: " << integerToText(std::int64_t(std::floor(percent))) << " % ("
            << integerToText(sim->nCollisions) << " of " << integerToText(target) << " collisions)"
            << std::flush;
    }

    SetupFields fields;
    std::ostream &err;
    const Simulation *sim = nullptr;
    std::int64_t target = 0;
    std::uint64_t services = 0;
    Clock::time_point start, shown;
    bool progressShown = false;
};

std::string utf8(const QString &text)
{
    return text.toStdString();
}

// A text of the user's as a message shows it: control characters and
// backslashes escaped, so that a message is always one line and nothing in
// it reaches the terminal raw.
std::string escaped(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '\\') {
            shown += "\\\\";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (c == '\t') {
            shown += "\\t";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (u < 0x20 || u == 0x7f) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", unsigned(u));
            shown += code;
        } else {
            shown += c;
        }
    }
    return shown;
}

// A value of the user's in quotes, escaped.
std::string inQuotes(std::string_view value)
{
    std::string text(1, '\'');
    text += escaped(value);
    text += '\'';
    return text;
}

std::string inQuotes(const QString &value)
{
    return inQuotes(utf8(value));
}

// A path in quotes, as UTF-8 on every system.
std::string pathInQuotes(const fs::path &path)
{
    return inQuotes(pathText(path));
}

// A bad argument: its message, and nothing done.
int refuse(std::ostream &err, const std::string &message)
{
    err << "kormix: " << message << '\n';
    return 2;
}

// A file that could not be written.
int fail(std::ostream &err, const std::string &message)
{
    err << "kormix: " << message << '\n';
    return 1;
}

// What the command line asks for.
struct BatchRequest
{
    SetupFields fields;
    std::string composition; // the option that gave it, as the messages name it
    std::int64_t collisions = 0;
    std::optional<std::uint64_t> seed;
    EquilibriumModel model; // statistics only unless --temperature
    fs::path output;
};

// The command line's options and what --help says of them.
struct BatchOptions
{
    QCommandLineOption batch{"batch", "Run without a window."};
    QCommandLineOption molecules{"molecules",
                                 "Numbers of H2, HD and D2 molecules, read as the setup dialog "
                                 "reads them.",
                                 "H2,HD,D2"};
    QCommandLineOption atoms{"atoms",
                             "Numbers of H and D atoms instead; they start paired as H2 and D2.",
                             "H,D"};
    QCommandLineOption collisions{"collisions", "Number of collisions to run.", "N"};
    QCommandLineOption seed{"seed",
                            "Seed of the random numbers, 0 to 18446744073709551615: the same "
                            "seed and arguments give the same files. Without it the clock seeds "
                            "them; the summary names the seed.",
                            "S"};
    QCommandLineOption temperature{"temperature",
                                   "Real hydrogen at this temperature in kelvin, 20 to 3000: an "
                                   "H2 + D2 pair that meets reacts K(T) / 4 of the time. Without "
                                   "it counting alone decides (statistics only, K = 4).",
                                   "T"};
    QCommandLineOption bestOnly{"best-only",
                                "Keep only the most probable distribution, as the setup dialog's "
                                "other save option does."};
    QCommandLineOption output{"output",
                              "Directory for the files (default: the current directory).",
                              "DIR"};
    QCommandLineOption help{{"h", "?", "help"}, "Displays this help."};
    QCommandLineOption version{{"v", "version"}, "Displays the version."};
};

void describe(QCommandLineParser &parser, const BatchOptions &o)
{
    parser.setApplicationDescription(
            "Kormix: the isotope exchange H2 + D2 = 2 HD seen through statistics.\n"
            "\n"
            "With --batch it runs without a window: it sets a system up as the setup dialog\n"
            "would, runs the collisions and writes three files into the output directory:\n"
            "  distributions.xls  every distribution found (the format of \"Excel\")\n"
            "  series.tsv         the course of the run, every 50 collisions\n"
            "  equilibrium.tsv    the compositions with their exact P and the shares of the\n"
            "                     run, a last line \"others\" for all other compositions, a\n"
            "                     blank line, then the reactions counted\n"
            "The first line of series.tsv and of equilibrium.tsv names the model, as in\n"
            "\"# model: hydrogen at 298.15 K, K = 3.25948732679871\"; so does the summary.\n"
            "The directory is made and tried before the first collision; the three files\n"
            "are written beside any earlier ones and take their places together at the end.\n"
            "Numbers in the files and in the summary use '.' as the decimal separator,\n"
            "whatever the language of the desktop. A summary line goes to standard output;\n"
            "runs longer than a second show their progress on standard error.\n"
            "\n"
            "Exit codes: 0 done, 1 a file could not be written, 2 a bad argument (nothing\n"
            "is written then).\n"
            "\n"
            "Example: kormix --batch --molecules 50,0,50 --collisions 100000 --seed 1\n"
            "         kormix --batch --atoms 20,20 --collisions 4000000 --temperature 298.15");
    parser.addOptions({o.batch,
                       o.molecules,
                       o.atoms,
                       o.collisions,
                       o.seed,
                       o.temperature,
                       o.bestOnly,
                       o.output,
                       o.help,
                       o.version});
}

// Why the parser refused the command line, one line, nothing raw.
std::string parseError(const QCommandLineParser &parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return "Unknown option " + inQuotes(unknown.first()) + ".";
    return escaped(utf8(parser.errorText()));
}

// The composition into the setup dialog's fields, or why it cannot be read.
std::optional<std::string> readComposition(const QCommandLineParser &parser,
                                           const BatchOptions &o,
                                           BatchRequest &request)
{
    if (parser.isSet(o.molecules) == parser.isSet(o.atoms))
        return parser.isSet(o.molecules) ? "give --molecules or --atoms, not both"
                                         : "give --molecules H2,HD,D2 or --atoms H,D";
    const bool byMolecules = parser.isSet(o.molecules);
    const QString value = parser.value(byMolecules ? o.molecules : o.atoms);
    const QStringList counts = value.split(',');
    request.composition = (byMolecules ? "--molecules " : "--atoms ") + inQuotes(value);
    if (byMolecules && counts.size() != 3)
        return "--molecules needs three counts H2,HD,D2, not " + inQuotes(value);
    if (!byMolecules && counts.size() != 2)
        return "--atoms needs two counts H,D, not " + inQuotes(value);
    request.fields.byMolecules = byMolecules;
    for (int i = 0; i < counts.size(); ++i)
        (byMolecules ? request.fields.nMolec[i] : request.fields.natom[i]) = utf8(counts[i]);
    request.fields.displayAll = !parser.isSet(o.bestOnly);
    return std::nullopt;
}

// The numbers of the run: how many collisions, and the seed if one is given.
std::optional<std::string> readNumbers(const QCommandLineParser &parser,
                                       const BatchOptions &o,
                                       BatchRequest &request)
{
    if (!parser.isSet(o.collisions))
        return "--collisions N is needed";
    const QString collisions = parser.value(o.collisions);
    const std::optional<std::uint64_t> n = readWholeNumber(utf8(collisions));
    if (!n || *n > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
        return "--collisions must be a whole number from 0 to 9223372036854775807, not "
               + inQuotes(collisions);
    request.collisions = std::int64_t(*n);
    if (parser.isSet(o.seed)) {
        const QString seed = parser.value(o.seed);
        request.seed = readWholeNumber(utf8(seed));
        if (!request.seed)
            return "--seed must be a whole number from 0 to 18446744073709551615, not "
                   + inQuotes(seed);
    }
    return std::nullopt;
}

// The model of --temperature, or why it cannot be read.
std::optional<std::string> readModel(const QCommandLineParser &parser,
                                     const BatchOptions &o,
                                     BatchRequest &request)
{
    if (!parser.isSet(o.temperature))
        return std::nullopt;
    const QString temperature = parser.value(o.temperature);
    const std::optional<double> kelvin = readDecimalNumber(utf8(temperature));
    const std::optional<EquilibriumModel> model = kelvin ? EquilibriumModel::hydrogenAt(*kelvin)
                                                         : std::nullopt;
    if (!model)
        return "--temperature must be a number of kelvin from 20 to 3000, not "
               + inQuotes(temperature);
    request.model = *model;
    return std::nullopt;
}

// The request the options make, or why they make none.
std::optional<std::string> readRequest(const QCommandLineParser &parser,
                                       const BatchOptions &o,
                                       BatchRequest &request)
{
    if (!parser.positionalArguments().isEmpty())
        return "unexpected argument " + inQuotes(parser.positionalArguments().first());
    if (!parser.isSet(o.batch))
        return std::string("--batch is needed to run without a window");
    for (const QCommandLineOption *option :
         {&o.molecules, &o.atoms, &o.collisions, &o.seed, &o.temperature, &o.output}) {
        if (parser.values(*option).size() > 1)
            return "--" + utf8(option->names().first()) + " is given more than once";
    }
    if (auto refused = readComposition(parser, o, request))
        return refused;
    if (auto refused = readNumbers(parser, o, request))
        return refused;
    if (auto refused = readModel(parser, o, request))
        return refused;
    // UTF-16 names any folder on Windows; elsewhere it becomes the file system's UTF-8.
    request.output = parser.isSet(o.output) ? fs::path(parser.value(o.output).toStdU16String())
                                            : fs::path(".");
    std::error_code ec;
    if (fs::exists(request.output, ec) && !fs::is_directory(request.output, ec))
        return "--output " + pathInQuotes(request.output) + " is not a directory";
    return std::nullopt;
}

// Reads the command line: a request to run, or the exit code of a command
// line that needs no run (help, version) or is refused.
std::variant<BatchRequest, int> readArguments(const QStringList &arguments,
                                              std::ostream &out,
                                              std::ostream &err)
{
    QCoreApplication::setApplicationName("kormix");
    QCoreApplication::setApplicationVersion(kVersion);
    QCommandLineParser parser;
    const BatchOptions o;
    describe(parser, o);
    if (!parser.parse(arguments))
        return refuse(err, parseError(parser));
    if (parser.isSet(o.help)) {
        out << utf8(parser.helpText()) << std::flush;
        return 0;
    }
    if (parser.isSet(o.version)) {
        out << "kormix " << kVersion << '\n' << std::flush;
        return 0;
    }
    BatchRequest request;
    if (const auto refused = readRequest(parser, o, request))
        return refuse(err, *refused);
    return request;
}

// The three files of a run, beside the earlier ones until they all take
// their places at the end.
struct OutputFiles
{
    explicit OutputFiles(const fs::path &dir)
        : files{WholeFile(dir / "distributions.xls"),
                WholeFile(dir / "series.tsv"),
                WholeFile(dir / "equilibrium.tsv")}
    {}
    std::array<WholeFile, 3> files;
};

// Makes the output folder and opens the three new files in it, so that a
// folder that cannot be made or written to is found before the first
// collision. Returns why not, naming the folder (or the file) and the cause.
std::optional<std::string> openOutput(const fs::path &dir, OutputFiles &output)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec)
        return "cannot make the output folder " + pathInQuotes(dir) + ": " + ec.message();
    for (WholeFile &file : output.files) {
        if (fs::is_directory(fs::symlink_status(file.target(), ec)))
            return "cannot write " + pathInQuotes(file.target()) + ": "
                   + std::make_error_code(std::errc::is_a_directory).message();
        const ExportResult opened = file.open();
        if (!opened.ok)
            return "cannot write in the output folder " + pathInQuotes(dir) + ": "
                   + opened.systemError;
    }
    return std::nullopt;
}

// Writes the run's three files and puts them in place together; returns
// why not, naming the file and the cause.
std::optional<std::string> writeOutput(const Simulation &sim,
                                       const ExactDistribution &exact,
                                       const StayShares &shares,
                                       OutputFiles &output)
{
    const Composition now{sim.nH2, sim.nHD, sim.nD2};
    // The distributions file keeps its format; the other two name the model.
    const std::string model = modelLine(sim.model());
    const std::string texts[] = {
            distributionsText(sim),
            model + seriesTable(sim.observed.series()),
            model + compositionsTable(exact, shares) + "\n"
                    + reactionsTable(sim.observed.reactions, sim.nCollisions, now, exact),
    };
    for (std::size_t i = 0; i < output.files.size(); ++i) {
        const ExportResult written = output.files[i].write(texts[i]);
        if (!written.ok)
            return "cannot write " + inQuotes(written.path) + ": " + written.systemError;
    }
    const ExportResult placed = replaceTogether(output.files);
    if (!placed.ok)
        return "cannot put " + inQuotes(placed.path) + " in place: " + placed.systemError;
    return std::nullopt;
}

void summarize(std::ostream &out,
               const Simulation &sim,
               std::optional<double> distance,
               double seconds)
{
    out << integerToText(sim.nCollisions) << " collisions, " << integerToText(sim.nDistFound)
        << " distributions found, distance from equilibrium "
        << (distance ? numberToText(*distance) : std::string("none")) << ", "
        << (seconds > 0 ? integerToText(std::llround(double(sim.nCollisions) / seconds))
                        : std::string("-"))
        << " collisions per second, seed " << std::to_string(sim.rng.currentSeed()) << ", "
        << describeModel(sim.model()) << '\n'
        << std::flush;
}

// Sets the system up, checks the output folder, runs and writes the files.
int runRequest(const BatchRequest &request, std::ostream &out, std::ostream &err)
{
    // The system, as the setup dialog's OK builds it.
    BatchHost host(request.fields, err);
    Simulation sim(&host);
    sim.bTurbo = true;
    if (request.seed)
        sim.rng.fixSeed(*request.seed);
    sim.setModel(request.model);
    sim.SetupSystem();
    if (sim.bNeedsSetup)
        return refuse(err,
                      request.composition
                              + " gives no usable system (it needs at least two "
                                "molecules)");
    OutputFiles output(request.output);
    if (const auto failed = openOutput(request.output, output))
        return fail(err, *failed);

    // The run, through the same engine as the windows.
    sim.BeginCollisions();
    host.begin(sim, request.collisions);
    const Clock::time_point started = Clock::now();
    sim.runCollisionsFor(request.collisions);
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    host.end();

    const ExactDistribution exact = exactDistribution(2 * std::int64_t(sim.nH2) + sim.nHD,
                                                      2 * std::int64_t(sim.nD2) + sim.nHD,
                                                      sim.model().K());
    const StayShares shares = sim.observed.sharesUpTo(sim.nHD, sim.nCollisions);
    if (const auto failed = writeOutput(sim, exact, shares, output))
        return fail(err, *failed);
    summarize(out, sim, totalVariation(shares, exact), seconds);
    return 0;
}

// Whether `argument` is --name or --name=value.
bool isLongOption(const char *argument, const char *name)
{
    const std::size_t n = std::strlen(name);
    return std::strncmp(argument, "--", 2) == 0 && std::strncmp(argument + 2, name, n) == 0
           && (argument[n + 2] == '\0' || argument[n + 2] == '=');
}

} // namespace

bool wantsBatch(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "-?", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
        for (const char *name : {"help", "version"}) {
            if (isLongOption(argv[i], name))
                return true;
        }
        for (const char *name : kBatchOptions) {
            if (isLongOption(argv[i], name))
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
    // Qt reads them as the system gave them: on Windows from the UTF-16 command
    // line, since argv holds the ANSI code page, which cannot name every folder.
    return runBatch(QCoreApplication::arguments(), std::cout, std::cerr);
}

int runBatch(const QStringList &arguments, std::ostream &out, std::ostream &err)
{
    const std::variant<BatchRequest, int> read = readArguments(arguments, out, err);
    if (const int *exitCode = std::get_if<int>(&read))
        return *exitCode;
    return runRequest(std::get<BatchRequest>(read), out, err);
}

} // namespace kormix
