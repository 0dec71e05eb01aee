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
#include <cstring>
#include <cwctype>
#include <fcntl.h>
#include <io.h>
#include <vector>
#include <windows.h>
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
    const char *doing = outcome == Outcome::FailedWriting ? " writing "
                        : outcome == Outcome::FailedReplacing || outcome == Outcome::ReplaceRefused
                                ? " replacing "
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
// nothing planted at the name is opened or followed. `hold` is a second
// descriptor on it, locked while the file is written and until it has taken
// its place: the lock tells another writer's sweep that this file is no
// leftover. It outlasts the file's closing, and a kill ends it with the
// process.
std::FILE *createNewFile(const fs::path &path, std::intptr_t &hold, std::error_code &error)
{
    errno = 0;
    std::FILE *file = std::fopen(path.c_str(), "wbx");
    if (!file) {
        error = std::error_code(errno ? errno : EIO, std::generic_category());
        return nullptr;
    }
    const int lock = ::dup(fileno(file));
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    hold = lock;
    return file;
}

// Puts the written new file in the target's place.
std::error_code putInPlace(const fs::path &temp, const fs::path &target, std::intptr_t)
{
    std::error_code ec;
    fs::rename(temp, target, ec);
    return ec;
}

void releaseNewFile(std::intptr_t hold)
{
    if (hold >= 0)
        ::close(int(hold));
}

