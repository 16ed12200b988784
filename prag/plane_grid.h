// plane_grid.h
// An L x L grid of sites that the two-dimensional lattices share: sites y * L + x, codes that carry x
// and y (so a neighbour needs no division), the sides a site lies on, and steps that wrap around
// the torus or stop at the open border. L is at most 8192 (13 bits a coordinate).
#pragma once

#include <array>
#include <cstdint>

#include "prag/model.h"

namespace prag {

class PlaneGrid {
public:
    static constexpr int kDimensions = 2;
    using Offset = std::array<std::int32_t, 2>;

    PlaneGrid(int side, Boundary boundary) : side_(side), periodic_(boundary == Boundary::kPeriodic) {}

    std::uint32_t Sites() const { return static_cast<std::uint32_t>(side_ * side_); }
    // Sites between a site and the one below it: a neighbour's node is at most this far away.
    std::uint32_t RowSites() const { return static_cast<std::uint32_t>(side_); }
    std::uint32_t CodeOf(std::uint32_t site) const {
        const auto l = static_cast<std::uint32_t>(side_);
        return (site % l) | (site / l) << kBits;
    }
    std::uint32_t SiteOf(std::uint32_t code) const { return Y(code) * static_cast<std::uint32_t>(side_) + X(code); }
    static std::int32_t X(std::uint32_t code) { return static_cast<std::int32_t>(code & kMask); }
    static std::int32_t Y(std::uint32_t code) { return static_cast<std::int32_t>(code >> kBits); }

    // Bit 2a: the low side of axis a (x = 0, y = 0), bit 2a + 1 its high side.
    std::uint32_t Borders(std::uint32_t code) const {
        const std::int32_t x = X(code), y = Y(code), last = side_ - 1;
        return static_cast<std::uint32_t>(x == 0) | static_cast<std::uint32_t>(x == last) << 1 |
               static_cast<std::uint32_t>(y == 0) << 2 | static_cast<std::uint32_t>(y == last) << 3;
    }

    // Calls visit(site, offset) for the neighbour (dx, dy) away, if there is one: on the torus
    // always (the offset stays the unwrapped step), on the open grid only inside.
    template <class Visit>
    void Step(std::uint32_t code, std::int32_t dx, std::int32_t dy, Visit&& visit) const {
        // The steps are constants where this is inlined, so only the coordinate that moves is tested.
        std::int32_t x = X(code) + dx, y = Y(code) + dy;
        if (periodic_) {
            if (dx < 0) x += x < 0 ? side_ : 0;
            if (dx > 0) x -= x >= side_ ? side_ : 0;
            if (dy < 0) y += y < 0 ? side_ : 0;
            if (dy > 0) y -= y >= side_ ? side_ : 0;
        } else if ((dx < 0 && x < 0) || (dx > 0 && x >= side_) || (dy < 0 && y < 0) || (dy > 0 && y >= side_)) {
            return;
        }
        visit(static_cast<std::uint32_t>(y * side_ + x), Offset{dx, dy});
    }

private:
    static constexpr int kBits = 13;
    static constexpr std::uint32_t kMask = (1u << kBits) - 1;
    std::int32_t side_;
    bool periodic_;
};

}  // namespace prag
