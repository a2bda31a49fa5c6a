// One cell of the integral's subdivision and the two rules that integrate it: the 15-point
// Gauss-Kronrod rule, and tanh-sinh for a cell with a special end.
#pragma once

#include "graph/IntegrandSampler.h"

namespace lindor::graph::integration {

struct Cell {
    Real from = 0;
    Real to = 0;
    int singularEnd = 0; // -1: special at `from`, +1: at `to`, 0: none (Gauss-Kronrod)
    EndShape shape;
    Real value = 0;
    Real error = 0;
    Real l1 = 0;
};

// Whether the cell [from, to] is wide enough for tanh-sinh, which places its points
// relative to the cell's half width: wide against the spacing of the numbers at its ends and
// against the smallest number.
bool fitsTanhSinh(Real from, Real to);

// Integrates the cell: its value, error estimate and integral of |f|. False when f turned
// out undefined in it (the sampler knows where) or the sum is not finite.
bool integrateCell(Sampler& f, Cell& c);

} // namespace lindor::graph::integration
