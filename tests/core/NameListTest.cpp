#include "core/NameList.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "support/Outcomes.h"

namespace zelk {
namespace {

using test::errorOf;

TEST(NameListTest, AnEmptyListHasNoUpperBoundAndNoSlots) {
    NameList list;
    EXPECT_FALSE(list.hasSlots());
    EXPECT_EQ(errorOf([&] { list.upperBound(); }), ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(errorOf([&] { list.at(0); }), ErrorNumber::SubscriptOutOfRange);
}

TEST(NameListTest, TheFirstNameLandsInSlotOneAndSlotZeroStaysEmpty) {
    NameList list;
    Int16 counter;
    list.add(counter, "Airspeed");
    EXPECT_EQ(counter.value(), 1);
    EXPECT_EQ(list.upperBound().value(), 1);
    EXPECT_EQ(list.at(0), "");
    EXPECT_EQ(list.at(1), "Airspeed");
    EXPECT_EQ(errorOf([&] { list.at(2); }), ErrorNumber::SubscriptOutOfRange);
}

TEST(NameListTest, ACounterThatRanAheadLeavesAnEmptyGapSlot) {
    NameList list;
    Int16 counter;
    for (const char* name : {"a", "b", "c", "d"}) {
        list.add(counter, name);
    }
    counter.increment();  // as after a loop that used the counter as its index
    list.add(counter, "f");
    EXPECT_EQ(list.upperBound().value(), 6);
    EXPECT_EQ(list.at(4), "d");
    EXPECT_EQ(list.at(5), "");
    EXPECT_EQ(list.at(6), "f");
}

TEST(NameListTest, AnAddAtTheTopIsAnOverflowThatChangesNothing) {
    NameList list;
    Int16 counter;
    for (int i = 0; i < Int16::kMax; ++i) {
        list.add(counter, "n");
    }
    EXPECT_EQ(list.upperBound().value(), 32767);
    EXPECT_EQ(errorOf([&] { list.add(counter, "extra"); }), ErrorNumber::Overflow);
    EXPECT_EQ(counter.value(), 32767);
    EXPECT_EQ(list.upperBound().value(), 32767);
    EXPECT_EQ(list.at(32767), "n");
}

// The hash that finds a name works on whole words; a name of any length must be found in any
// ASCII case, and only there: bytes beyond ASCII and signs beside the letters are no case.
TEST(NameListTest, ANameIsFoundInEveryAsciiCaseWhateverItsLength) {
    const struct {
        const char* stored;
        const char* asked;
        bool found;
    } rows[] = {
        {"a", "A", true},
        {"aBc", "AbC", true},
        {"Gaug", "gAUG", true},
        {"Gauge_7", "GAUGE_7", true},
        {"Gauge_12", "gauge_12", true},
        {"Gauge_1234", "gAUGE_1234", true},
        {"Cessna182Gauges_X", "cessna182gauges_x", true},
        {"\xC1z@[", "\xC1Z@[", true},
        {"\xC1z", "\xE1z", false},
        {"Za@[", "za`{", false},
    };
    for (const auto& row : rows) {
        NameList list;
        Int16 counter;
        list.add(counter, row.stored);
        EXPECT_EQ(list.containsIgnoringAsciiCase(row.asked), row.found) << row.asked;
    }
}

// Spellings that differ only in case hash alike, so the exact search must tell them apart by
// their bytes: one letter in the other case, at each place of names of every length up to 20.
TEST(NameListTest, AnExactSearchTellsApartNamesThatDifferInOneLetterCase) {
    for (std::size_t length = 1; length <= 20; ++length) {
        const std::string stored(length, 'g');
        NameList list;
        Int16 counter;
        list.add(counter, stored);
        EXPECT_TRUE(list.containsUpTo(stored, counter)) << stored;
        for (std::size_t at = 0; at < length; ++at) {
            std::string asked = stored;
            asked[at] = 'G';
            EXPECT_FALSE(list.containsUpTo(asked, counter)) << asked;
        }
    }
}

}  // namespace
}  // namespace zelk
