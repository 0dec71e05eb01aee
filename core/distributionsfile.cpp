// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/distributionsfile.h"

#include "core/numberformat.h"
#include "core/simulation.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <optional>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#define KORMIX_PRIVATE_PLACE 1
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace kormix {

namespace {

std::string errorText(int error)
{
    return std::generic_category().message(error);
}

using Outcome = ExportResult::Outcome;

// A path as the messages write it: UTF-8 on every system. (On Windows a path's
// narrow form is in the ANSI code page, which cannot name every user's folder.)
std::string pathText(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Creates the file at `path` for writing, failing when anything is there
// already: nothing planted at the name is opened or followed. Windows is
// given the name in UTF-16, so that any user's folder can be written in.
std::FILE *createNewFile(const std::filesystem::path &path)
{
#ifdef _WIN32
    const int fd = ::_wopen(path.c_str(),
                            _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : ::_fdopen(fd, "wb");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

// Puts what was written to `file` on the disk before the file takes the old
// one's place. Returns the error, or 0.
int flushToDisk(std::FILE *file)
{
#ifdef _WIN32
    return ::_commit(::_fileno(file)) == 0 ? 0 : errno;
#else
    return ::fsync(fileno(file)) == 0 || errno == EINVAL ? 0 : errno;
#endif
}

// A failure of the system's: its description of the error, what was being
// done and the path.
ExportResult failure(Outcome outcome, std::string error, const std::filesystem::path &path)
{
    const char *doing = outcome == Outcome::FailedWriting     ? " writing "
                        : outcome == Outcome::FailedReplacing ? " replacing "
                                                              : " opening ";
    ExportResult result;
    result.outcome = outcome;
    result.path = pathText(path);
    result.systemError = std::move(error);
    result.message = result.systemError + doing + result.path;
    return result;
}

ExportResult failure(Outcome outcome, int error, const std::filesystem::path &path)
{
    return failure(outcome, errorText(error), path);
}

// The new file written beside `path` before it takes the old one's place: the
// file's name, a dot, 16 hexadecimal digits and ".tmp".
std::filesystem::path temporaryName(const std::filesystem::path &path, std::uint64_t number)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", (unsigned long long) number);
    std::filesystem::path temp = path;
    temp += suffix;
    return temp;
}

#ifdef KORMIX_PRIVATE_PLACE

// Whether `name` is one temporaryName gives to a new file for `target`.
bool isTemporaryName(const std::string &name, const std::string &target)
{
    const std::size_t n = target.size();
    if (name.size() != n + 21 || name.compare(0, n, target) != 0 || name[n] != '.')
        return false;
    for (std::size_t i = n + 1; i < n + 17; ++i) {
        if (!std::isdigit((unsigned char) name[i]) && (name[i] < 'a' || name[i] > 'f'))
            return false;
    }
    return name.compare(n + 17, 4, ".tmp") == 0;
}

// The directory of `file` is made for the user alone when it does not exist.
// One that exists is used only when it is a directory itself (not a link to
// one), the user's own and closed to everybody else: anyone else who could
// write in it, or who made it, could replace or block the file. Returns the
// failure when the directory cannot be used, else nothing.
std::optional<ExportResult> preparePrivateDirectory(const std::filesystem::path &file)
{
    const std::filesystem::path dir = file.parent_path();
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
        const int error = errno;
        return failure(Outcome::FailedOpening, error, file);
    }
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0) {
        const int error = errno;
        return failure(Outcome::FailedOpening, error, file);
    }
    const auto refused = [&](Outcome outcome, const char *reason) {
        ExportResult result;
        result.outcome = outcome;
        result.path = file.string();
        result.directory = dir.string();
        result.message = "Can't write " + result.path + ": " + result.directory + reason;
        return result;
    };
    if (S_ISLNK(st.st_mode))
        return refused(Outcome::DirectoryIsLink, " is a link, not a directory");
    if (!S_ISDIR(st.st_mode))
        return refused(Outcome::NotADirectory, " is not a directory");
    if (st.st_uid != ::geteuid())
        return refused(Outcome::DirectoryOfOtherUser, " belongs to another user");
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        return refused(Outcome::DirectoryOpenToOthers, " is open to other users");
    return std::nullopt;
}

// Removes the new files that exports killed halfway left beside `file`. An
// export holds its new file locked while it writes, and the lock ends with
// the process, so only files nobody holds are removed; other names, links
// and directories are left alone.
void sweepLeftovers(const std::filesystem::path &file)
{
    const std::string target = file.filename().string();
    std::error_code ec;
    for (std::filesystem::directory_iterator it(file.parent_path(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path candidate = it->path();
        if (!isTemporaryName(candidate.filename().string(), target))
            continue;
        const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(candidate.c_str());
        ::close(fd);
    }
}

#endif

} // namespace

std::filesystem::path distributionsFilePath()
{
#ifdef _WIN32
    return std::filesystem::path("C:\\temp\\distributions.xls");
#else
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    if (ec || dir.empty())
        dir = "/tmp";
    if (std::filesystem::path full = std::filesystem::absolute(dir, ec); !ec)
        dir = full; // the messages name the full path
    return dir / ("kormix-" + std::to_string(::geteuid())) / "distributions.xls";
#endif
}

std::string distributionsText(const Simulation &sim)
{
    const DistributionRegister &reg = sim.reg;
    const int n = std::clamp(sim.nStored, 0, DistributionRegister::kCapacity);
    const char dp = sim.decimalPoint;

    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return reg.regFracHD[a] < reg.regFracHD[b];
    });

    double s = 0; // sum of W / Wmax over the stored distributions
    double f = 0; // sum of the occurrence counts
    for (int i = 1; i <= n; ++i) {
        s = s + std::exp(reg.regLnW[i] - sim.lnWBest);
        f = f + double(reg.regFreq[i]);
    }

    std::string text = "#\tNH2\tND2\tNHD\t%HD\tlnW\tW\tP\tP_rel\tfreq\tP_from_freq\r\n";
    text.reserve(text.size() + std::size_t(n) * 128);
    for (int k = 1; k <= n; ++k) {
        const int e = order[std::size_t(k - 1)];
        const auto &counts = reg.regCounts[e];
        const double rel = std::exp(reg.regLnW[e] - sim.lnWBest);
        text += ' ';
        text += integerToText(k);
        text += " \t";
        text += integerToText(std::int64_t(sim.nMolecules) - counts[1] - counts[2]);
        text += '\t';
        text += integerToText(counts[2]);
        text += '\t';
        text += integerToText(counts[1]);
        text += '\t';
        text += numberToText(100 * reg.regFracHD[e], dp);
        text += '\t';
        text += numberToText(reg.regLnW[e], dp);
        text += '\t';
        text += FormatW(reg.regLnW[e], dp);
        text += '\t';
        text += numberToText(rel / s, dp);
        text += '\t';
        text += numberToText(rel, dp);
        text += '\t';
        text += integerToText(reg.regFreq[e]);
        text += '\t';
        text += numberToText(double(reg.regFreq[e]) / f, dp);
        text += "\r\n";
    }
    return text;
}

std::filesystem::path fallbackDistributionsFilePath()
{
#ifdef _WIN32
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path() : dir / "kormix" / "distributions.xls";
#else
    return {};
#endif
}

ExportResult ExportDistributions(const Simulation &sim)
{
    const std::filesystem::path path = distributionsFilePath();
#ifdef KORMIX_PRIVATE_PLACE
    if (std::optional<ExportResult> refused = preparePrivateDirectory(path))
        return *refused;
    sweepLeftovers(path);
#endif
    return exportWithFallback(sim, path, fallbackDistributionsFilePath());
}

ExportResult exportWithFallback(const Simulation &sim,
                                const std::filesystem::path &path,
                                const std::filesystem::path &fallback)
{
    ExportResult result = ExportDistributions(sim, path);
    if (!result.ok && result.outcome == Outcome::FailedOpening && !fallback.empty())
        result = ExportDistributions(sim, fallback);
    return result;
}

ExportResult ExportDistributions(const Simulation &sim, const std::filesystem::path &path)
{
    ExportResult result = writeWholeFile(path, distributionsText(sim));
    if (result.ok)
        result.message = "File " + result.path + " was created";
    return result;
}

ExportResult writeWholeFile(const std::filesystem::path &path, const std::string &text)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path dir = path.parent_path();
    if (!dir.empty())
        fs::create_directories(dir, ec); // an existing directory is fine

    // A new file beside the old one, created exclusively: nothing planted at
    // its name is opened or followed.
    std::random_device device;
    std::mt19937_64 names(device());
    fs::path temp;
    std::FILE *file = nullptr;
    int error = 0;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temp = temporaryName(path, names());
        errno = 0;
        file = createNewFile(temp);
        error = errno;
        if (!file && error != EEXIST)
            break;
    }
    if (!file)
        return failure(Outcome::FailedOpening, error ? error : EIO, path);
#ifdef KORMIX_PRIVATE_PLACE
    // Held until the new file has taken its place: it tells another export's
    // sweep that this file is no leftover. A kill ends it with the process.
    const int lock = ::dup(fileno(file));
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    struct Unlock
    {
        int fd;
        ~Unlock()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } unlock{lock};
#endif

    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    error = written ? 0 : errno;
    if (written && std::fflush(file) != 0) {
        written = false;
        error = errno;
    }
    if (written && (error = flushToDisk(file)) != 0)
        written = false;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        fs::remove(temp, ec);
        return failure(Outcome::FailedWriting, error ? error : EIO, path);
    }

    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return failure(Outcome::FailedReplacing, ec.message(), path);
    }
    ExportResult result;
    result.ok = true;
    result.path = pathText(path);
    return result;
}

} // namespace kormix
