#pragma once
#include <cstdint>

// The node grid of an SPL map run: levels are computed at nodes every `step` cells of the 0.1 m map
// grid, and the cells between them are filled from the surrounding nodes.

struct MapGrid {
    int step = 1;          // cells from one node to the next
    double mapRes = 0.1;   // metres from one node to the next, step / 10
    int nodesZ = 0;        // last node row, 0 at the top of the view
    int nodesX = 0;        // last node column, 0 at 1 m beyond the array's largest X
    double maxX = 0;       // the array's largest X, m
};

// The grid that covers the venue view from 1 m in front of the array to the view's right edge and
// from the view's top down to -1 m, with nodes mapRes apart. A resolution that is not a multiple of
// 0.1 m is taken as the nearest one (at least 0.1 m); node counts stay between 0 and what the map
// grid holds. Reads VenueMaxX, VenueMaxZ and ArrayExtents.MaxX.
MapGrid MapNodeGrid(double mapRes);

// The receiver of node column b and node row a, in metres.
double NodeX(const MapGrid& grid, int b);
double NodeZ(const MapGrid& grid, int a);

// Fills the non-node cells of the block between node rows a - 1, a and node columns b - 1, b by
// inverse-distance weighting of their surrounding nodes; in blocks of the last node column or row
// the cells take the two nodes of their node column or node row instead. Call it right after node
// (a, b) is computed: edges that refer to nodes not computed yet are filled again by the next block.
void FillMapBlock(const MapGrid& grid, int a, int b);
