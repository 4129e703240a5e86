#include <gtest/gtest.h>

#include "removal/Removal.h"
#include "support/SimFixture.h"

namespace zelk {
namespace {

using Names = std::vector<std::string>;

const Names& kSampleKept = test::sample::kKept;

class RemovalTest : public test::SimFixture {
protected:
    void SetUp() override {
        SimFixture::SetUp();
        useSample();
        tree.makeReadOnly("sim/Gauges/Turbine.gau");
        ASSERT_TRUE(scan().completed());
    }
};

TEST_F(RemovalTest, YesRemovesExactlyTheUnusedFilesReadOnlyIncluded) {
    window.prompter.answers = {true, false};
    ASSERT_TRUE(removeUnused().completed());
    EXPECT_EQ(tree.filesBelow("sim/Gauges"), kSampleKept);
    EXPECT_EQ(window.prompter.questions,
              (Names{"You want to remove all unused gauge files?",
                     "All files succefully removed. Exit from Zelk Gauge?"}));
    EXPECT_EQ(window.progressMax[2], 10.0f);  // every file directly in the folder
    EXPECT_EQ(window.progressValue[2], 10.0f);
    EXPECT_EQ(window.progressSteps[2], 10);
    EXPECT_EQ(tree.filesBelow("sim/Aircraft").size(), 7u);
    EXPECT_FALSE(window.command2Enabled);  // the list is spent: Zelk again needs a new Scan
    EXPECT_EQ(window.panels[3], test::sample::kZelk);
}

TEST_F(RemovalTest, NoDeletesNothingAndAsksNothingMore) {
    window.prompter.answers = {false};
    ASSERT_TRUE(removeUnused().completed());
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
    EXPECT_EQ(window.prompter.questions.size(), 1u);
}

TEST_F(RemovalTest, YesToTheClosingQuestionEndsTheProgram) {
    window.prompter.answers = {true, true};
    EXPECT_TRUE(removeUnused().unloaded);
    EXPECT_EQ(tree.filesBelow("sim/Gauges"), kSampleKept);
}

TEST_F(RemovalTest, AFileThatCannotBeDeletedStopsTheRemovalWhereItIs) {
    disk->failRemove = {"/Autopilot.gau"};
    window.prompter.answers = {true};
    const test::CommandEnd end = removeUnused();
    EXPECT_EQ(end.errorCode(), 70);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/Gauges/Autopilot.gau")))
        << end.errorText();
    EXPECT_NE(end.errorText().find("could not be deleted"), std::string::npos);
    EXPECT_FALSE(tree.exists("sim/Gauges/Airspeed.gau.bak"));  // before it: deleted
    EXPECT_TRUE(tree.exists("sim/Gauges/Autopilot.gau"));
    EXPECT_TRUE(tree.exists("sim/Gauges/readme.txt"));  // after it: untouched
    EXPECT_TRUE(tree.exists("sim/Gauges/Turbine.gau"));
    EXPECT_EQ(window.prompter.questions.size(), 1u);  // no closing question
}

TEST_F(RemovalTest, AFileThatVanishesDuringTheRemovalIsReportedByName) {
    disk->beforeRemove = [](const std::string& path) {
        if (test::pathEndsWith(path, "/readme.txt")) {
            std::filesystem::remove(path);  // someone else took it first
        }
    };
    window.prompter.answers = {true};
    const test::CommandEnd end = removeUnused();
    EXPECT_EQ(end.errorCode(), 53);
    EXPECT_NE(end.errorText().find("readme.txt"), std::string::npos);
    EXPECT_NE(end.errorText().find("already gone"), std::string::npos);
    EXPECT_EQ(end.errorText().find("could not be deleted"), std::string::npos);
    EXPECT_FALSE(tree.exists("sim/Gauges/Autopilot.gau"));
    EXPECT_TRUE(tree.exists("sim/Gauges/Turbine.gau"));
}

TEST_F(RemovalTest, AFolderOfMoreThan32767FilesIsRefusedBeforeTheFirstDeletion) {
    disk->afterList = [](const std::string& path, std::vector<DirEntry>& entries) {
        if (test::pathEndsWith(path, "/Gauges")) {
            for (int i = 0; i < Int16::kMax; ++i) {
                entries.push_back({"Spare" + std::to_string(i) + ".gau", EntryKind::File});
            }
        }
    };
    window.prompter.answers = {true};
    const test::CommandEnd end = removeUnused();
    EXPECT_EQ(end.errorCode(), 6);
    EXPECT_TRUE(test::mentions(end.errorText(), "Gauges holds 32,777 files")) << end.errorText();
    EXPECT_NE(end.errorText().find("Nothing was deleted."), std::string::npos);
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
}

TEST_F(RemovalTest, AFullListOfUnusedNamesIsCheckedWholeBeforeTheFirstDeletion) {
    Int16 count;
    RunState full;
    for (const std::string& name : listOf(state.UnusedList)) {
        full.UnusedList.add(count, name);
    }
    while (count.value() < Int16::kMax) {
        full.UnusedList.add(count, "Gone" + std::to_string(count.value()) + ".gau");
    }
    full.SimFolder = state.SimFolder;
    full.ScannedGauges = state.ScannedGauges;
    full.ScannedGaugesIdentity = state.ScannedGaugesIdentity;
    const CommandContext fullContext{full, window, window.prompter, access};
    const test::CommandEnd end =
        test::runCommand([&] { DeleteFileList(fullContext, full.SimFolder + "\\GAUGES"); });
    EXPECT_EQ(end.errorCode(), 53);
    EXPECT_EQ(tree.filesBelow("sim/Gauges").size(), 11u);
}

TEST_F(RemovalTest, AMissingGaugesFolderDeletesNothing) {
    std::filesystem::rename(tree.path("sim/Gauges"), tree.path("sim/Moved"));
    window.prompter.answers = {true};
    const test::CommandEnd end = removeUnused();
    EXPECT_EQ(end.errorCode(), 76);
    EXPECT_EQ(tree.filesBelow("sim/Moved").size(), 11u);
}

struct ChangeCase {
    const char* name;  // what changes between the Scan and Yes
    int error;
    const char* says;
    std::string names;  // the entry the message names, below the simulator folder
};

void PrintTo(const ChangeCase& row, std::ostream* out) {
    *out << row.name;
}

class RemovalChangeTest : public RemovalTest, public ::testing::WithParamInterface<ChangeCase> {
protected:
    void change(const std::string& how) {
        namespace fs = std::filesystem;
        if (how == "AListedFileRenamed") {
            fs::rename(tree.path("sim/Gauges/Autopilot.gau"),
                       tree.path("sim/Gauges/Autopilot.old"));
        } else if (how == "AListedFileNowAFolder") {
            fs::remove(tree.path("sim/Gauges/readme.txt"));
            tree.write("sim/Gauges/readme.txt/inside.txt");
        } else if (how == "AFileThatCanNoLongerBeDeletedOnItsOwn") {
            disk->failCheck = {"/Autopilot.gau"};
        } else if (how == "TheGaugesFolderSwappedForAnother") {
            fs::rename(tree.path("sim/Gauges"), tree.path("sim/Gauges.old"));
            tree.copyData("sim/Gauges", "sim/Gauges");
        } else if (how == "ASecondRemovalOfTheSpentList") {
            window.prompter.answers = {true, false};
            ASSERT_TRUE(removeUnused().completed());
            window.prompter.questions.clear();
        }
    }
};

// Whatever has changed since the Scan stops the removal before the first deletion, and in the
// folder the Scan listed only: nothing is passed over in silence.
TEST_P(RemovalChangeTest, StopsBeforeTheFirstDeletion) {
    change(GetParam().name);
    const auto before = tree.filesBelow("sim");
    window.prompter.answers = {true};
    const test::CommandEnd end = removeUnused();
    EXPECT_EQ(end.errorCode(), GetParam().error);
    EXPECT_NE(end.errorText().find(GetParam().says), std::string::npos) << end.errorText();
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/" + GetParam().names)))
        << end.errorText();
    EXPECT_NE(end.errorText().find("Nothing was deleted."), std::string::npos);
    EXPECT_EQ(tree.filesBelow("sim"), before);
    EXPECT_EQ(window.prompter.questions.size(), 1u);  // no closing question
}

INSTANTIATE_TEST_SUITE_P(
    SinceTheScan, RemovalChangeTest,
    ::testing::Values(
        ChangeCase{"AListedFileRenamed", 53, "has gone from the gauges", "Gauges/Autopilot.gau"},
        ChangeCase{"AListedFileNowAFolder", 75, "has become a folder", "Gauges/readme.txt"},
        ChangeCase{"AFileThatCanNoLongerBeDeletedOnItsOwn", 75, "changed since the Scan",
                   "Gauges/Autopilot.gau"},
        ChangeCase{"TheGaugesFolderSwappedForAnother", 75, "changed since the Scan: another",
                   "Gauges"},
        ChangeCase{"ASecondRemovalOfTheSpentList", 53, "has gone from the gauges",
                   "Gauges/Airspeed.gau.bak"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zelk
