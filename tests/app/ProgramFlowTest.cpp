#include "app/ProgramFlow.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/RemovalPreview.h"

#include "support/PlatformAccess.h"
#include "support/SampleTree.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

using Names = std::vector<std::string>;

// The flow with a scripted front end on a copy of the sample tree.
class ProgramFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.copyData("sim", "sim");
        tree.write("bin/ZELKGAU.INI", "[FS2000]\r\nFolder=" + tree.path("sim") + "\r\n");
    }

    test::TempTree tree;
    test::ScriptedWindow window;
    std::vector<std::string> happened;
    std::vector<int> ended;
    int drops = 0;
    std::vector<FilesToRemoveList> lists;  // shown in the window "Files to remove"
    ProgramFlow flow{FrontEnd{window, window.prompter, [this] { happened.push_back("about"); },
                              [this](int status) { ended.push_back(status); }, [this] { ++drops; },
                              [this](const FilesToRemoveList& list) { lists.push_back(list); }},
                     test::realAccess(), SettingsFolders{tree.path("bin"), {}}};
};

// A click that reaches the window while a command runs (as when the command lets it paint)
// starts nothing, then or later; the front end drops the input it holds when each handler
// ends and before each question. Only a close waits until the command has ended.
TEST_F(ProgramFlowTest, WhatIsAskedForWhileACommandRunsIsDroppedButACloseWaits) {
    ASSERT_TRUE(flow.load());
    flow.scan();
    ASSERT_EQ(window.panels[3], test::sample::kZelk);

    std::size_t questionsDuringRemoval = 0;
    window.prompter.answers = {true, false};
    // While the removal asks its first question, the user clicks Scan, About and then closes.
    const auto clickDuring = [&](const std::string& question) {
        if (question != "You want to remove all unused gauge files?") {
            return;
        }
        EXPECT_TRUE(flow.isBusy());
        flow.scan();
        flow.about();
        flow.showFilesToRemove();
        flow.close();
        EXPECT_TRUE(happened.empty()) << "About ran inside the removal";
        EXPECT_TRUE(lists.empty()) << "the list opened inside the removal";
        EXPECT_TRUE(ended.empty()) << "the program ended inside the removal";
        EXPECT_FALSE(flow.hasEnded());
        questionsDuringRemoval = window.prompter.questions.size();
    };
    window.prompter.beforeAnswer = clickDuring;
    flow.removal();

    EXPECT_EQ(questionsDuringRemoval, 1u);
    EXPECT_EQ(window.prompter.questions,
              (Names{"You want to remove all unused gauge files?",
                     "All files succefully removed. Exit from Zelk Gauge?"}));
    EXPECT_TRUE(happened.empty());
    EXPECT_EQ(drops, 5);  // after the load, the Scan and the removal, before its two questions
    EXPECT_EQ(ended, std::vector<int>{0});
    EXPECT_TRUE(flow.hasEnded());
}

TEST_F(ProgramFlowTest, AnErrorIsShownOnceAndEndsTheProgramWithStatusOne) {
    ASSERT_TRUE(flow.load());
    std::filesystem::rename(tree.path("sim/Gauges"), tree.path("sim/Gone"));
    window.prompter.errorsExpected = 1;
    flow.scan();
    ASSERT_EQ(window.prompter.errors.size(), 1u);
    EXPECT_EQ(window.prompter.errors[0].first, 76);
    EXPECT_EQ(ended, std::vector<int>{1});
    flow.scan();  // nothing runs once the program has ended
    EXPECT_EQ(window.prompter.errors.size(), 1u);
    EXPECT_EQ(ended.size(), 1u);
}

struct ToolTipCase {
    const char* name;
    int bigFiles;  // files of 64 KiB added to the four the sample leaves unused
    int removals;  // removals after the Scan, each followed by a Scan
    std::string toolTip;
    bool changedSinceScan = false;  // a listed file removed, another replaced by a folder
    Names emptyFiles = {};          // added to the gauges folder
};

// ctest names the case, not its bytes.
void PrintTo(const ToolTipCase& row, std::ostream* out) {
    *out << row.name;
}

std::string bigFileNames(int first, int last) {
    std::string names;
    for (int i = first; i <= last; ++i) {
        names += "Zz" + std::to_string(10 + i) + ".dat\n";
    }
    return names;
}

class RemovalToolTipTest : public ProgramFlowTest,
                           public ::testing::WithParamInterface<ToolTipCase> {};

