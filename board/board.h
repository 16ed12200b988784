// board.h
// krondel's one board: cell storage, the program-wide W, H, P and verdict, its generator, filling,
// shuffle, the flood-fill conduction test and one shortest conducting chain. Only the first W x H
// cells are in use; W = H, 2 to 8.
#pragma once

#include <cstdint>

// ---- State ----------------------------------------------------------------------------------------

// One square of the board. Two bytes, metal first: the layout is part of the board's contract.
struct BoardCell {
    std::uint8_t metal;   // 1 = metal (conducts), 0 = wood
    std::uint8_t reached; // 1 = reached from the right-hand column during the latest test
};
static_assert(sizeof(BoardCell) == 2, "a cell is two bytes");

// Fixed storage, zeroed before start-up; cells beyond W x H keep whatever they last held.
constexpr int kBoardCapacity = 10000;
extern BoardCell boardCells[kBoardCapacity];

// Row-major: column x (0 = left) and row y (0 = top) is boardCells[x + y * boardWidth].
extern std::int32_t boardWidth;   // W; always equal to boardHeight
extern std::int32_t boardHeight;  // H
extern std::int32_t metalPercent; // P, 0 to 100: the share of metal cells asked for
extern bool boardConducts;        // result of the latest test: right column joined to left column

// N = W x H, the number of cells in use.
inline int CellsInUse() { return boardWidth * boardHeight; }

// ---- Generator --------------------------------------------------------------------------------------

// A 32-bit linear congruential generator with 15-bit values; seeded once at start-up.
constexpr int kRandomMax = 0x7FFF;

// Sets the generator's state; the same seed gives the same sequence of values.
void SeedRandom(std::uint32_t seed);

// The next value, 0 to kRandomMax.
int RandomValue();

// ---- Filling and shuffling --------------------------------------------------------------------------

// Both bytes of all kBoardCapacity cells to 0, however few are in use.
void ClearBoard();

// The reached flags of the cells in use to 0; metal is left alone.
void ClearReached();

// The number of metal cells a share of percent (clamped to 0..100) gives on the board in use:
// P x N / 100 rounded down.
int MetalCount(int percent);

// Sets metal = 1 in the first MetalCount(percent) cells. Writes nothing else, so the caller clears
// the board first.
void FillMetal(int percent);

// W passes; in each, every cell j from 0 to N - 1 swaps with a cell drawn at random from 0 to N - 1.
// Not a uniform shuffle, but every cell takes part.
void ShuffleBoard();

// ---- Conduction test --------------------------------------------------------------------------------

// Marks as reached every metal cell joined to (x, y) through sides; out-of-range coordinates do
// nothing. Recursive, at most N calls deep (64 on the largest board).
void FloodFill(int x, int y);

// FloodFill from every metal cell of the right-hand column not reached yet.
void FloodFromRight();

// True when any cell of the left-hand column is reached.
bool LeftColumnReached();

// Floods from the right-hand column again for the cells as they stand and sets boardConducts; the
// same verdict is returned. Nothing is moved.
bool RetestBoard();

// The one entry the keyboard controls use. refill true: a new board for the current W, H and P;
// false: the same metal cells scattered anew. Sets boardConducts and returns the same verdict.
bool RegenerateBoard(bool refill);

// ---- Changes by hand and what the test found ---------------------------------------------------------

// The number of metal cells in use; differs from MetalCount(metalPercent) once cells were flipped.
int MetalCellCount();

// Turns the cell in column x, row y from metal to wood or back and tests the board again at once.
// Returns false, changing nothing, for a cell off the board.
bool FlipCell(int x, int y);

// One shortest chain of reached cells from the right-hand column to the left-hand column, as cell
// indices in order from right to left. Returns its length, 0 when the board does not conduct, and
// writes at most `capacity` cells (the first ones from the right). Reads the reached flags of the
// latest test, so it is only as fresh as that test. The same board always gives the same chain.
int ShortestConductingChain(int* cells, int capacity);
