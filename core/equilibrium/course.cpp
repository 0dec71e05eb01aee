// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/course.h"

#include "core/equilibrium/exactdistribution.h"

#include <algorithm>
#include <cmath>

namespace kormix {

std::vector<PlotPoint> coursePoints(const RunSeries &series, CourseQuantity quantity)
{
    std::vector<PlotPoint> line;
    line.reserve(series.points().size());
    for (const SeriesPoint &p : series.points()) {
        double y;
        if (quantity == CourseQuantity::HDFraction) {
            const double n = double(std::int64_t(p.nH2) + p.nHD + p.nD2);
            y = n > 0 ? p.nHD / n : 0;
        } else if (quantity == CourseQuantity::LnW) {
            y = p.lnW;
        } else {
            y = quotientOf({p.nH2, p.nHD, p.nD2});
        }
        if (std::isfinite(y))
            line.push_back({double(p.collision), y});
    }
    return line;
}

std::vector<PlotPoint> onLogarithmicAxis(const std::vector<PlotPoint> &points, double low)
{
    std::vector<PlotPoint> placed;
    placed.reserve(points.size());
    for (const PlotPoint &p : points) {
        if (p.x >= low)
            placed.push_back({std::log10(p.x), p.y});
    }
    return placed;
}

std::vector<PlotPoint> envelope(const std::vector<PlotPoint> &line,
                                double x0,
                                double x1,
                                int columns)
{
    if (line.size() <= 2 * std::size_t(std::max(columns, 0)))
        return line;
    std::vector<PlotPoint> kept;
    kept.reserve(2 * std::size_t(columns) + 2);
    const double scale = columns / (x1 - x0);
    std::size_t first = 0;
    while (first < line.size()) {
        const double column = std::floor((line[first].x - x0) * scale);
        std::size_t low = first, high = first, last = first;
        while (last + 1 < line.size() && std::floor((line[last + 1].x - x0) * scale) == column) {
            ++last;
            if (line[last].y < line[low].y)
                low = last;
            if (line[last].y > line[high].y)
                high = last;
        }
        kept.push_back(line[std::min(low, high)]);
        if (low != high)
            kept.push_back(line[std::max(low, high)]);
        first = last + 1;
    }
    return kept;
}

void Extent::include(double y)
{
    if (std::isfinite(y)) {
        lowest = std::min(lowest, y);
        highest = std::max(highest, y);
    }
}

void Extent::include(const std::vector<PlotPoint> &points)
{
    for (const PlotPoint &p : points)
        include(p.y);
}

ValueRange courseRange(CourseQuantity quantity, Extent extent, double equilibriumConstant)
{
    double low = extent.lowest, high = extent.highest;
    if (!(low <= high)) {
        low = 0;
        high = 1;
    }
    if (quantity == CourseQuantity::Q) {
        high = std::min(high, 10 * equilibriumConstant);
        low = std::min(low, high);
    }
    if (quantity == CourseQuantity::HDFraction) {
        low = std::max(0.0, low);
        high = std::min(1.0, high);
    }
    double pad = (high - low) * 0.05;
    if (pad <= 0)
        pad = std::max(std::abs(high) * 0.05, 0.05);
    low -= pad;
    if (quantity != CourseQuantity::LnW)
        low = std::max(0.0, low);
    return {low, high + pad};
}

} // namespace kormix
