// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers

// The documents name what exists. Every text in backticks in README.md and
// docs/*.md (outside fenced code blocks, which hold commands and what they
// print) is read as one of these:
//
// - a path in the tree: it contains a slash, or it is the bare name of a
//   source or build file (.h, .cpp, .md, .txt, .json, .sh, .ts, .qrc, .py,
//   .xml, .svg, .desktop) or begins with a dot (".clang-format"). It must
//   exist, as a file or a folder, from the project's root; a bare name
//   anywhere in the tree; a "*" in the last part stands for any ending.
// - a code name: a name as C++ spells it (letters, digits, underscores),
//   possibly qualified with "::", reached with "." from a variable
//   ("sim.nKind", whose last part is checked), or called with "()". It must
//   occur in the sources (core/, ui/, app/, tests/, bench/, packaging/,
//   scripts/ and the build files; the documents and the translations do not
//   count). A qualified name A::B must occur as written, or B in a file that
//   declares A as a class, struct or namespace.
// - anything else is literal text and is not checked: commands and options
//   (with a blank, or beginning with "-"), places on the user's machine
//   (beginning with "/", "~" or "$", or holding "\", "<" or "="), texts in
//   quotes, numbers, format patterns, and the names of files the program
//   or the packaging writes (.xls, .tsv, .png, .deb).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = KORMIX_SOURCE_DIR;

std::string readAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool isNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether `name` occurs in `text` as a whole name: not as part of a longer
// one. An escape such as "\t" before it ("#\tNH2") counts as a boundary.
bool containsName(const std::string &text, const std::string &name)
{
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        const bool startsName = at == 0 || !isNameCharacter(text[at - 1])
                                || (at >= 2 && text[at - 2] == '\\');
        if (startsName && (end == text.size() || !isNameCharacter(text[end])))
            return true;
    }
    return false;
}

// The texts of the sources the code names are looked up in, and the names of
// every file in the tree.
struct Sources
{
    std::vector<std::pair<fs::path, std::string>> files;
    std::set<std::string> fileNames;

    Sources()
    {
        for (const char *dir : {"core", "ui", "app", "tests", "bench", "packaging", "scripts"}) {
            for (const auto &entry : fs::recursive_directory_iterator(kRoot / dir)) {
                const fs::path relative = fs::relative(entry.path(), kRoot);
                // This check's own examples of names that do not exist stay out.
                if (entry.is_regular_file() && relative.parent_path() != "tests/docs")
                    files.emplace_back(relative, readAll(entry.path()));
            }
        }
        for (const char *file : {"CMakeLists.txt", "CMakePresets.json", "run.sh", "test.sh"})
            files.emplace_back(file, readAll(kRoot / file));
        auto it = fs::recursive_directory_iterator(kRoot);
        for (auto end = fs::recursive_directory_iterator(); it != end; ++it) {
            const std::string name = it->path().filename().string();
            if (it->is_directory() && (name == ".git" || name.rfind("build", 0) == 0))
                it.disable_recursion_pending();
            else if (it->is_regular_file())
                fileNames.insert(name);
        }
    }

    bool contains(const std::string &name) const
    {
        return std::any_of(files.begin(), files.end(), [&](const auto &f) {
            return containsName(f.second, name);
        });
    }

    // Whether `member` occurs in a file that declares `scope`.
    bool containsIn(const std::string &scope, const std::string &member) const
    {
        return std::any_of(files.begin(), files.end(), [&](const auto &f) {
            return containsName(f.second, member)
                   && (containsName(f.second, "class " + scope)
                       || containsName(f.second, "struct " + scope)
                       || containsName(f.second, "namespace " + scope));
        });
    }
};

const Sources &sources()
{
    static const Sources s;
    return s;
}

// Bare names of files of the tree, and names of files the program or the
// packaging writes (which are literal).
constexpr const char *kTreeFiles[] = {".h",
                                      ".cpp",
                                      ".md",
                                      ".txt",
                                      ".json",
                                      ".sh",
                                      ".ts",
                                      ".qrc",
                                      ".py",
                                      ".xml",
                                      ".svg",
                                      ".desktop"};
constexpr const char *kWrittenFiles[] = {".xls", ".tsv", ".png", ".deb"};
constexpr const char *kCalled[] = {"()"};

bool endsWithAny(const std::string &text, std::span<const char *const> endings)
{
    return std::any_of(endings.begin(), endings.end(), [&](const char *e) {
        const std::string ending(e);
        return text.size() > ending.size()
               && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
    });
}

// The name a span gives: without "()" after it and the variable before a ".".
std::string nameIn(std::string span)
{
    if (endsWithAny(span, kCalled))
        span.resize(span.size() - 2);
    if (const std::size_t dot = span.find('.'); dot != std::string::npos)
        span.erase(0, dot + 1);
    return span;
}

enum class Kind { Path, CodeName, Literal };

bool isIdentifier(const std::string &text)
{
    return !text.empty() && !std::isdigit(static_cast<unsigned char>(text[0]))
           && std::all_of(text.begin(), text.end(), isNameCharacter);
}

// A name as C++ spells it, possibly qualified with "::", reached with "."
// from a variable, or called with "()".
bool isCodeName(const std::string &span)
{
    if (const std::size_t dot = span.find('.');
        dot != std::string::npos && !isIdentifier(span.substr(0, dot)))
        return false;
    const std::string name = nameIn(span);
    for (std::size_t start = 0;;) {
        const std::size_t colons = name.find("::", start);
        if (!isIdentifier(name.substr(start, colons - start)))
            return false;
        if (colons == std::string::npos)
            return true;
        start = colons + 2;
    }
}