TEST_P(RemovalToolTipTest, Panel3ShowsWhatZelkWouldRemove) {
    for (int i = 0; i < GetParam().bigFiles; ++i) {
        tree.write("sim/Gauges/Zz" + std::to_string(10 + i) + ".dat", std::string(65536, 'x'));
    }
    for (const std::string& name : GetParam().emptyFiles) {
        tree.write("sim/Gauges/" + name);
    }
    ASSERT_TRUE(flow.load());
    flow.scan();
    ASSERT_FALSE(flow.zelkToolTip().empty());
    if (GetParam().changedSinceScan) {
        std::filesystem::remove(tree.path("sim/Gauges/Autopilot.gau"));
        std::filesystem::remove(tree.path("sim/Gauges/readme.txt"));
        tree.mkdir("sim/Gauges/readme.txt");
    }
    for (int i = 0; i < GetParam().removals; ++i) {
        window.prompter.answers = {true, false};
        flow.removal();
        EXPECT_EQ(flow.zelkToolTip(), "");
        window.prompter.answers = {false};
        flow.scan();  // nothing left: "Zelk: None"
    }
    EXPECT_EQ(flow.zelkToolTip(), GetParam().toolTip);
    EXPECT_TRUE(ended.empty());  // looking never ends the program
}

const std::string& kSampleNames = test::sample::kUnusedLines;

INSTANTIATE_TEST_SUITE_P(
    Scans, RemovalToolTipTest,
    ::testing::Values(ToolTipCase{"AFewFiles", 0, 0, test::sample::kZelkToolTip},
                      ToolTipCase{"ChangedSinceTheScan", 0, 0,
                                  "Files to remove:\nAirspeed.gau.bak\nAutopilot.gau (gone since "
                                  "the Scan)\nreadme.txt (now a folder)\nTurbine.gau\n2 files, 41 "
                                  "bytes\nNot counted: 1 file gone since the Scan, 1 now a folder. "
                                  "Scan again." +
                                      test::sample::kWholeListHint,
                                  true},
                      ToolTipCase{"MoreThanTwenty", 19, 0,
                                  "Files to remove:\n" + kSampleNames + bigFileNames(0, 15) +
                                      "\u2026 and 3 more\n23 files, 1.2 MB" +
                                      test::sample::kWholeListHint},
                      ToolTipCase{"NoneAfterARemoval", 19, 1, ""},
                      // "Radio<RLO>kab.gau" would read as "Radiouag.bak"
                      ToolTipCase{"NamesThatWouldHideThemselves",
                                  0,
                                  0,
                                  "Files to remove:\n" + test::sample::kUnused[0] + "\n" +
                                      test::sample::kUnused[1] + "\n$'Radio\\u202Ekab.gau'\n" +
                                      test::sample::kUnused[2] + "\n" + test::sample::kUnused[3] +
                                      "\n$'Zero\\u200BWidth.txt'\n6 files, 78 bytes" +
                                      test::sample::kWholeListHint,
                                  false,
                                  {"Radio\u202Ekab.gau", "Zero\u200BWidth.txt"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The window lists every file on one line with its size, or what became of it since the Scan,
// and counts them as the tooltip does.
TEST_F(ProgramFlowTest, FilesToRemoveShowsEveryFileWithItsSizeOrWhatBecameOfIt) {
    ASSERT_TRUE(flow.load());
    flow.showFilesToRemove();  // before a Scan: nothing to show
    flow.scan();
    std::filesystem::remove(tree.path("sim/Gauges/Autopilot.gau"));
    flow.showFilesToRemove();
    ASSERT_EQ(lists.size(), 1u);
    Names rows;
    for (const auto& [name, size] : lists[0].rows) {
        rows.push_back(name + " | " + size);
    }
    EXPECT_EQ(rows, (Names{"Airspeed.gau.bak | 23 bytes", "Autopilot.gau | gone since the Scan",
                           "readme.txt | 17 bytes", "Turbine.gau | 18 bytes"}));
    EXPECT_EQ(lists[0].foot,
              "3 files, 58 bytes\nNot counted: 1 file gone since the Scan. Scan again.");
}

TEST(FilesAndSizeTest, CountsAndSizesAsUsersReadThem) {
    const std::vector<std::tuple<std::size_t, std::uint64_t, std::string>> rows{
        {1, 0, "1 file, 0 bytes"},
        {1, 1, "1 file, 1 byte"},
        {2, 1023, "2 files, 1023 bytes"},
        {4, 1024, "4 files, 1.0 KB"},
        {1, 10188, "1 file, 9.9 KB"},  // 9.949 KB
        {1, 10200, "1 file, 10 KB"},   // 9.96 KB rounds to 10.0: whole units from there
        {1, 1048063, "1 file, 1023 KB"},
        {1, 1048064, "1 file, 1.0 MB"},  // 1023.5 KB rounds to the next unit
        {4, 1258291, "4 files, 1.2 MB"},
        {3, 5ULL << 50, "3 files, 5120 TB"},
    };
    for (const auto& [files, bytes, text] : rows) {
        EXPECT_EQ(filesAndSize(files, bytes), text) << bytes << " bytes";
    }
}

}  // namespace
}  // namespace zelk