// Removes the new file that did not take its place, and lets it go.
void removeNewFile(const fs::path &temp, std::intptr_t hold)
{
    std::error_code ec;
    fs::remove(temp, ec);
    releaseNewFile(hold);
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

// Neither an open file nor a read-only one stops a rename over it here.
bool isRefusedAsInUse(const std::error_code &, const fs::path &)
{
    return false;
}

#else

std::error_code lastWindowsError()
{
    return std::error_code(int(::GetLastError()), std::system_category());
}

void releaseNewFile(std::intptr_t hold)
{
    if (hold != -1)
        ::CloseHandle(HANDLE(hold));
}

// The hold is let go first: it keeps everybody, this process too, from
// removing the file.
void removeNewFile(const fs::path &temp, std::intptr_t hold)
{
    releaseNewFile(hold);
    std::error_code ec;
    fs::remove(temp, ec);
}

// The same on Windows, which is given the name in UTF-16, so that any user's
// folder can be written in. Windows keeps a file from being removed or
// renamed by others while a handle that does not share deletion is open on
// it: `hold` is such a second handle, kept until the file has taken its
// place, through which it takes that place (a kill closes it).
std::FILE *createNewFile(const fs::path &path, std::intptr_t &hold, std::error_code &error)
{
    const HANDLE created = ::CreateFileW(path.c_str(),
                                         GENERIC_WRITE | DELETE,
                                         FILE_SHARE_READ,
                                         nullptr,
                                         CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL,
                                         nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        error = lastWindowsError();
        return nullptr;
    }
    HANDLE second = nullptr;
    const HANDLE self = ::GetCurrentProcess();
    if (!::DuplicateHandle(self, created, self, &second, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        error = lastWindowsError();
        ::CloseHandle(created);
        ::DeleteFileW(path.c_str());
        return nullptr;
    }
    const int fd = ::_open_osfhandle(std::intptr_t(created), _O_WRONLY | _O_BINARY);
    std::FILE *file = fd >= 0 ? ::_fdopen(fd, "wb") : nullptr;
    if (!file) {
        error = std::make_error_code(std::errc::too_many_files_open);
        if (fd >= 0)
            ::_close(fd);
        else
            ::CloseHandle(created);
        removeNewFile(path, std::intptr_t(second));
        return nullptr;
    }
    hold = std::intptr_t(second);
    return file;
}

// Renames the new file through its hold over the target. The name is a full
// path: Windows reads any other as relative to the current folder.
std::error_code putInPlace(const fs::path &, const fs::path &target, std::intptr_t hold)
{
    std::error_code ec;
    const std::wstring name = fs::absolute(target, ec).native();
    if (ec)
        return ec;
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto *info = reinterpret_cast<FILE_RENAME_INFO *>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = DWORD(name.size() * sizeof(wchar_t));
    std::memcpy(info->FileName, name.data(), info->FileNameLength);
    if (!::SetFileInformationByHandle(HANDLE(hold), FileRenameInfo, info, DWORD(buffer.size())))
        return lastWindowsError();
    return {};
}

// A file a living writer holds cannot be removed, so the attempt is the test.
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

// Windows refuses to replace a file that another program holds open (Excel
// holds the workbooks it shows) or that is read-only.
bool isRefusedAsInUse(const std::error_code &error, const fs::path &target)
{
    if (error.category() != std::system_category())
        return false;
    const int code = error.value();
    std::error_code ec;
    return (code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION
            || code == ERROR_LOCK_VIOLATION)
           && fs::is_regular_file(fs::symlink_status(target, ec));
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

// Whether creating a new file failed only because its name is taken.
bool nameTaken(const std::error_code &error)
{
#ifdef _WIN32
    if (error.category() == std::system_category())
        return error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS;
#endif
    return error == std::errc::file_exists;
}

} // namespace

std::string systemErrorText(const std::error_code &error)
{
#ifdef _WIN32
    // Windows' own description in the user's language, as UTF-8: the C++
    // library gives it in the ANSI code page, which cannot write every
    // language's letters. The closing full stop and line end go.
    if (error.category() == std::system_category()) {
        wchar_t *text = nullptr;
        const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                                 | FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr,
                                         DWORD(error.value()),
                                         0,
                                         reinterpret_cast<wchar_t *>(&text),
                                         0,
                                         nullptr);
        std::wstring wide(text ? text : L"", n);
        ::LocalFree(text);
        while (!wide.empty() && (std::iswspace(wide.back()) || wide.back() == L'.'))
            wide.pop_back();
        if (!wide.empty())
            return pathText(fs::path(wide));
    }
#endif
    return error.message();
}

ExportResult writeFailure(Outcome outcome, const std::error_code &error, const fs::path &path)
{
    return failure(outcome, systemErrorText(error), path);
}

ExportResult writeFailure(Outcome outcome, const std::string &error, const fs::path &path)
{
    return failure(outcome, error, path);
}

ExportResult writeFailure(Outcome outcome, int error, const fs::path &path)
{
    return writeFailure(outcome,
                        std::error_code(error ? error : EIO, std::generic_category()),
                        path);
}

ExportResult replaceFailure(const std::error_code &error, const fs::path &target)
{
    ExportResult result = writeFailure(Outcome::FailedReplacing, error, target);
    if (isRefusedAsInUse(error, target)) {
        result.outcome = Outcome::ReplaceRefused;
        result.message += ": the file is open in another program (Excel, for example) or "
                          "read-only, and stays as it was";
    }
    return result;
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
    std::error_code error;
    for (int attempt = 0; attempt < 100 && !file_; ++attempt) {
        temp_ = temporaryName(target_, names());
        error.clear();
        file_ = createNewFile(temp_, hold_, error);
        if (!file_ && !nameTaken(error))
            break;
    }
    if (!file_) {
        temp_.clear();
        return writeFailure(Outcome::FailedOpening, error, target_);
    }
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
        ec = putInPlace(temp_, target_, hold_);
    if (ec) {
        discard();
        return replaceFailure(ec, target_);
    }
    temp_.clear();
    releaseNewFile(std::exchange(hold_, -1));
    return written(target_);
}

void WholeFile::discard()
{
    if (file_)
        std::fclose(std::exchange(file_, nullptr));
    if (!temp_.empty())
        removeNewFile(std::exchange(temp_, {}), std::exchange(hold_, -1));
    releaseNewFile(std::exchange(hold_, -1));
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
