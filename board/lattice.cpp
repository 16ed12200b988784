// lattice.cpp
// Labels, their order, and the union-find sweep that keeps the clusters of the metal cells, with
// the states kept on the way up for going down again. Shares are compared with labels in integers
// (label x 1000 against steps x 2^32), so a cell's metal state at a share never depends on rounding.
#include "board/lattice.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr int kLabelBits = 32;
constexpr int kCheckpoints = 10; // states kept: going down replays at most a tenth of the cells

// Sorts keys of label << 32 | index by label, keeping index order among equal labels: four stable
// counting passes over the label's bytes. Several times faster than a comparison sort at 160,000.
void SortByLabel(std::vector<std::uint64_t>& keys) {
    std::vector<std::uint64_t> spare(keys.size());
    for (int shift = kLabelBits; shift < 64; shift += 8) {
        std::array<std::size_t, 257> starts{};
        for (const std::uint64_t key : keys) ++starts[((key >> shift) & 0xFF) + 1];
        for (std::size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
        for (const std::uint64_t key : keys) spare[starts[(key >> shift) & 0xFF]++] = key;
        keys.swap(spare);
    }
}

} // namespace

// The smallest share step at which a cell of this label is metal: label / 2^32 < steps / 1000.
int Lattice::StepOf(std::uint32_t label) const {
    return static_cast<int>((static_cast<std::uint64_t>(label) * kShareSteps) >> kLabelBits) + 1;
}

bool Lattice::NewLabels(int side) {
    if (side < 1 || side > kMaxSide) return false;
    std::vector<std::uint32_t> labels(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (std::uint32_t& label : labels) label = static_cast<std::uint32_t>(generator_() >> kLabelBits);
    return SetLabels(side, std::move(labels));
}

bool Lattice::SetLabels(int side, std::vector<std::uint32_t> labels) {
    if (side < 1 || side > kMaxSide) return false;
    const std::size_t cells = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    if (labels.size() != cells) return false;
    side_ = side;
    labels_ = std::move(labels);

    std::vector<std::uint64_t> keys(cells);
    for (std::size_t i = 0; i < cells; ++i) keys[i] = (static_cast<std::uint64_t>(labels_[i]) << kLabelBits) | i;
    SortByLabel(keys);
    order_.resize(cells);
    for (std::size_t k = 0; k < cells; ++k) order_[k] = static_cast<std::int32_t>(keys[k] & 0xFFFFFFFFu);
    metalAt_.assign(kShareSteps + 1, 0);
    std::size_t next = 0;
    for (int step = 0; step <= kShareSteps; ++step) {
        while (next < cells && StepOf(labels_[static_cast<std::size_t>(order_[next])]) <= step) ++next;
        metalAt_[static_cast<std::size_t>(step)] = static_cast<std::int32_t>(next);
    }

    // The lattice's own threshold: sweep until it first conducts, which it does at the latest with
    // every cell metal; the cell that closed the chain decides the step.
    checkpointsKept_ = 0;
    checkpointSpacing_ = std::max(1, CellCount() / kCheckpoints);
    Clear();
    while (!Conducts() && state_.added < CellCount()) AddUpTo(state_.added + 1);
    ownThreshold_ = StepOf(labels_[static_cast<std::size_t>(order_[static_cast<std::size_t>(state_.added - 1)])]);
    SetShare(share_);
    return true;
}

void Lattice::SetShare(int steps) {
    share_ = std::clamp(steps, 0, kShareSteps);
    if (side_ == 0) return;
    const int target = metalAt_[static_cast<std::size_t>(share_)];
    if (target >= state_.added) {
        AddUpTo(target);
    } else {
        GoBackTo(target);
    }
}

void Lattice::Clear() {
    nodes_.resize(labels_.size());
    metal_.assign((labels_.size() + 63) / 64, 0);
    state_ = Counts{};
}

// Keeps a state every checkpointSpacing_ cells on the first way up after new labels.
void Lattice::AddUpTo(int count) {
    while (state_.added < count) {
        Add(order_[static_cast<std::size_t>(state_.added)]);
        const auto reached = static_cast<std::size_t>(state_.added / checkpointSpacing_);
        if (state_.added % checkpointSpacing_ == 0 && reached > checkpointsKept_) {
            // Into the storage of earlier labels where there is some: fresh memory would cost more
            // to fault in than the copy itself.
            if (checkpointsKept_ == checkpoints_.size()) checkpoints_.emplace_back();
            Checkpoint& kept = checkpoints_[checkpointsKept_++];
            kept.counts = state_;
            kept.nodes = nodes_;
            kept.metal = metal_;
        }
    }
}

// Every kept state up to the one the sweep is at exists, so the one at or below `count` does.
void Lattice::GoBackTo(int count) {
    const std::size_t kept = std::min(static_cast<std::size_t>(count / checkpointSpacing_), checkpointsKept_);
    if (kept == 0) {
        Clear();
    } else {
        const Checkpoint& from = checkpoints_[kept - 1];
        state_ = from.counts;
        nodes_ = from.nodes;
        metal_ = from.metal;
    }
    AddUpTo(count);
}

// The cell turns metal as a cluster of its own, then joins its metal neighbours' clusters.
void Lattice::Add(int cell) {
    const auto c = static_cast<std::size_t>(cell);
    const int x = cell % side_;
    const std::uint32_t edges = (x == 0 ? kLeftEdge : 0) | (x == side_ - 1 ? kRightEdge : 0);
    nodes_[c] = Node{-1, static_cast<std::uint32_t>(state_.added) << kInfoShift | edges};
    metal_[c / 64] |= std::uint64_t{1} << (c % 64);
    ++state_.added;
    ++state_.clusters;
    state_.largest = std::max(state_.largest, 1);
    if (edges == kBothEdges) ++state_.spanning;
    if (x > 0 && IsMetal(cell - 1)) Join(cell, cell - 1);
    if (x < side_ - 1 && IsMetal(cell + 1)) Join(cell, cell + 1);
    if (cell >= side_ && IsMetal(cell - side_)) Join(cell, cell - side_);
    if (cell < CellCount() - side_ && IsMetal(cell + side_)) Join(cell, cell + side_);
}

// The larger cluster takes the smaller in, keeping its tag and so its colour; of two the same
// size the older one (founded earlier in label order) does.
void Lattice::Join(int a, int b) {
    auto winner = static_cast<std::size_t>(Root(a));
    auto loser = static_cast<std::size_t>(Root(b));
    if (winner == loser) return;
    // Sizes are stored negated: the larger cluster has the smaller link.
    const bool loserLarger = nodes_[loser].link < nodes_[winner].link;
    const bool loserOlder = nodes_[loser].link == nodes_[winner].link && nodes_[loser].info < nodes_[winner].info;
    if (loserLarger || loserOlder) std::swap(winner, loser);
    const auto spans = [](const Node& root) { return (root.info & kBothEdges) == kBothEdges ? 1 : 0; };
    state_.spanning -= spans(nodes_[winner]) + spans(nodes_[loser]);
    nodes_[winner].link += nodes_[loser].link;
    nodes_[winner].info |= nodes_[loser].info & kBothEdges;
    nodes_[loser].link = static_cast<std::int32_t>(winner);
    state_.spanning += spans(nodes_[winner]);
    state_.largest = std::max(state_.largest, -nodes_[winner].link);
    --state_.clusters;
}
