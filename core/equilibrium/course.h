// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The course of a run as the equilibrium window plots it against collisions:
// the points of the quantity chosen, thinned to what a plot of some width can
// show, and the value range of the plot.
#pragma once

#include "core/equilibrium/runseries.h"

#include <limits>
#include <vector>

namespace kormix {

// What the plot shows against collisions.
enum class CourseQuantity { HDFraction, LnW, Q };

struct PlotPoint
{
    double x = 0;
    double y = 0;

    bool operator==(const PlotPoint &) const = default;
};

// Every point of the series as (collision, value). Q is left out where it is
// infinite (no H2 or no D2).
std::vector<PlotPoint> coursePoints(const RunSeries &series, CourseQuantity quantity);

// The points from x = low on (low > 0) as a logarithmic axis places them:
// x becomes its decimal logarithm. The start of a run, at collision 0, has
// no place there.
std::vector<PlotPoint> onLogarithmicAxis(const std::vector<PlotPoint> &points, double low);

// The points of a line that a plot `columns` pixels wide can show, x running
// from x0 to x1: in every column the lowest and the highest, in their order.
// A line with at most twice as many points as columns keeps them all. Drawn,
// it looks as the whole line would, at a fraction of the cost: the chart
// strokes every point of a line at every change, for its outline as well.
std::vector<PlotPoint> envelope(const std::vector<PlotPoint> &line,
                                double x0,
                                double x1,
                                int columns);

// The lowest and highest finite values met.
struct Extent
{
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();

    void include(double y);
    void include(const std::vector<PlotPoint> &points);
};

struct ValueRange
{
    double low = 0;
    double high = 1;

    bool operator==(const ValueRange &) const = default;
};

// The values the plot spans: the extent with 5 % of it to spare on either
// side (5 % of the value, at least 0.05, where the extent has no width), [0,
// 1] where nothing is drawn. The HD fraction is held within [0, 1] and Q
// below ten times the equilibrium constant (a start without HD has a huge Q
// at first); neither goes below 0, only ln W may.
ValueRange courseRange(CourseQuantity quantity, Extent extent, double equilibriumConstant);

} // namespace kormix
