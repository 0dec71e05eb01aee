// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The distributions file: every distribution of the register as one line of
// tab-separated text, for a spreadsheet.
#pragma once

#include "core/wholefile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kormix {

class Simulation;

// Where the next export writes the file: distributions.xls in the place of
// core/privateplace.h (C:\temp on Windows; elsewhere a folder of the user's
// own, usually kormix-<user id> inside the system's temporary directory).
// Nothing is made or changed here.
std::filesystem::path distributionsFilePath();

// One line of the file as numbers (the W text is FormatW of lnW).
struct DistributionLine
{
    int position = 0; // "#": the line's place in the order, from 1
    std::int64_t nH2 = 0;
    std::int64_t nD2 = 0;
    std::int64_t nHD = 0;
    double percentHD = 0; // "%HD"
    double lnW = 0;
    double p = 0;    // W / sum W over the stored distributions
    double pRel = 0; // W / Wmax
    std::int64_t freq = 0;
    double pFromFreq = 0; // freq / sum freq
};

// The header's eleven fields, in their order.
inline constexpr const char *kDistributionsHeader[]
        = {"#", "NH2", "ND2", "NHD", "%HD", "lnW", "W", "P", "P_rel", "freq", "P_from_freq"};

// The file's lines as numbers: one per register entry, in increasing order
// of the fraction of HD molecules.
std::vector<DistributionLine> distributionLines(const Simulation &sim);

// The file's whole content: the header and one line per register entry in
// increasing order of the fraction of HD molecules, lines ending in CR LF.
std::string distributionsText(const Simulation &sim);

// Writes the file. It is written whole to a new file beside it and then put
// in the old one's place, so that a failure at any step leaves the previous
// file exactly as it was; a link planted at the path is replaced, not followed.
ExportResult ExportDistributions(const Simulation &sim, const std::filesystem::path &path);

// Where the file goes when its fixed place cannot be written at all: on
// Windows the user's own temporary folder, %TEMP%\kormix\distributions.xls (a
// locked-down school PC may forbid C:\temp); elsewhere nowhere (an empty
// path), since the fixed place is the user's own already.
std::filesystem::path fallbackDistributionsFilePath();

// Writes the file at `path`; when it cannot even be opened there (its folder
// cannot be made, or nothing can be created in it) and `fallback` is not
// empty, at `fallback` instead. The result names the file that was written.
ExportResult exportWithFallback(const Simulation &sim,
                                const std::filesystem::path &path,
                                const std::filesystem::path &fallback);

// Writes the file to its place, making the place ready first (on Windows
// falling back as above). When no folder of the user's own is usable nothing
// is written and the message says why the usual one is not; otherwise the
// result's path is where the file went.
ExportResult ExportDistributions(const Simulation &sim);

} // namespace kormix
