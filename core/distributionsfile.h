// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The distributions file: every distribution of the register as one line of
// tab-separated text, for a spreadsheet.
#pragma once

#include <filesystem>
#include <string>

namespace kormix {

class Simulation;

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

// Where the file always goes: C:\temp\distributions.xls on Windows; elsewhere
// distributions.xls in a directory of the user's own, kormix-<user id>, inside
// the system's temporary directory (TMPDIR when it is set).
std::filesystem::path distributionsFilePath();

// The file's whole content: the header and one line per register entry in
// increasing order of the fraction of HD molecules, lines ending in CR LF.
std::string distributionsText(const Simulation &sim);

// Writes the file. It is written whole to a new file beside it and then put
// in the old one's place, so that a failure at any step leaves the previous
// file exactly as it was; a link planted at the path is replaced, not followed.
ExportResult ExportDistributions(const Simulation &sim, const std::filesystem::path &path);

// Writes `text` as the whole content of the file at `path` the same way: a new
// file beside it, flushed to the disk, then put in its place; on failure the
// old file stays as it was and the message says what failed (the system's
// error text, " opening ", " writing " or " replacing ", then the path). On
// success the message is empty.
ExportResult writeWholeFile(const std::filesystem::path &path, const std::string &text);

// Where the file goes when its fixed place cannot be used: on Windows the
// user's own temporary folder, %TEMP%\kormix\distributions.xls (a locked-down
// school PC may forbid C:\temp); elsewhere nowhere (an empty path), since the
// fixed place is the user's own already.
std::filesystem::path fallbackDistributionsFilePath();

// Writes the file at `path`; when it cannot even be opened there (its folder
// cannot be made, or nothing can be created in it) and `fallback` is not empty,
// at `fallback` instead. The result names the file that was written.
ExportResult exportWithFallback(const Simulation &sim,
                                const std::filesystem::path &path,
                                const std::filesystem::path &fallback);

// Writes the file to its fixed place, on Windows falling back as above.
// Outside Windows that place is private: its directory is created for the user
// alone, and one found there is used only when it is a real directory, the
// user's own and closed to everybody else; otherwise nothing is written and the
// message says why. New files that exports killed halfway left in it are
// removed first.
ExportResult ExportDistributions(const Simulation &sim);

} // namespace kormix
