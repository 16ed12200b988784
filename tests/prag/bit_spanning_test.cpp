// bit_spanning_test.cpp
// The bit-mask sweep against the union-find: the same spanning number for the same seeded samples,
// over sizes on both sides of the word edges, every open rule, and starts that already span.
#include <gtest/gtest.h>

#include "prag/bit_spanning.h"
#include "prag/lattice.h"
#include "prag/sample_stream.h"

namespace {

using prag::Spanning;

TEST(BitSpanning, GivesTheUnionFindsSpanningNumberOnEverySample) {
    // 2 and 3: the first test spans at once and must step back; 63 to 65 and 127 to 129 sit on the
    // edges of a word; 200 has a part-filled last word.
    for (const int side : {2, 3, 5, 17, 63, 64, 65, 127, 128, 129, 200}) {
        prag::Lattice lattice(prag::Model::kSite, side);
        prag::BitSpanning bits(side);
        const int samples = side <= 65 ? 400 : 60;
        for (const Spanning rule : {Spanning::kTopBottom, Spanning::kLeftRight, Spanning::kEither, Spanning::kBoth}) {
            for (int sample = 0; sample < samples; ++sample) {
                prag::SampleStream a(11, side, static_cast<std::uint64_t>(sample)), b(11, side, static_cast<std::uint64_t>(sample));
                ASSERT_EQ(bits.SpanningNumber(a, rule), lattice.SpanningNumber(b, rule))
                    << "L=" << side << " " << prag::SpanningName(rule) << " sample " << sample;
            }
        }
    }
}

}  // namespace
