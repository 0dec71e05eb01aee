// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The workbook: the distributions file's eleven columns as numbers in a real
// spreadsheet file (.xlsx), with a bold header, columns as wide as their
// texts and a chart of the theoretical probability P and the observed
// frequency against %HD; and, when there is one, a second sheet with the
// equilibrium window's compositions table. Written whole like every other
// file: a failure leaves the old file as it was.
#pragma once

#include "core/equilibrium/tables.h"
#include "core/wholefile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kormix {

class Simulation;

// The workbook's own words, in the user's language: the sheets' names (at
// most 31 characters, none of []:*?/\), the chart's title and its series.
struct WorkbookTexts
{
    std::string distributionsSheet = "Distributions";
    std::string compositionsSheet = "Compositions";
    std::string chartTitle = "Distributions";
    std::string theoretical = "theoretical P";
    std::string observed = "observed frequency";
};

// Writes the workbook of the register's distributions, and of `compositions`
// when given, to `path`. On success the message is "File <path> was created".
ExportResult writeWorkbook(const std::filesystem::path &path,
                           const Simulation &sim,
                           const std::optional<std::vector<CompositionLine>> &compositions,
                           const WorkbookTexts &texts = {});

} // namespace kormix
