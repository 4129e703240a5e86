// Removals in trees that only Linux holds: a symbolic link.
#include <gtest/gtest.h>

#include "removal/Removal.h"
#include "support/SimFixture.h"

namespace zelk {
namespace {

class PosixRemovalTest : public test::SimFixture {};

TEST_F(PosixRemovalTest, ALinkIsRemovedNeverItsTarget) {
    useSample();
    tree.write("elsewhere/Extra.gau", "keep me");
    tree.symlink(tree.path("elsewhere/Extra.gau"), "sim/Gauges/Extra.gau");
    ASSERT_TRUE(scan().completed());
    window.prompter.answers = {true, false};
    ASSERT_TRUE(removeUnused().completed());
    EXPECT_FALSE(tree.exists("sim/Gauges/Extra.gau"));
    EXPECT_EQ(tree.read("elsewhere/Extra.gau"), "keep me");
}

}  // namespace
}  // namespace zelk
