// Removals in trees that Windows programs meet: names that Windows' path rules would bend
// into others, device names, Unix links as Wine shows them, and 8.3 names in panels. Each
// must delete exactly the files the Scan listed, or stop the Scan before anything goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <tuple>

#include "app/PanelReferences.h"
#include "platform/win32/Win32Text.h"
#include "removal/Removal.h"
#include "scan/GaugeRule.h"
#include "support/SimFixture.h"

namespace zelk {
namespace {

using Names = std::vector<std::string>;

class Win32RemovalTest : public test::SimFixture {
protected:
    void SetUp() override {
        SimFixture::SetUp();
        panel("Aircraft/C172/panel/PANEL.CFG", "gauge00=Cessna!Airspeed\ngauge01=Radio!Com\n");
        tree.write("sim/Gauges/Cessna.gau", "used");
        tree.write("sim/Gauges/Radio.gau", "used");
    }

    // A file of exactly this name, which a plain path could not make ("Cessna.gau.", "CON.gau").
    void writeExact(const std::string& name) const {
        const std::wstring path = L"\\\\?\\" + win32::widen(tree.path("sim\\Gauges\\" + name));
        const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        ::CloseHandle(file);
    }
    void link(const std::string& target, const std::string& relative) const {
        try {
            tree.symlink(tree.path(target), relative);
        } catch (const std::logic_error&) {
            GTEST_SKIP() << "Unix links exist under Wine only";
        }
    }
    Names gauges() const { return tree.names("sim/Gauges"); }
};

struct StrayCase {
    const char* name;
    Names strays;  // in the order Windows lists them
};

class Win32StrayTest : public Win32RemovalTest, public ::testing::WithParamInterface<StrayCase> {};

// Windows reaches a trailing dot or blank through the "\\?\" form; Wine cannot, and there the
// Scan must stop before anything is deleted.
TEST_P(Win32StrayTest, ExactlyTheListedFilesGoAndTheUsedGaugesStay) {
    for (const std::string& stray : GetParam().strays) {
        writeExact(stray);
    }
    const Names before = gauges();
    const test::CommandEnd scanned = scan();
    if (!scanned.completed()) {
        EXPECT_EQ(scanned.errorCode(), 75);
        EXPECT_TRUE(test::mentions(scanned.errorText(), tree.path("sim/Gauges/Cessna.gau")))
            << scanned.errorText();
        EXPECT_FALSE(window.command2Enabled);
        EXPECT_EQ(gauges(), before);
        return;
    }
    EXPECT_EQ(listOf(state.UnusedList), GetParam().strays);
    window.prompter.answers = {true, false};
    const test::CommandEnd removed = removeUnused();
    ASSERT_TRUE(removed.completed()) << removed.errorText();
    EXPECT_EQ(gauges(), (Names{"Cessna.gau", "Radio.gau"}));
    EXPECT_EQ(tree.read("sim/Gauges/Cessna.gau"), "used");
}

INSTANTIATE_TEST_SUITE_P(Names, Win32StrayTest,
                         ::testing::Values(StrayCase{"TrailingDotAndBlank",
                                                     {"Cessna.gau.", "Radio.gau "}},
                                           StrayCase{"DeviceNames",
                                                     {"Alpha.gau", "AUX.gau", "COM1.gau", "CON.gau",
                                                      "NUL.gau", "Zulu.gau"}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LinkCase {
    const char* name;
    std::string link;
    std::string target;
};

class Win32LinkTest : public Win32RemovalTest, public ::testing::WithParamInterface<LinkCase> {};

// Wine shows a Unix link as the file it leads to, and deleting it there deletes that file.
TEST_P(Win32LinkTest, ALinkWhoseTargetWouldGoStopsTheScanBeforeAnythingIsDeleted) {
    tree.write("Library/Shared.gau", "shared");
    tree.write("sim/Gauges/Zulu.gau", "unused");
    link(GetParam().target, GetParam().link);
    if (IsSkipped()) {
        return;
    }
    const Names before = gauges();
    const test::CommandEnd end = scan();
    EXPECT_EQ(end.errorCode(), 75);
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path(GetParam().link))) << end.errorText();
    EXPECT_NE(end.errorText().find("remove it by hand"), std::string::npos);
    EXPECT_FALSE(window.command2Enabled);
    EXPECT_EQ(gauges(), before);
    EXPECT_EQ(tree.read("Library/Shared.gau"), "shared");
    EXPECT_EQ(tree.read("sim/Gauges/Cessna.gau"), "used");
}

INSTANTIATE_TEST_SUITE_P(Links, Win32LinkTest,
                         ::testing::Values(LinkCase{"OutsideTheGaugesFolder",
                                                    "sim/Gauges/Shared.gau", "Library/Shared.gau"},
                                           LinkCase{"ToAGaugeInUse", "sim/Gauges/CessnaV1.gau",
                                                    "sim/Gauges/Cessna.gau"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A file that another program has open without letting it be deleted stops the Scan; opened
// so only after the Scan, it stops the removal. Either stops before anything is deleted.
TEST_F(Win32RemovalTest, AFileInUseStopsTheScanOrTheRemovalBeforeAnythingIsDeleted) {
    tree.write("sim/Gauges/Alpha.gau", "unused");
    tree.write("sim/Gauges/Zulu.gau", "unused");
    const std::wstring zulu = win32::widen(tree.path("sim\\Gauges\\Zulu.gau"));
    const auto holdOpen = [&] {
        return ::CreateFileW(zulu.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    };
    const Names before = gauges();
    HANDLE held = holdOpen();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    test::CommandEnd end = scan();
    ::CloseHandle(held);
    EXPECT_EQ(end.errorCode(), 70);
    for (const char* says : {"File in use", "close that program", "scan again", "Nothing was"}) {
        EXPECT_NE(end.errorText().find(says), std::string::npos) << says << ": " << end.errorText();
    }
    EXPECT_TRUE(test::mentions(end.errorText(), tree.path("sim/Gauges/Zulu.gau")));

    ASSERT_TRUE(scan().completed());
    held = holdOpen();
    window.prompter.answers = {true};
    end = removeUnused();
    ::CloseHandle(held);
    EXPECT_EQ(end.errorCode(), 70);
    EXPECT_NE(end.errorText().find("Nothing was deleted."), std::string::npos) << end.errorText();
    EXPECT_EQ(gauges(), before);
}

// Windows opens GAUGES\CESSNA~1.gau as the long-named file, as the panels of 16-bit tools name it.
TEST_F(Win32RemovalTest, AGaugeThatAPanelNamesByItsShortNameIsInUse) {
    tree.write("sim/Gauges/Cessna182Gauges.gau", "used");
    tree.write("sim/Gauges/Piper28Gauges.gau", "unused");
    const std::wstring longPath = win32::widen(tree.path("sim\\Gauges\\Cessna182Gauges.gau"));
    std::wstring shortPath(MAX_PATH, L'\0');
    shortPath.resize(::GetShortPathNameW(longPath.c_str(), shortPath.data(), MAX_PATH));
    const std::string shortName = *win32::narrow(shortPath.substr(shortPath.rfind(L'\\') + 1));
    if (shortName == "Cessna182Gauges.gau" || shortName.empty()) {
        GTEST_SKIP() << "this file system keeps no 8.3 names";
    }
    panel("Aircraft/C182/panel/PANEL.CFG",
          "gauge00=" + shortName.substr(0, shortName.find('.')) + "!Airspeed\n");
    PanelReferences references;
    CommandContext watched = context();
    watched.panelWatch = &references;
    ASSERT_TRUE(test::runCommand([&] { runScanCommand(watched); }).completed());
    EXPECT_EQ(listOf(state.UnusedList), Names{"Piper28Gauges.gau"});
    // --used names the panel that keeps it
    const Folder gauges = FileSystemObject(access).GetFolder(state.SimFolder + "\\GAUGES");
    const std::string used = references.usedFiles(gauges, state.UnusedList);
    const auto at = used.find("\\Cessna182Gauges.gau  <-  ");
    ASSERT_NE(at, std::string::npos) << used;
    const std::string line = used.substr(at, used.find('\n', at) - at);
    EXPECT_TRUE(line.ends_with("\\C182\\panel\\PANEL.CFG")) << used;
}

// A gauge name written as a path keeps Foo.gau exactly when Windows opens it for GAUGES\<name>.gau.
TEST_F(Win32RemovalTest, AGaugeNameWrittenAsAPathKeepsTheFileThatWindowsOpensForIt) {
    tree.write("sim/Gauges/Foo.gau");
    tree.write("sim/Gauges/Sub/Foo.gau");
    tree.write("sim/Foo.gau");
    const auto fileId = [this](const std::string& path) {
        const HANDLE file = ::CreateFileW(win32::widen(tree.path(path)).c_str(), 0, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        BY_HANDLE_FILE_INFORMATION info{};
        ::GetFileInformationByHandle(file, &info);
        ::CloseHandle(file);
        return std::tuple(info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
    };
    for (const std::string name :
         {".\\Foo", "..\\gauges.\\Foo", "Sub/..\\\\Foo", "Sub\\Foo", "..\\Foo", "\\Foo"}) {
        const OtherSpellings other = otherSpellingsOf(name);
        EXPECT_EQ(std::find(other.begin(), other.end(), "Foo") != other.end(),
                  fileId("sim\\GAUGES\\" + name + ".gau") == fileId("sim\\Gauges\\Foo.gau"))
            << name;
    }
}

// Random gauges folders of used and unused files, strays with a trailing dot or blank, device
// names and links (into the folder and out of it): either the Scan stops and nothing changes,
// or the removal leaves exactly the used gauges, and nothing outside GAUGES ever changes.
TEST_F(Win32RemovalTest, RandomFoldersKeepExactlyTheUsedGaugesOrStopBeforeAnyDeletion) {
    const Names plain = {"Alpha.gau", "Bravo.gau", "CON.gau",     "NUL.gau",
                         "COM1.gau",  "Golf.txt",  "Hotel.gau.x", "India.gau"};
    const Names strays = {"Echo.gau ", "Fox.gau."};
    std::mt19937 random(20261207);
    int removals = 0;
    for (int round = 0; round < 15; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        test::TempTree sim;
        state.SimFolder = sim.path("sim");
        sim.write("Library/Shared.gau", "shared");
        sim.write("sim/Gauges/Unused.gau");  // something to remove in every round
        std::string panelText = "gauge99=Zulu!x\n";
        Names kept;
        Names names = plain;
        if (round % 3 == 2) {
            names.insert(names.end(), strays.begin(), strays.end());
        }
        for (const std::string& name : names) {
            const auto pick = random() % 3;
            if (pick == 0) {
                continue;
            }
            const std::wstring path = L"\\\\?\\" + win32::widen(sim.path("sim\\Gauges\\" + name));
            ::CloseHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
            if (pick == 1 && name.ends_with(".gau")) {
                panelText += "gauge00=" + name.substr(0, name.size() - 4) + "!x\n";
                kept.push_back(name);
            }
        }
        if (round % 3 == 1) {
            try {
                sim.symlink(sim.path(random() % 2 ? "Library/Shared.gau" : "sim/Gauges/Unused.gau"),
                            "sim/Gauges/Link.gau");
            } catch (const std::logic_error&) {
            }
        }
        sim.write("sim/Aircraft/A/panel/PANEL.CFG", panelText);
        const Names before = sim.names("sim/Gauges");
        const test::CommandEnd scanned = scan();
        if (scanned.completed()) {
            window.prompter.answers = {true, false};
            ASSERT_TRUE(removeUnused().completed());
            std::sort(kept.begin(), kept.end());
            EXPECT_EQ(sim.names("sim/Gauges"), kept);
            ++removals;
        } else {
            EXPECT_EQ(scanned.errorCode(), 75);
            EXPECT_EQ(sim.names("sim/Gauges"), before) << scanned.errorText();
        }
        EXPECT_EQ(sim.read("Library/Shared.gau"), "shared");
    }
    EXPECT_GE(removals, 5);  // the trees without links or strays are always removed from
}

}  // namespace
}  // namespace zelk
