#include "BenchTree.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>

#include "FlushToDisk.h"

namespace fs = std::filesystem;

namespace bench {
namespace {

const char* const kAircraftFolder = "Aircraft";
const char* const kGaugesFolder = "Gauges";

// Fixed sequences of pseudo-random numbers, so that every run builds the same tree. Bench
// panels keep the generator they have always had (the same trees as earlier measurements);
// its low bits repeat quickly, so realistic panels, which draw several numbers per line,
// take theirs from a Mersenne twister.
class BenchSequence {
public:
    int below(int bound) {
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<int>(seed_ % static_cast<unsigned>(bound));
    }

private:
    unsigned seed_ = 12345;
};

class RealisticSequence {
public:
    int below(int bound) { return static_cast<int>(twister_() % static_cast<unsigned>(bound)); }

private:
    std::mt19937 twister_{12345};
};

std::string gaugeName(int index) {
    return "Gauge_" + std::to_string(index);
}

int referencedPool(const TreeSize& size) {
    return size.gaugeFiles * 2 / 3;
}

std::string twoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::string benchPanel(const TreeSize& size, BenchSequence& random) {
    std::string panel = "[Window Titles]\r\nWindow00=Main Panel\r\n\r\n[Window00]\r\n";
    panel += "file=panel_bg.bmp\r\nsize_mm=640,480\r\n";
    for (int line = 0; line < size.linesPerPanel; ++line) {
        const int gauge = random.below(referencedPool(size));
        panel += "gauge" + std::to_string(line) + "=" + gaugeName(gauge) + "!" + gaugeName(gauge) +
                 ", " + std::to_string(line * 7) + ", 20, 60\r\n";
    }
    return panel;
}

constexpr std::array<const char*, 4> kWindowTitles = {"Main Panel", "Radio Stack", "GPS",
                                                      "Overhead"};
constexpr std::array<const char*, 4> kWindowIdents = {"MAIN_PANEL", "RADIO_STACK", "GPS_PANEL",
                                                      "OVERHEAD_PANEL"};
constexpr std::array<const char*, 10> kSubGauges = {
    "Airspeed", "Altimeter", "Attitude", "Heading", "VSI", "Turn", "Clock", "Fuel", "Oil", "RPM"};

std::string windowHeader(int window) {
    std::string text = "[Window" + twoDigits(window) + "]\r\n";
    text += "file=panel_bg" + twoDigits(window) + ".bmp\r\n";
    text += "size_mm=640,480\r\nposition=7\r\nvisible=" + std::string(window == 0 ? "1" : "0");
    text += "\r\nident=" + std::string(kWindowIdents[static_cast<std::size_t>(window)]) + "\r\n";
    text += "\r\n; gauges of the " + std::string(kWindowTitles[static_cast<std::size_t>(window)]) +
            "\r\n";
    return text;
}

// A few names keep another case, as hand-edited panels do; only a few, so that the distinct
// names a Scan collects stay well inside its 16-bit limit.
std::string realisticGaugeName(int gauge) {
    return gauge % 50 == 0 ? "GAUGE_" + std::to_string(gauge) : gaugeName(gauge);
}

std::string realisticGaugeLine(int slot, int gauge, RealisticSequence& random) {
    std::string line = "gauge" + twoDigits(slot) + "=" + realisticGaugeName(gauge);
    if (random.below(10) != 0) {
        line += "!";
        line += kSubGauges[static_cast<std::size_t>(random.below(10))];
    }
    line += ", " + std::to_string(10 + slot * 70 % 600) + "," + std::to_string(20 + slot % 4 * 90);
    line += random.below(3) == 0 ? ",60,60" : ", 60, 60";
    return line + "\r\n";
}

std::string realisticComment(const TreeSize& size, RealisticSequence& random) {
    switch (random.below(4)) {
        case 0:
            return "// needle lag fixed\r\n";
        case 1:
            return "\r\n";
        case 2:
            return "//gauge99=" + gaugeName(random.below(referencedPool(size))) +
                   "!Old, 0,0,10,10\r\n";
        default:
            return "; moved to the left\r\n";
    }
}

std::string realisticPanel(int aircraft, const TreeSize& size, RealisticSequence& random) {
    const int windows = static_cast<int>(kWindowTitles.size());
    std::string panel = "// Panel of Plane" + std::to_string(aircraft) + "\r\n";
    panel += "// Edited with a text editor\r\n\r\n[Window Titles]\r\n";
    for (int w = 0; w < windows; ++w) {
        panel +=
            "Window" + twoDigits(w) + "=" + kWindowTitles[static_cast<std::size_t>(w)] + "\r\n";
    }
    int window = -1;
    int slot = 0;
    for (int line = 0; line < size.linesPerPanel; ++line) {
        const int wanted = line * windows / size.linesPerPanel;
        if (wanted != window) {
            window = wanted;
            slot = 0;
            panel += "\r\n" + windowHeader(window);
        }
        if (random.below(8) == 0) {
            panel += realisticComment(size, random);
        }
        panel += realisticGaugeLine(slot++, random.below(referencedPool(size)), random);
    }
    panel += "\r\n[Views]\r\nVIEW_FORWARD_WINDOWS=MAIN_PANEL,RADIO_STACK,GPS_PANEL\r\n";
    panel += "\r\n[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=8192\r\nSIZE_Y=2292\r\n";
    return panel;
}

// The files every aircraft has of its own, directly in its folder.
void writeAircraftFiles(const fs::path& folder, int index) {
    const std::string name = "Plane" + std::to_string(index);
    writeFile(folder / "aircraft.cfg", "[fltsim.0]\r\ntitle=" + name + "\r\nsim=" + name + "\r\n");
    writeFile(folder / (name + ".air"), "");
    writeFile(folder / "readme.txt", "Install into the AIRCRAFT folder.\r\n");
}

void writePanel(const fs::path& folder, int index, const std::string& panel) {
    fs::create_directories(folder / "panel");
    writeFile(folder / "panel" / (index % 2 == 0 ? "PANEL.CFG" : "panel.cfg"), panel);
}

void writeAircraft(const fs::path& folder, int index, const std::string& panel) {
    for (const char* sub : {"model", "sound", "texture"}) {
        fs::create_directories(folder / sub);
    }
    writePanel(folder, index, panel);
    writeFile(folder / "model" / "plane.mdl", "");
    writeFile(folder / "sound" / "sound.cfg", "[sound]\r\n");
    for (int t = 0; t < 10; ++t) {
        writeFile(folder / "texture" / ("plane_t" + std::to_string(t) + ".bmp"), "");
    }
    writeAircraftFiles(folder, index);
}

// The model and its textures lie beside the aircraft's files, with only the panel in a folder.
void writePanelOnlyAircraft(const fs::path& folder, int index, const std::string& panel) {
    writePanel(folder, index, panel);
    writeFile(folder / "plane.mdl", "");
    writeFile(folder / "plane_t0.bmp", "");
    writeAircraftFiles(folder, index);
}

}  // namespace

const char* styleName(PanelStyle style) {
    return style == PanelStyle::Bench ? "bench panels" : "realistic panels";
}

const char* shapeName(FolderShape shape) {
    return shape == FolderShape::AllFolders ? "model, panel, sound, texture folders"
                                            : "one panel folder per aircraft";
}

void generateTree(const fs::path& root, const TreeSize& size, PanelStyle style, FolderShape shape) {
    fs::remove_all(root);
    BenchSequence benchRandom;
    RealisticSequence realisticRandom;
    const fs::path aircraft = root / kAircraftFolder;
    for (int a = 0; a < size.aircraft; ++a) {
        const std::string panel = style == PanelStyle::Bench
                                      ? benchPanel(size, benchRandom)
                                      : realisticPanel(a, size, realisticRandom);
        const fs::path folder = aircraft / ("Plane" + std::to_string(a));
        if (shape == FolderShape::AllFolders) {
            writeAircraft(folder, a, panel);
        } else {
            writePanelOnlyAircraft(folder, a, panel);
        }
    }
    writeFile(aircraft / "readme.txt", "One folder per aircraft.\r\n");
    fs::create_directories(root / kGaugesFolder);
    for (int g = 0; g < size.gaugeFiles; ++g) {
        writeFile(root / kGaugesFolder / (gaugeName(g) + ".gau"), "");
    }
    flushToDisk();
}

void restoreGaugeFiles(const fs::path& root, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        writeFile(root / kGaugesFolder / name, "");
    }
    flushToDisk();
}

}  // namespace bench
