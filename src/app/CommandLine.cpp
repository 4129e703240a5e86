#include "app/CommandLine.h"

#include <array>
#include <filesystem>

#include "app/EventGuard.h"
#include "app/MissingGauges.h"
#include "app/PanelReferences.h"
#include "app/RemovalPreview.h"
#include "app/WindowLayout.h"
#include "core/ProgramInfo.h"
#include "platform/VisibleName.h"
#include "scan/UnusedScan.h"

namespace zelk {
namespace {

constexpr const char* kUsage =
    "Usage: zelkgauges [--list [--used] [--missing] [FOLDER]]\n"
    "\n"
    "Without options, opens the Zelk Gauges window.\n"
    "\n"
    "  --list [FOLDER]  Scan FOLDER (by default the remembered simulator folder, else the\n"
    "                   default one) and print the three counts of the status bar and every\n"
    "                   file that Zelk would remove, one full path a line, in the order it\n"
    "                   removes them. Deletes nothing and changes no setting.\n"
    "  --used           With --list: also print each gauge file in use and each panel file\n"
    "                   that refers to it, as \"GAUGE  <-  PANEL\".\n"
    "  --missing        With --list: then print \"Missing: N\" and each gauge that a panel\n"
    "                   loads and GAUGES lacks, as \"NAME  <-  PANEL\", the name as the\n"
    "                   panel writes it; \"  (outside GAUGES)\" ends the line of a name\n"
    "                   that leads out of GAUGES.\n"
    "  --help           Print this help.\n"
    "  --version        Print the version.\n";

// The help's last line: which settings file this copy of the program keeps its folder in.
std::string settingsFileLine(const DiskAccess& access, const SettingsFolders& folders) {
    const SettingsFileInUse settings = settingsFileInUse(access, folders);
    std::string line = "Settings file: " + settings.file;
    if (settings.exists) {
        return line + " (exists)\n";
    }
    line += " (not written yet";
    if (!settings.readFile.empty()) {
        line += "; until then the folder is read from " + settings.readFile;
    }
    return line + ")\n";
}

CommandLine badUsage(std::string problem) {
    CommandLine line;
    line.action = CommandLine::Action::BadUsage;
    line.problem = std::move(problem);
    return line;
}

CommandLine withAction(CommandLine::Action action) {
    CommandLine line;
    line.action = action;
    return line;
}

// The status bar's texts as the Scan leaves them; nothing else is shown.
class StatusTexts : public WindowOps {
public:
    StatusTexts() {
        for (std::size_t i = 0; i < texts_.size(); ++i) {
            texts_[i] = layout::kStatusPanels[i].text;
        }
    }
    std::string lines() const { return texts_[0] + "\n" + texts_[1] + "\n" + texts_[2] + "\n"; }

    void setProgressMax(ProgressBarId, float) override {}
    void setProgressValue(ProgressBarId, float) override {}
    void setPanelText(StatusPanel panel, const std::string& text) override {
        texts_[static_cast<std::size_t>(panel) - 1] = text;
    }
    void setCommand2Enabled(bool) override {}

private:
    std::array<std::string, 3> texts_;
};

// Shows nothing: a question is answered No (which changes nothing), the picker is cancelled,
// and the error that stops the Scan is kept for standard error.
class Unattended : public Prompter {
public:
    std::string error;

    bool ask(const std::string&) override { return false; }
    void showError(int number, const std::string& text) override {
        error = "Error " + std::to_string(number) + ": " + text + "\n";
    }
    std::optional<std::string> pickFolder(const std::string&) override { return std::nullopt; }
};

// Tells each watch that the options asked for of the panels the Scan reads.
class PanelWatches : public PanelWatch {
public:
    void add(PanelWatch& watch) { watches_.push_back(&watch); }
    bool empty() const { return watches_.empty(); }

