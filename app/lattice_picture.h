// lattice_picture.h
// The lattice as a picture, one ARGB pixel per cell: wood dark, every cluster in a colour of its
// own tag, the conducting cluster in the one highlight colour. The colours are told apart by
// lightness as well as hue, so they read for red-green colour blindness and in a grey print: wood
// darkest, the clusters in between over a wide range, the conducting cluster lightest.
#pragma once

#include "board/lattice.h"

#include <cstdint>

constexpr std::uint32_t kWoodColour = 0xFF2A2118;       // dark brown
constexpr std::uint32_t kSpanningColour = 0xFFF0E442;   // yellow, lighter than every cluster colour
constexpr std::uint32_t kOtherMetalColour = 0xFF7A7A7A; // mid grey, for P: metal off the conducting cluster

// Cluster colours, dark and light in turn: blue-violet, teal, red and pink tones that stay apart
// when red and green are not.
constexpr std::uint32_t kClusterColours[] = {0xFF2C4A8C, 0xFF56B4E9, 0xFF9C3D2E, 0xFFE69F00,
                                             0xFF1B6E6E, 0xFFCC79A7, 0xFF6A3D9A, 0xFF009E73,
                                             0xFF0072B2, 0xFFE08CB4, 0xFFD55E00, 0xFFA08CD8};

// The colour of the cluster with this tag (Lattice::Cluster::tag); the same tag always gets the same one.
std::uint32_t ClusterColour(int tag);

// Writes lattice.CellCount() pixels, row after row. With spanningOnly only the conducting cluster
// keeps a colour, every other metal cell is kOtherMetalColour.
void PaintLattice(const Lattice& lattice, bool spanningOnly, std::uint32_t* pixels);
