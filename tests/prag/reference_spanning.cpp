// reference_spanning.cpp
// Labels clusters by breadth-first search from every unlabelled site and asks each cluster which
// sides it touches; slow and literal on purpose.
#include "tests/prag/reference_spanning.h"

#include <queue>

namespace prag_test {
namespace {

struct Sides {
    bool top = false, bottom = false, left = false, right = false;
};

}  // namespace

bool ReferenceSpans(prag::Model model, int side, const std::vector<bool>& occupied, prag::Spanning rule) {
    const int sites = side * side;
    const int horizontal = side * (side - 1);
    const auto site_present = [&](int s) { return model == prag::Model::kBond || occupied[static_cast<std::size_t>(s)]; };
    // Whether sites a and b (neighbours) are joined.
    const auto joined = [&](int a, int b) {
        if (model == prag::Model::kSite) return occupied[static_cast<std::size_t>(a)] && occupied[static_cast<std::size_t>(b)];
        const int low = a < b ? a : b;
        const int x = low % side, y = low / side;
        const bool right = (a - b == 1 || b - a == 1);
        const int bond = right ? y * (side - 1) + x : horizontal + y * side + x;
        return static_cast<bool>(occupied[static_cast<std::size_t>(bond)]);
    };
    bool top_bottom = false, left_right = false;
    std::vector<bool> seen(static_cast<std::size_t>(sites), false);
    for (int start = 0; start < sites; ++start) {
        if (seen[static_cast<std::size_t>(start)] || !site_present(start)) continue;
        Sides sides;
        std::queue<int> queue;
        queue.push(start);
        seen[static_cast<std::size_t>(start)] = true;
        while (!queue.empty()) {
            const int s = queue.front();
            queue.pop();
            const int x = s % side, y = s / side;
            sides.top |= y == 0;
            sides.bottom |= y == side - 1;
            sides.left |= x == 0;
            sides.right |= x == side - 1;
            const int neighbours[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : neighbours) {
                if (n[0] < 0 || n[0] >= side || n[1] < 0 || n[1] >= side) continue;
                const int t = n[1] * side + n[0];
                if (seen[static_cast<std::size_t>(t)] || !site_present(t) || !joined(s, t)) continue;
                seen[static_cast<std::size_t>(t)] = true;
                queue.push(t);
            }
        }
        top_bottom |= sides.top && sides.bottom;
        left_right |= sides.left && sides.right;
    }
    switch (rule) {
        case prag::Spanning::kTopBottom: return top_bottom;
        case prag::Spanning::kLeftRight: return left_right;
        case prag::Spanning::kEither: return top_bottom || left_right;
        case prag::Spanning::kBoth: return top_bottom && left_right;
        case prag::Spanning::kHorizontal:
        case prag::Spanning::kVertical:
        case prag::Spanning::kOne: break;  // wrapping: the lattices test has the torus's own search
    }
    return false;
}

}  // namespace prag_test