    void lineRead(std::string_view line) override {
        for (PanelWatch* watch : watches_) {
            watch->lineRead(line);
        }
    }
    void panelRead(const File& panel, NameList names) override {
        for (PanelWatch* watch : watches_) {
            watch->panelRead(panel, names);
        }
    }

private:
    std::vector<PanelWatch*> watches_;
};

std::string currentFolder() {
    const std::u8string folder = std::filesystem::current_path().u8string();
    return {folder.begin(), folder.end()};
}

std::string simFolderFor(const CommandLine& line, const DiskAccess& access,
                         const SettingsFolders& folders) {
    if (!line.folder) {
        return rememberedSimFolder(access, folders);
    }
    return isRelativePath(*line.folder) ? currentFolder() + "\\" + *line.folder : *line.folder;
}

CommandLineResult listFilesToRemove(const CommandLine& line, const DiskAccess& access,
                                    const SettingsFolders& folders) {
    RunState state;
    StatusTexts window;
    Unattended prompter;
    PanelReferences references;
    MissingGauges missing;
    PanelWatches watches;
    if (line.used) {
        watches.add(references);
    }
    if (line.missing) {
        watches.add(missing);
    }
    const CommandContext context{state, window, prompter, access,
                                 watches.empty() ? nullptr : &watches};
    std::string out;
    const HandlerOutcome outcome = runGuarded(prompter, [&] {
        state.SimFolder = simFolderFor(line, access, folders);
        runScanCommand(context);
        out = window.lines();
        for (const File& file : filesToRemove(state)) {
            out += visibleName(file.Path()) + "\n";
        }
        // The gauges folder the Scan listed, not another one put in its place since.
        if (line.used) {
            out += references.usedFiles(*state.ScannedGauges, state.UnusedList);
        }
        if (line.missing) {
            out += missing.report(*state.ScannedGauges, access);
        }
    });
    if (outcome == HandlerOutcome::Failed) {
        return {kScanStoppedStatus, {}, prompter.error};
    }
    return {0, out, {}};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool list = false;
    bool optionsEnd = false;
    std::vector<std::string> folders;
    for (const std::string& argument : arguments) {
        if (optionsEnd || argument.size() < 2 || argument[0] != '-') {
            folders.push_back(argument);
        } else if (argument == "--") {
            optionsEnd = true;
        } else if (argument == "--help" || argument == "-h") {
            return withAction(CommandLine::Action::Help);
        } else if (argument == "--version") {
            return withAction(CommandLine::Action::Version);
        } else if (argument == "--list") {
            list = true;
        } else if (argument == "--used") {
            line.used = true;
        } else if (argument == "--missing") {
            line.missing = true;
        } else {
            return badUsage("unknown option " + argument);
        }
    }
    if (!list) {
        return line.used || line.missing || !folders.empty()
                   ? badUsage("a folder, --used and --missing go with --list")
                   : line;
    }
    if (folders.size() > 1) {
        return badUsage("--list takes one folder");
    }
    line.action = CommandLine::Action::List;
    if (!folders.empty()) {
        line.folder = folders.front();
    }
    return line;
}

CommandLineResult runCommandLine(const CommandLine& line, const DiskAccess& access,
                                 const SettingsFolders& folders) {
    switch (line.action) {
        case CommandLine::Action::Help:
            return {0, kUsage + ("\n" + settingsFileLine(access, folders)), {}};
        case CommandLine::Action::Version:
            return {0,
                    std::string(kProgramTitle) + " " + std::to_string(kVersionMajor) + "." +
                        std::to_string(kVersionMinor) + "." + std::to_string(kVersionPatch) + "." +
                        std::to_string(kVersionTweak) + "\n",
                    {}};
        case CommandLine::Action::List:
            return listFilesToRemove(line, access, folders);
        case CommandLine::Action::BadUsage:
        case CommandLine::Action::Window:
            break;
    }
    return {kUsageStatus, {}, "zelkgauges: " + line.problem + "\n" + kUsage};
}

std::string outputLostText(const std::string& reason) {
    return "zelkgauges: the output could not be written (" + reason + ")\n";
}

}  // namespace zelk
