// Packed texts read back exactly what was pushed: bill-number counters
// (kept as a stem and numbers) and everything that only looks like one,
// across runs, after finish() and when pushing goes on after it; a run is
// shared only with a store that holds the same texts there.
#include "db/packedtexts.h"

#include <gtest/gtest.h>

#include <functional>

using namespace bralvo::db;

namespace {

struct Shape {
    const char *name;
    std::function<QByteArray(std::size_t)> text;
};

QByteArray padded(std::size_t number, int digits)
{
    return QByteArray::number(qulonglong(number)).rightJustified(digits, '0');
}

const Shape kShapes[] = {
    {"bill numbers skipping every eleventh", [](std::size_t i) { return "2020/" + padded(i + i / 10, 6); }},
    {"digits only, leading zeros", [](std::size_t i) { return padded(i * 37 % 5000, 7); }},
    {"counter growing a digit", [](std::size_t i) { return "F" + QByteArray::number(qulonglong(9000 + i)); }},
    {"stem changes midway", [](std::size_t i) { return QByteArray(i < 5000 ? "A-" : "B-") + padded(i, 5); }},
    {"twenty digits", [](std::size_t i) { return "99999999999999" + padded(i, 6); }},
    {"digits then letters", [](std::size_t i) { return padded(i, 5) + "x"; }},
    {"a dash for the slash", [](std::size_t i) { return i == 700 ? QByteArray("2020-00700") : "2020/" + padded(i, 5); }},
    {"a letter among the digits", [](std::size_t i) { return i == 900 ? QByteArray("2020/00A00") : "2020/" + padded(i, 5); }},
    {"empty", [](std::size_t) { return QByteArray(); }},
    {"zero bytes and UTF-8", [](std::size_t i) { return QByteArray("\0a", 2) + "čaj " + QByteArray::number(qulonglong(i % 7)); }},
    {"long shared beginnings", [](std::size_t i) {
         return QByteArray(300, 'x') + "Faktúra za služby číslo " + QByteArray::number(qulonglong(i * 31 % 20011));
     }},
};

TEST(PackedTexts, ReadsBackEveryShapeAcrossRunsAndAfterFinish)
{
    const std::size_t count = 2 * PackedTexts::kRun + 1500;
    for (const Shape &shape : kShapes) {
        SCOPED_TRACE(shape.name);
        PackedTexts texts;
        for (std::size_t i = 0; i < count; ++i) {
            const QByteArray text = shape.text(i);
            texts.push_back(text.constData(), int(text.size()));
        }
        for (int pass = 0; pass < 2; ++pass) {
            ASSERT_EQ(texts.size(), count);
            for (std::size_t i = 0; i < count; ++i)
                ASSERT_EQ(texts.at(i), shape.text(i)) << "index " << i << " pass " << pass;
            texts.finish();
        }
        for (std::size_t i = count; i < count + 100; ++i) {
            const QByteArray text = shape.text(i);
            texts.push_back(text.constData(), int(text.size()));
        }
        for (std::size_t i = count - 20; i < count + 100; ++i)
            ASSERT_EQ(texts.at(i), shape.text(i)) << "index " << i;
        EXPECT_EQ(texts.at(count + 100), QByteArray());
    }
}

TEST(PackedTexts, SharesARunOnlyWithTheSameTexts)
{
    struct Case {
        const char *name;
        QByteArray (*second)(std::size_t);
    };
    const auto number = [](std::size_t i) { return "2020/" + padded(i, 6); };
    for (const Case &c : {Case{"same counters", [](std::size_t i) { return "2020/" + padded(i, 6); }},
                          Case{"other stem", [](std::size_t i) { return "2021/" + padded(i, 6); }},
                          Case{"one number differs", [](std::size_t i) { return "2020/" + padded(i == 9 ? 8 : i, 6); }},
                          Case{"front coded", [](std::size_t i) { return "2020/" + padded(i, 6) + "a"; }}}) {
        SCOPED_TRACE(c.name);
        PackedTexts first, second;
        for (std::size_t i = 0; i < PackedTexts::kRun; ++i) {
            const QByteArray one = number(i), other = c.second(i);
            first.push_back(one.constData(), int(one.size()));
            second.push_back(other.constData(), int(other.size()));
        }
        second.shareLastRun(first);
        for (std::size_t i = 0; i < PackedTexts::kRun; ++i) {
            ASSERT_EQ(first.at(i), number(i));
            ASSERT_EQ(second.at(i), c.second(i)) << "index " << i;
        }
    }
}

} // namespace
