// Packed values read back exactly what was pushed, whatever their shape,
// across runs, after finish() and when pushing goes on after it; a run is
// shared only with a store that holds the same values there.
#include "db/packedvalues.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

using namespace bralvo::db;

namespace {

quint64 bitsOf(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

struct Shape {
    const char *name;
    std::function<quint64(std::size_t)> value;
};

const Shape kShapes[] = {
    {"constant", [](std::size_t) { return quint64(42); }},
    {"ids skipping every eleventh", [](std::size_t i) { return quint64(i + i / 10 + 1); }},
    {"codes of a few hundred", [](std::size_t i) { return quint64((i * 7919) % 337); }},
    {"descending and negative", [](std::size_t i) { return quint64(qint64(5000) - qint64(i) * 3); }},
    {"whole 64-bit range", [](std::size_t i) { return std::mt19937_64(i)(); }},
    {"extremes", [](std::size_t i) { return i % 2 ? ~quint64(0) : quint64(i % 3); }},
    {"steep counter", [](std::size_t i) { return quint64(i) << 40; }},
    {"doubles", [](std::size_t i) { return bitsOf(100.0 + double(i % 1000) / 4); }},
};

TEST(PackedValues, ReadsBackEveryShapeAcrossRunsAndAfterFinish)
{
    const std::size_t count = 3 * PackedValues::kRun + 17;
    for (const Shape &shape : kShapes) {
        SCOPED_TRACE(shape.name);
        PackedValues values;
        for (std::size_t i = 0; i < count; ++i)
            values.push_back(shape.value(i));
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_EQ(values.size(), count);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(values.at(i), shape.value(i)) << "index " << i << " pass " << pass;
            values.finish();
        }
        // Pushing after finish() goes on where the values stopped.
        for (std::size_t i = count; i < count + PackedValues::kRun; ++i)
            values.push_back(shape.value(i));
        for (std::size_t i = count - 20; i < count + PackedValues::kRun; ++i)
            ASSERT_EQ(values.at(i), shape.value(i)) << "index " << i;
    }
}

TEST(PackedValues, SharesARunOnlyWithTheSameValues)
{
    struct Case {
        const char *name;
        std::size_t differingIndex;  // past the run: none differs
    };
    for (const Case &c : {Case{"same values", PackedValues::kRun}, Case{"one value differs", 5},
                          Case{"last value differs", PackedValues::kRun - 1}}) {
        SCOPED_TRACE(c.name);
        PackedValues first, second;
        for (std::size_t i = 0; i < PackedValues::kRun; ++i) {
            first.push_back(i % 300);
            second.push_back(i == c.differingIndex ? 999999 : i % 300);
        }
        second.shareLastRun(first);
        for (std::size_t i = 0; i < PackedValues::kRun; ++i) {
            ASSERT_EQ(first.at(i), i % 300);
            ASSERT_EQ(second.at(i), i == c.differingIndex ? 999999 : i % 300) << "index " << i;
        }
    }
}

} // namespace