Kind kindOf(const std::string &span)
{
    if (std::none_of(span.begin(), span.end(), isNameCharacter)
        || span.find_first_of(" \t\"'\\<>=$~,%&#") != std::string::npos || span[0] == '-'
        || span[0] == '/')
        return Kind::Literal;
    if (endsWithAny(span, kWrittenFiles))
        return Kind::Literal;
    if (span.find('/') != std::string::npos || span[0] == '.' || endsWithAny(span, kTreeFiles))
        return Kind::Path;
    return isCodeName(span) ? Kind::CodeName : Kind::Literal;
}

bool pathExists(std::string path)
{
    if (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    if (path.find('/') == std::string::npos) // a bare name, anywhere in the tree
        return sources().fileNames.count(path) > 0;
    const std::size_t star = path.find('*');
    if (star == std::string::npos)
        return fs::exists(kRoot / path);
    const fs::path pattern = kRoot / path.substr(0, star);
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(pattern.parent_path(), ec)) {
        if (entry.path().filename().string().rfind(pattern.filename().string(), 0) == 0)
            return true;
    }
    return false;
}

bool codeNameExists(const std::string &span)
{
    const std::string name = nameIn(span);
    const std::size_t colons = name.rfind("::");
    if (colons == std::string::npos || sources().contains(name))
        return sources().contains(name);
    return sources().containsIn(name.substr(0, colons), name.substr(colons + 2));
}

bool exists(const std::string &span)
{
    switch (kindOf(span)) {
    case Kind::Path:
        return pathExists(span);
    case Kind::CodeName:
        return codeNameExists(span);
    case Kind::Literal:
        return true;
    }
    return true;
}

// The texts in backticks of a Markdown document, outside fenced code blocks.
std::vector<std::string> spansOf(const std::string &markdown)
{
    std::vector<std::string> spans;
    std::istringstream lines(markdown);
    bool inCode = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(' ') != std::string::npos
            && line.compare(line.find_first_not_of(' '), 3, "```") == 0) {
            inCode = !inCode;
            continue;
        }
        for (std::size_t open = line.find('`'); !inCode && open != std::string::npos;) {
            const std::size_t close = line.find('`', open + 1);
            if (close == std::string::npos)
                break;
            spans.push_back(line.substr(open + 1, close - open - 1));
            open = line.find('`', close + 1);
        }
    }
    return spans;
}

std::vector<fs::path> documents()
{
    std::vector<fs::path> docs{kRoot / "README.md"};
    for (const auto &entry : fs::directory_iterator(kRoot / "docs")) {
        if (entry.path().extension() == ".md")
            docs.push_back(entry.path());
    }
    std::sort(docs.begin(), docs.end());
    return docs;
}

TEST(Documents, NameOnlyPathsAndCodeThatExist)
{
    const std::vector<fs::path> docs = documents();
    ASSERT_GE(docs.size(), 3u); // the README, the guide and the maintainers' page
    for (const fs::path &doc : docs) {
        SCOPED_TRACE(doc.filename().string());
        std::set<std::string> missing;
        int checked = 0;
        for (const std::string &span : spansOf(readAll(doc))) {
            checked += kindOf(span) != Kind::Literal;
            if (!exists(span))
                missing.insert(span);
        }
        EXPECT_GT(checked, 0);
        for (const std::string &name : missing)
            ADD_FAILURE() << "`" << name << "` names nothing in the tree";
    }
}

// The check tells what exists from what does not, and what it checks at all.
TEST(Documents, TheCheckTellsWhatExists)
{
    const struct
    {
        const char *span;
        Kind kind;
        bool exists;
    } cases[] = {
            {"core/host.h", Kind::Path, true},
            {"core/", Kind::Path, true},
            {"./test.sh", Kind::Path, true},
            {".ci/run", Kind::Path, true},
            {"ui/common/levelpanel.*", Kind::Path, true},
            {"batch.cpp", Kind::Path, true},
            {"core/gone.h", Kind::Path, false},
            {"tests/ui/nowhere/", Kind::Path, false},
            {"gone.cpp", Kind::Path, false},
            {"Simulation", Kind::CodeName, true},
            {"Simulation::RunCollisions", Kind::CodeName, true},
            {"SimulationHost::serveEvents", Kind::CodeName, true},
            {"sim.nKind", Kind::CodeName, true},
            {"tr()", Kind::CodeName, true},
            {"Simulation::NoSuchProcedure", Kind::CodeName, false},
            {"NoSuchClass::setHost", Kind::CodeName, false},
            {"sim.bNoSuchFlag", Kind::CodeName, false},
            {"NoSuchName", Kind::CodeName, false},
            {"NH2", Kind::CodeName, true},           // a column of the distributions file
            {"ollisionLoop", Kind::CodeName, false}, // only a part of a name
            {"clang-format -i", Kind::Literal, true},
            {"--output", Kind::Literal, true},
            {"/tmp/kormix-1000/distributions.xls", Kind::Literal, true},
            {"distributions.xls", Kind::Literal, true},
            {"kormix-<your user id>", Kind::Literal, true},
            {"%HD", Kind::Literal, true},
            {".", Kind::Literal, true},
            {"LANG=de_DE.UTF-8", Kind::Literal, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.span);
        EXPECT_EQ(kindOf(c.span), c.kind);
        EXPECT_EQ(exists(c.span), c.exists);
    }
}

} // namespace
