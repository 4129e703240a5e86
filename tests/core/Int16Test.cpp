#include "core/Int16.h"

#include <gtest/gtest.h>

#include "platform/Error.h"

namespace zelk {
namespace {

TEST(Int16Test, IncrementStopsAtTheTopWithAnOverflowAndKeepsTheValue) {
    Int16 counter(32766);
    counter.increment();
    EXPECT_EQ(counter.value(), 32767);
    try {
        counter.increment();
        FAIL() << "expected an overflow";
    } catch (const ZelkError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
        EXPECT_EQ(error.code(), 6);
    }
    EXPECT_EQ(counter.value(), 32767);
}

TEST(Int16Test, FromRejectsNumbersOutsideSixteenBits) {
    EXPECT_EQ(Int16::from(-32768).value(), -32768);
    EXPECT_EQ(Int16::from(32767).value(), 32767);
    EXPECT_THROW(Int16::from(32768), ZelkError);
    EXPECT_THROW(Int16::from(-32769), ZelkError);
}

}  // namespace
}  // namespace zelk
