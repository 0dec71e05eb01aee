// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The place of a file the program writes without asking where (the
// distributions file): C:\temp on Windows; elsewhere a folder of the user's
// own. The usual one is kormix-<user id> in the system's temporary directory
// (TMPDIR when it is set, else /tmp). Any other user can make that name
// first, so when it is not usable the file goes to a folder that nobody else
// can make: kormix in the user's runtime directory ($XDG_RUNTIME_DIR), else
// kormix in the user's cache folder (~/.cache).
//
// A folder is made for the user alone when it is missing. One found there
// is used only when it is a folder itself (not a link to one), the user's
// own and closed to everybody else: anyone else who could write in it, or
// who made it, could replace or block the file.
#pragma once

#include "core/wholefile.h"

#include <filesystem>
#include <string>

namespace kormix {

// Where a file of this name goes now: in the first of the folders above that
// is usable or not yet made (nothing is made or changed here). When none is,
// the usual one.
std::filesystem::path privatePlace(const std::string &fileName);

// Makes the place ready for a file of this name: the first usable folder,
// made when it is missing. On success `path` is the file's full path; when no
// folder is usable, the result is why the usual one is not (the outcomes
// DirectoryIsLink, NotADirectory, DirectoryOfOtherUser, DirectoryOpenToOthers,
// or FailedOpening with the system's error when it cannot be made).
ExportResult preparePrivatePlace(const std::string &fileName);

} // namespace kormix
