// StartMask::set picks the word by the bit number without indexing: every
// bit must land in its own word and place, and only there.
#include "script/grammarrules.h"

#include <gtest/gtest.h>

using namespace bralvo::script;

TEST(StartMaskBits, EachBitLandsInItsOwnWordAndPlace)
{
    for (int bit : {0, 1, 5, 62, 63, 64, 65, 100, 126, 127}) {
        SCOPED_TRACE(bit);
        StartMask mask;
        mask.set(bit);
        const uint64_t one = uint64_t(1) << (bit % 64);
        EXPECT_EQ(mask.bits[0], bit < 64 ? one : 0u);
        EXPECT_EQ(mask.bits[1], bit < 64 ? 0u : one);
        // Set again and together with a bit of the other word: nothing else.
        mask.set(bit);
        mask.set(127 - bit);
        StartMask other;
        other.set(127 - bit);
        EXPECT_TRUE(mask.intersects(other));
        EXPECT_EQ(mask.bits[0], other.bits[0] | (bit < 64 ? one : 0u));
        EXPECT_EQ(mask.bits[1], other.bits[1] | (bit < 64 ? 0u : one));
    }
}
