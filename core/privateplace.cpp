// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/privateplace.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kormix {

namespace fs = std::filesystem;
using Outcome = ExportResult::Outcome;

namespace {

ExportResult placeFor(const fs::path &file)
{
    ExportResult result;
    result.ok = true;
    result.path = pathText(file);
    return result;
}

#ifndef _WIN32

struct Folder
{
    fs::path path;
    bool makeParent = false; // the cache folder itself may be missing too
};

// A folder named by an environment variable, when it is set to a full path.
std::optional<fs::path> folderFromEnvironment(const char *name)
{
    const char *value = std::getenv(name);
    if (!value || value[0] != '/')
        return std::nullopt;
    return fs::path(value);
}

fs::path temporaryDirectory()
{
    std::error_code ec;
    fs::path dir = fs::temp_directory_path(ec);
    if (ec || dir.empty())
        dir = "/tmp";
    if (fs::path full = fs::absolute(dir, ec); !ec)
        dir = full; // the messages name the full path
    return dir;
}

// The folders tried in turn, the usual one first.
std::vector<Folder> privateFolders()
{
    std::vector<Folder> folders{{temporaryDirectory() / ("kormix-" + std::to_string(::geteuid()))}};
    if (const auto runtime = folderFromEnvironment("XDG_RUNTIME_DIR"))
        folders.push_back({*runtime / "kormix"});
    if (const auto home = folderFromEnvironment("HOME"))
        folders.push_back({*home / ".cache" / "kormix", true});
    return folders;
}

ExportResult refused(Outcome outcome, const fs::path &file, const char *reason)
{
    ExportResult result;
    result.outcome = outcome;
    result.path = pathText(file);
    result.directory = pathText(file.parent_path());
    result.message = "Can't write " + result.path + ": " + result.directory + reason;
    return result;
}

// Why the folder cannot hold `file`, or nothing when it can. With `make` a
// missing folder is made for the user alone first; without, a missing
// folder counts as usable, since it will be made so.
std::optional<ExportResult> refusalOf(const Folder &folder, const fs::path &file, bool make)
{
    const fs::path &dir = folder.path;
    if (make && folder.makeParent)
        ::mkdir(dir.parent_path().c_str(), 0700); // a failure shows in the next step
    if (make && ::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return writeFailure(Outcome::FailedOpening, errno, file);
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0) {
        if (!make && errno == ENOENT)
            return std::nullopt;
        return writeFailure(Outcome::FailedOpening, errno, file);
    }
    if (S_ISLNK(st.st_mode))
        return refused(Outcome::DirectoryIsLink, file, " is a link, not a directory");
    if (!S_ISDIR(st.st_mode))
        return refused(Outcome::NotADirectory, file, " is not a directory");
    if (st.st_uid != ::geteuid())
        return refused(Outcome::DirectoryOfOtherUser, file, " belongs to another user");
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return refused(Outcome::DirectoryOpenToOthers, file, " is open to other users");
    return std::nullopt;
}

// The file in the first folder that can hold it, or why the usual one cannot.
ExportResult choosePlace(const std::string &fileName, bool make)
{
    std::optional<ExportResult> first;
    for (const Folder &folder : privateFolders()) {
        const fs::path file = folder.path / fileName;
        std::optional<ExportResult> refusal = refusalOf(folder, file, make);
        if (!refusal)
            return placeFor(file);
        if (!first)
            first = std::move(refusal);
    }
    return *first;
}

#endif

} // namespace

fs::path privatePlace(const std::string &fileName)
{
#ifdef _WIN32
    return fs::path("C:\\temp") / fileName;
#else
    return fs::path(choosePlace(fileName, false).path);
#endif
}

ExportResult preparePrivatePlace(const std::string &fileName)
{
#ifdef _WIN32
    std::error_code ec;
    fs::create_directories(privatePlace(fileName).parent_path(), ec); // one that exists is fine
    return placeFor(privatePlace(fileName));
#else
    return choosePlace(fileName, true);
#endif
}

} // namespace kormix
