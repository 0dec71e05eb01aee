// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Files written whole. Every file the program writes (the distributions file,
// the equilibrium window's data and picture, the batch mode's three files) is
// written to a new file beside its target, flushed to the disk and only then
// put in the target's place: a reader never meets half a file, a failure at
// any step leaves the old file exactly as it was, and a link planted at the
// target is replaced, not followed.
//
// The new file is named after its target: the target's name, a dot, 16
// hexadecimal digits and ".tmp". A writer holds its new file locked until the
// file has taken its place; a writer that is killed loses the lock with its
// process, and the next write to the same target removes what it left, so a
// folder keeps no leftovers once it has been written to again.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

namespace kormix {

// A path as messages write it: UTF-8 on every system. (On Windows a path's
// narrow form is in the ANSI code page, which cannot name every user's folder.)
std::string pathText(const std::filesystem::path &path);

struct ExportResult
{
    bool ok = false;
    // The text for the user: "File <path> was created", or the system's
    // description of what went wrong followed by what was being done and the path.
    std::string message;

    // What the message is made of, for a window that words it in the user's
    // language: what happened, the file's path, the system's description of
    // the error and the directory that was refused.
    enum class Outcome {
        Written,              // "File <path> was created" (empty when only written)
        FailedOpening,        // "<error> opening <path>"
        FailedWriting,        // "<error> writing <path>"
        FailedReplacing,      // "<error> replacing <path>"
        ReplaceRefused,       // "<error> replacing <path>: the file is open in another
                              // program (Excel, for example) or read-only, and stays as it was"
        DirectoryIsLink,      // "Can't write <path>: <directory> is a link, not a directory"
        NotADirectory,        // "... is not a directory"
        DirectoryOfOtherUser, // "... belongs to another user"
        DirectoryOpenToOthers // "... is open to other users"
    };
    Outcome outcome = Outcome::Written;
    std::string path;
    std::string systemError;
    std::string directory;
};

// The system's description of an error, as UTF-8: on Windows its own text in
// the user's language for its error numbers.
std::string systemErrorText(const std::error_code &error);

// A failure of the system's at `path`: its description of the error (an
// errno value, or an error code of the system's), then " opening ",
// " writing " or " replacing " by the outcome.
ExportResult writeFailure(ExportResult::Outcome outcome,
                          int error,
                          const std::filesystem::path &path);
ExportResult writeFailure(ExportResult::Outcome outcome,
                          const std::error_code &error,
                          const std::filesystem::path &path);
// The same with a library's own description of its error.
ExportResult writeFailure(ExportResult::Outcome outcome,
                          const std::string &error,
                          const std::filesystem::path &path);

// A new file that could not take the place of `target`. Windows refuses to
// replace a file that another program holds open or that is read-only (its
// "access denied", "sharing violation" or "lock violation" over a plain
// file): that is ReplaceRefused, and the message says why. Anything else,
// and everything elsewhere, is FailedReplacing.
ExportResult replaceFailure(const std::error_code &error, const std::filesystem::path &target);

// One file being written whole: open, write, then replace (or discard). The
// new file is removed again unless it has taken its target's place.
class WholeFile
{
public:
    explicit WholeFile(std::filesystem::path target);
    ~WholeFile();
    WholeFile(const WholeFile &) = delete;
    WholeFile &operator=(const WholeFile &) = delete;

    const std::filesystem::path &target() const { return target_; }

    // Makes the target's folder when it is missing, removes the new files
    // that killed writers of this target left there, and creates the new file
    // exclusively (nothing planted at its name is opened or followed).
    ExportResult open();
    // Writes `text` as the new file's whole content and flushes it to the disk.
    ExportResult write(const std::string &text);
    // Puts the written file in the target's place.
    ExportResult replace();
    // Removes the new file, if there is one.
    void discard();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE *file_ = nullptr;
    // A second descriptor (a handle on Windows) that holds the new file from
    // open until replace or discard, so that no other writer's sweep takes it.
    std::intptr_t hold_ = -1;
};

// Writes `text` as the whole content of the file at `path`: open, write and
// replace as above. On failure the old file stays as it was and the message
// says what failed; on success the message is empty.
ExportResult writeWholeFile(const std::filesystem::path &path, const std::string &text);

// Puts files that are written (each opened and written) in their targets'
// places one after another. Should one fail to take its place, the files of
// an earlier write at that target and at the targets still to come are
// removed as well (plain files only), so that the targets never hold some
// files of this write beside some of an earlier one; the new files not yet in
// place are discarded. Returns the first failure, or success.
ExportResult replaceTogether(std::span<WholeFile> files);

} // namespace kormix
