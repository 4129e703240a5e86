#include "app/EventGuard.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "support/ScriptedWindow.h"

namespace zelk {
namespace {

TEST(EventGuardTest, AnErrorStopsTheHandlerIsShownAndKeepsWhatWasDone) {
    test::ScriptedPrompter prompter;
    prompter.errorsExpected = 1;
    int steps = 0;
    const HandlerOutcome outcome = runGuarded(prompter, [&] {
        ++steps;
        throw makeError(ErrorNumber::PathNotFound, "/sim/AIRCRAFT");
        ++steps;
    });
    EXPECT_EQ(outcome, HandlerOutcome::Failed);
    EXPECT_EQ(exitStatusOf(outcome), 1);
    EXPECT_EQ(steps, 1);
    ASSERT_EQ(prompter.errors.size(), 1u);
    EXPECT_EQ(prompter.errors[0].first, 76);
    EXPECT_EQ(prompter.errors[0].second, "Path not found: /sim/AIRCRAFT");
}

TEST(EventGuardTest, UnloadingEndsWithoutAMessage) {
    test::ScriptedPrompter prompter;
    const HandlerOutcome outcome = runGuarded(prompter, [] { unloadMainWindow(); });
    EXPECT_EQ(outcome, HandlerOutcome::Unloaded);
    EXPECT_EQ(exitStatusOf(outcome), 0);
    EXPECT_TRUE(prompter.errors.empty());
}

TEST(EventGuardTest, UnexpectedExceptionsAreReportedAsErrorsToo) {
    test::ScriptedPrompter prompter;
    prompter.errorsExpected = 2;
    EXPECT_EQ(runGuarded(prompter, [] { throw std::bad_alloc(); }), HandlerOutcome::Failed);
    EXPECT_EQ(runGuarded(prompter, [] { throw std::runtime_error("boom"); }),
              HandlerOutcome::Failed);
    ASSERT_EQ(prompter.errors.size(), 2u);
    EXPECT_EQ(prompter.errors[0].first, 7);
    EXPECT_EQ(prompter.errors[1], std::make_pair(51, std::string("Internal error: boom")));
}

}  // namespace
}  // namespace zelk
