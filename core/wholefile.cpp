// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/wholefile.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>
#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#endif

namespace kormix {

namespace fs = std::filesystem;
using Outcome = ExportResult::Outcome;

std::string pathText(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace {

ExportResult failure(Outcome outcome, std::string error, const fs::path &path)
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

ExportResult written(const fs::path &path)
{
    ExportResult result;
    result.ok = true;
    result.path = pathText(path);
    return result;
}

// The new file written beside `target`: its name, a dot, 16 hexadecimal
// digits and ".tmp".
fs::path temporaryName(const fs::path &target, std::uint64_t number)
{
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", (unsigned long long) number);
    fs::path temp = target;
    temp += suffix;
    return temp;
}

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

#ifndef _WIN32

// Creates the new file for writing, failing when anything is there already:
// nothing planted at the name is opened or followed.
std::FILE *createNewFile(const fs::path &path)
{
    return std::fopen(path.c_str(), "wbx");
}

// Locks the new file while it is written and until it has taken its place:
// the lock tells another writer's sweep that this file is no leftover. It is
// taken on a descriptor of its own, so that it outlasts the file's closing,
// and a kill ends it with the process.
int holdNewFile(std::FILE *file)
{
    const int lock = ::dup(fileno(file));
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    return lock;
}

void releaseNewFile(int lock)
{
    if (lock >= 0)
        ::close(lock);
}

// Removes a leftover unless a living writer holds it; links, folders and
// anything else that is not a plain file stay.
void removeIfUnheld(const fs::path &candidate)
{
    const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(candidate.c_str());
    ::close(fd);
}

bool flushToDisk(std::FILE *file)
{
    return ::fsync(fileno(file)) == 0 || errno == EINVAL;
}

#else

// The same on Windows, which is given the name in UTF-16, so that any user's
// folder can be written in.
std::FILE *createNewFile(const fs::path &path)
{
    const int fd = ::_wopen(path.c_str(),
                            _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                            _S_IREAD | _S_IWRITE);
    return fd < 0 ? nullptr : ::_fdopen(fd, "wb");
}

// Windows does not remove a file that a process holds open, so an open new
// file needs no lock of its own.
int holdNewFile(std::FILE *)
{
    return -1;
}

void releaseNewFile(int) {}

void removeIfUnheld(const fs::path &candidate)
{
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(candidate, ec)))
        fs::remove(candidate, ec);
}

bool flushToDisk(std::FILE *file)
{
    return ::_commit(::_fileno(file)) == 0;
}

#endif

// Removes the new files that killed writers of `target` left beside it.
void sweepLeftovers(const fs::path &target)
{
    const std::string name = pathText(target.filename());
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (isTemporaryName(pathText(it->path().filename()), name))
            removeIfUnheld(it->path());
    }
}

} // namespace

ExportResult writeFailure(Outcome outcome, int error, const fs::path &path)
{
    return failure(outcome, std::generic_category().message(error ? error : EIO), path);
}

WholeFile::WholeFile(fs::path target)
    : target_(std::move(target))
{}

WholeFile::~WholeFile()
{
    discard();
}

ExportResult WholeFile::open()
{
    discard();
    std::error_code ec;
    if (const fs::path folder = target_.parent_path(); !folder.empty())
        fs::create_directories(folder, ec); // a folder that exists is fine
    sweepLeftovers(target_);

    std::random_device device;
    std::mt19937_64 names(device());
    int error = 0;
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temp_ = temporaryName(target_, names());
        errno = 0;
        file_ = createNewFile(temp_);
        error = errno;
        if (!file_ && error != EEXIST)
            break;
    }
    if (!file_) {
        temp_.clear();
        return writeFailure(Outcome::FailedOpening, error, target_);
    }
    lock_ = holdNewFile(file_);
    return written(target_);
}

ExportResult WholeFile::write(const std::string &text)
{
    if (!file_)
        return writeFailure(Outcome::FailedWriting, EBADF, target_);
    bool ok = std::fwrite(text.data(), 1, text.size(), file_) == text.size();
    int error = ok ? 0 : errno;
    if (ok && (std::fflush(file_) != 0 || !flushToDisk(file_))) {
        ok = false;
        error = errno;
    }
    if (std::fclose(std::exchange(file_, nullptr)) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        discard();
        return writeFailure(Outcome::FailedWriting, error, target_);
    }
    return written(target_);
}

ExportResult WholeFile::replace()
{
    std::error_code ec;
    if (file_ || temp_.empty())
        ec = std::make_error_code(std::errc::bad_file_descriptor);
    else
        fs::rename(temp_, target_, ec);
    if (ec) {
        discard();
        return failure(Outcome::FailedReplacing, ec.message(), target_);
    }
    temp_.clear();
    releaseNewFile(std::exchange(lock_, -1));
    return written(target_);
}

void WholeFile::discard()
{
    if (file_)
        std::fclose(std::exchange(file_, nullptr));
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
    releaseNewFile(std::exchange(lock_, -1));
}

ExportResult writeWholeFile(const fs::path &path, const std::string &text)
{
    WholeFile file(path);
    ExportResult result = file.open();
    if (result.ok)
        result = file.write(text);
    if (result.ok)
        result = file.replace();
    return result;
}

ExportResult replaceTogether(std::span<WholeFile> files)
{
    ExportResult result = written({});
    for (std::size_t i = 0; i < files.size() && result.ok; ++i) {
        result = files[i].replace();
        if (result.ok)
            continue;
        // What an earlier write left at this target and the ones still to
        // come would now stand beside this write's files: it goes too.
        for (std::size_t j = i; j < files.size(); ++j) {
            files[j].discard();
            std::error_code ec;
            if (fs::is_regular_file(fs::symlink_status(files[j].target(), ec)))
                fs::remove(files[j].target(), ec);
        }
    }
    return result;
}

} // namespace kormix
