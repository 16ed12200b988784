// lattice.h
// krondel's second model: an L x L lattice whose cells carry fixed random labels in [0, 1); a cell
// is metal while its label is below the share, so raising the share adds cells one by one in label
// order and nothing else moves. Clusters are kept by union-find in that order (Newman and Ziff's
// sweep). Lowering the share goes back to the nearest state kept on the way up (one every tenth of
// the cells) and sweeps on from there, so every share has one picture whichever way it was reached.
// Limits: L from 1 to kMaxSide; the share in steps of 0.1 %; one thread. No drawing: a cluster's
// colour is told as a tag, the view picks the colour.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

class Lattice {
public:
    static constexpr int kMaxSide = 512; // the kept states take 80 bytes a cell
    static constexpr int kShareSteps = 1000; // the share is a whole number of 0.1 % steps, 0 to 1000

    // What one metal cell's cluster is; a wood cell has size 0 and tag -1.
    struct Cluster {
        int size = 0;
        // The place in label order of the cell that founded the cluster whose colour this one keeps:
        // the same for every cell of a cluster, different for every two clusters.
        int tag = -1;
        bool spans = false; // joins the right-hand column to the left-hand column
    };

    explicit Lattice(std::uint64_t seed = 1) : generator_(seed) {}

    // Restarts the label generator: the same seed draws the same lattices.
    void Seed(std::uint64_t seed) { generator_.seed(seed); }

    // New random labels for a side x side lattice; the share stays. False, changing nothing, for a
    // side out of range.
    bool NewLabels(int side);

    // The given labels (label / 2^32 is the value in [0, 1)), row after row; the share stays. False,
    // changing nothing, when the side is out of range or the count is not side x side.
    bool SetLabels(int side, std::vector<std::uint32_t> labels);

    // Clamped to 0..kShareSteps.
    void SetShare(int steps);

    int Side() const { return side_; }
    int CellCount() const { return side_ * side_; }
    int Share() const { return share_; }
    // For a cell in 0..CellCount() - 1, as every query of a cell.
    std::uint32_t Label(int cell) const { return labels_[static_cast<std::size_t>(cell)]; }
    bool IsMetal(int cell) const {
        return (metal_[static_cast<std::size_t>(cell) / 64] >> (static_cast<unsigned>(cell) % 64) & 1u) != 0;
    }
    Cluster ClusterAt(int cell) const { return IsMetal(cell) ? ClusterOfRoot(Root(cell)) : Cluster{}; }

    // Calls visit(cell, cluster) for every metal cell, in index order: the way to read the whole
    // lattice, since it skips the wood a word of 64 cells at a time instead of asking cell by cell.
    template <typename Visit>
    void ForEachMetalCell(Visit visit) const {
        for (std::size_t word = 0; word < metal_.size(); ++word) {
            for (std::uint64_t bits = metal_[word]; bits != 0; bits &= bits - 1) {
                const int cell = static_cast<int>(word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)));
                visit(cell, ClusterOfRoot(Root(cell)));
            }
        }
    }

    // True when some cluster joins the right-hand column to the left-hand column, the board's rule.
    bool Conducts() const { return state_.spanning > 0; }
    int LargestCluster() const { return state_.largest; }
    int ClusterCount() const { return state_.clusters; }

    // The lowest share, in steps, at which this lattice conducts: one step lower it does not.
    int OwnThreshold() const { return ownThreshold_; }

private:
    static constexpr std::uint32_t kLeftEdge = 1;
    static constexpr std::uint32_t kRightEdge = 2;
    static constexpr std::uint32_t kBothEdges = kLeftEdge | kRightEdge;
    static constexpr int kInfoShift = 2; // a root's info: founder's rank above the two edge bits

    // One cell of the union-find, 8 bytes so that a find touches one place per cell. link >= 0 is
    // the parent; a root has link = -(its cluster's size) and info = founder's rank << kInfoShift |
    // the side columns it touches.
    struct Node {
        std::int32_t link;
        std::uint32_t info;
    };
    struct Counts {
        int added = 0; // metal cells: the first `added` cells of the label order
        int clusters = 0;
        int largest = 0;
        int spanning = 0; // clusters that touch both side columns
    };
    // The whole sweep after its first `counts.added` cells.
    struct Checkpoint {
        Counts counts;
        std::vector<Node> nodes;
        std::vector<std::uint64_t> metal;
    };

    Cluster ClusterOfRoot(int root) const {
        const Node& node = nodes_[static_cast<std::size_t>(root)];
        return Cluster{-node.link, static_cast<int>(node.info >> kInfoShift), (node.info & kBothEdges) == kBothEdges};
    }

    // Path halving: every other cell on the way points to its grandparent afterwards. Inline, since
    // painting a picture asks once per metal cell.
    int Root(int cell) const {
        auto c = static_cast<std::size_t>(cell);
        while (nodes_[c].link >= 0) {
            const auto parent = static_cast<std::size_t>(nodes_[c].link);
            const std::int32_t grandparent = nodes_[parent].link;
            if (grandparent < 0) return static_cast<int>(parent);
            nodes_[c].link = grandparent;
            c = static_cast<std::size_t>(grandparent);
        }
        return static_cast<int>(c);
    }
    void Clear();
    void Add(int cell);
    void Join(int a, int b);
    void AddUpTo(int count);
    void GoBackTo(int count);
    int StepOf(std::uint32_t label) const;

    int side_ = 0;
    int share_ = 500;
    std::mt19937_64 generator_;
    std::vector<std::uint32_t> labels_;
    std::vector<std::int32_t> order_;   // cells by label, ties by index: the order they turn metal in
    std::vector<std::int32_t> metalAt_; // metal cells at each share step, kShareSteps + 1 entries
    // Finds compress paths, which never changes an answer, hence mutable.
    mutable std::vector<Node> nodes_;
    std::vector<std::uint64_t> metal_; // one bit per cell
    Counts state_;
    int checkpointSpacing_ = 1;
    std::vector<Checkpoint> checkpoints_; // after 1, 2, ... times checkpointSpacing_ cells
    std::size_t checkpointsKept_ = 0;     // those of the labels now; the rest is storage to reuse
    int ownThreshold_ = 0;
};
