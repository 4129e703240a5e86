// Generates many small simulator folders at random and checks Scan and removal against a
// simple model of what must happen, written here independently of the program's code.
//
// ZELK_PROPERTY_TREES (default 300) and ZELK_PROPERTY_SEED (default 1) choose the trees; a
// failure prints the seed of its tree, and ZELK_PROPERTY_SEED=<seed> ZELK_PROPERTY_TREES=1
// replays exactly that tree.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <set>

#include "app/CommandLine.h"
#include "platform/TextEncoding.h"
#include "platform/VisibleName.h"
#include "removal/Removal.h"
#include "scan/UnusedScan.h"
#include "support/CommandRun.h"
#include "support/FaultyDisk.h"
#include "support/ScriptedWindow.h"
#include "support/TempTree.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

// Gauge names written as paths: those that Windows resolves GAUGES\\<path><name>.gau into GAUGES.
const std::vector<std::string> kPathsIntoGauges = {".\\", "..\\GAUGES\\", "../gauges./",
                                                   "Sub\\..\\\\", "..\\..\\sim\\Gauges\\"};
const std::vector<std::string> kPathsElsewhere = {"Sub\\", "..\\", "..\\..\\GAUGES\\"};

int environmentNumber(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// ---------------------------------------------------------------------------------------
// The generator.

// A gauge with a zero-width space (U+200B), and how the list shows each name that would fool
// its reader: a line break, terminal escapes, a right-to-left override, bytes that are no UTF-8.
const std::string kZeroWidth = "Zero\xe2\x80\x8bWidth";
const std::map<std::string, std::string> kShownAs = {
    {kZeroWidth, "Zero\\u200BWidth"},
    {"Clock\n", "Clock\\n"},
    {"\x1b[1A\x1b[2KRadar", "\\x1B[1A\\x1B[2KRadar"},
    {"Radio\xe2\x80\xaekab", "Radio\\u202Ekab"},
    {"M\xfcller", "M\\xFCller"},
    {"Wysoko\x9c\xe6", "Wysoko\\x9C\\xE6"},
};

class TreeGenerator {
public:
    TreeGenerator(unsigned seed, const test::TempTree& tree) : random_(seed), tree_(tree) {}

    void generate() {
        tree_.mkdir("sim/Aircraft");
        const int aircraft = chance(5) ? 0 : pick(1, 4);
        for (int a = 0; a < aircraft; ++a) {
            makeAircraft(oneOf({"Cessna", "cessna2", "LEAR", "Glider", "Camel"}) +
                         std::to_string(a));
        }
        if (chance(4)) {  // a second aircraft folder spelled another way
            tree_.mkdir("sim/" + oneOf({"AIRCRAFT", "aircraft"}));
        }
        if (chance(3)) {  // an aircraft on a disk that is not mounted
            tree_.symlink(tree_.path("unmounted/Plane"), "sim/Aircraft/Unmounted");
        }
        const std::string gauges = oneOf({"Gauges", "GAUGES", "gauges"});
        makeGauges(gauges);
        if (chance(3)) {  // a second gauges folder spelled another way
            tree_.mkdir("sim/" + std::string(gauges == "Gauges" ? "GAUGES" : "Gauges"));
        }
        tree_.write("outside/shared.gau", "outside");
        tree_.mkdir("outside/dir");
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    std::string oneOf(std::initializer_list<std::string> options) {
        return *(options.begin() + pick(0, static_cast<int>(options.size()) - 1));
    }

    // Names beyond ASCII are written as their author's Windows wrote them: Windows-1252
    // "Müller", Windows-1250 "Wysokość", Windows-1251 "Высота", Windows-1253
    // "Ανεμος" (a final sigma); in a UTF-16 panel, as text. Now and then a name is a path.
    std::string gaugeName() {
        if (chance(15)) {
            const auto& paths = chance(60) ? kPathsIntoGauges : kPathsElsewhere;
            return paths[pick(0, static_cast<int>(paths.size()) - 1)] + oneOf({"Clock", "Fuel"});
        }
        if (utf16_) {
            return oneOf({"Clock", "ALT", "M\xc3\xbcller", "Wysoko\xc5\x9b\xc4\x87",
                          "\xd0\x92\xd1\x8b\xd1\x81\xd0\xbe\xd1\x82\xd0\xb0",
                          "\xce\x91\xce\xbd\xce\xb5\xce\xbc\xce\xbf\xcf\x82", kZeroWidth, ""});
        }
        return oneOf({"Clock", "clock", "Alt", "ALT", "Fuel", "Radio 2", "Vsi", "M\xfcller",
                      "Wysoko\x9c\xe6", "\xc2\xfb\xf1\xee\xf2\xe0", "\xc1\xed\xe5\xec\xef\xf2",
                      kZeroWidth, "gauge_bg.bmp", ""});
    }

    std::string lineEnd() { return oneOf({"\r\n", "\n", "\r"}); }

    std::string panelLine(int index) {
        const std::string key = oneOf({"gauge", "Gauge", "GAUGE"}) + std::to_string(index);
        const std::string name = gaugeName();
        switch (pick(0, 11)) {
            case 0:
                return key + "= " + name + " !" + name + ", 1, 2";
            case 1:
                return key + " =\t" + name + "\t, 10, 20";
            case 2:
                return key + "=" + name;  // no delimiter at all
            case 3:
                return "// the " + oneOf({"gauges", "Gauge list"}) + " of this panel";
            case 4:
                return oneOf({"[Window00]", "[VCOCKPIT1]", "file=panel_bg.bmp", ""});
            case 5:
                return key + "!x=" + name + ",1";  // a delimiter before the "="
            case 6:
                return std::string(utf16_ ? "junk\x01" : "junk\x01\xff") + key;
            case 10:  // a value in quotes, as Windows' profile functions read it without them
                return key + "=" + oneOf({"\"", "'"}) + name + oneOf({"!x, 1, 2\"", "'", ""});
            case 11:  // the profile functions end a line at a NUL
                return key + "=" + name + std::string(1, '\0') + oneOf({"junk!x", ", 1"});
            case 7:
                return key + "=" + name + ", 1, 2 // " + oneOf({"keep!", "!", "a,b!c"});
            default:
                return key + "=" + name + "!" + name + ", " + std::to_string(index) + ", 5";
        }
    }

    // 8-bit, UTF-8 with its mark, or UTF-16 with its mark (now and then a byte too long).
    std::string panelFile() {
        if (chance(10)) {
            return "";
        }
        const int encoding = pick(0, 9);
        utf16_ = encoding >= 8;
        std::string content = panelText();
        if (utf16_) {
            const auto order = encoding == 8 ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
            content = (encoding == 8 ? "\xFF\xFE" : "\xFE\xFF") +
                      utf8ToUtf16(content, order).value() + (chance(5) ? "x" : "");
        }
        return encoding == 7 ? "\xEF\xBB\xBF" + content : content;
    }

    std::string panelText() {
        std::string content;
        if (chance(60)) {  // a section, in which gauge keys may load gauges
            content = oneOf({"[Window01]", "[vcockpit02]", "[Window]"}) + "\n";
        }
        const int lines = pick(1, 8);
        for (int i = 0; i < lines; ++i) {
            content += panelLine(i);
            if (i + 1 < lines || chance(70)) {
                content += lineEnd();
            }
        }
        return content;
    }

    void makeAircraft(const std::string& name) {
        const std::string base = "sim/Aircraft/" + name;
        tree_.mkdir(base);
        const int subfolders = chance(10) ? 0 : pick(1, 3);
        for (int s = 0; s < subfolders; ++s) {
            const std::string sub = base + "/" +
                                    oneOf({"panel", "Panel", "PANEL.1", "model", "sound"}) +
                                    std::to_string(s);
            tree_.mkdir(sub);
            if (chance(85)) {
                tree_.write(sub + "/" + oneOf({"PANEL.CFG", "panel.cfg", "Panel.Cfg"}),
                            panelFile());
            }
            if (chance(10) && !tree_.exists(sub + "/Panel.cfg")) {  // another copy, read too
                tree_.write(sub + "/Panel.cfg", panelFile());
            }
            if (chance(5) && !tree_.exists(sub + "/PANEL.CFG")) {  // a folder is no panel
                tree_.write(sub + "/PANEL.CFG/readme.txt", "gauge00=InFolder!x\n");
            }
            if (chance(2) && !tree_.exists(sub + "/panel.CFG")) {
                tree_.symlink(tree_.path(sub + "/panel.CFG"), sub + "/panel.CFG");  // a loop
            }
            if (chance(20)) {
                tree_.write(sub + "/deeper/PANEL.CFG", "gauge00=Deep!Deep\n");  // never read
            }
        }
        if (chance(2)) {
            tree_.symlink(tree_.path("unmounted/panel"), base + "/unmounted panel");
        }
        if (chance(2)) {
            tree_.write(base + "/pan\\el/PANEL.CFG", panelFile());  // no Windows path names it
        }
        if (chance(20)) {
            tree_.write(base + "/PANEL.CFG", "gauge00=Direct!Direct\n");  // never read
        }
    }

    void makeGauges(const std::string& folder) {
        const std::string base = "sim/" + folder;
        tree_.mkdir(base);
        const int files = pick(0, 12);
        for (int f = 0; f < files; ++f) {
            std::string name =
                oneOf({"Clock", "clock", "Alt", "Fuel", "Radio 2", "Vsi", "M\xfcller",
                       "M\xc3\xbcller", "Wysoko\xc5\x9b\xc4\x87", "WYSOKO\xc5\x9a\xc4\x86",
                       "Wysoko\x9c\xe6", "\xd0\x92\xd1\x8b\xd1\x81\xd0\xbe\xd1\x82\xd0\xb0",
                       "\xd0\x92\xd0\xab\xd0\xa1\xd0\x9e\xd0\xa2\xd0\x90", "Deep", "Direct",
                       "Unused", "Radar"});
            if (chance(10)) {  // a name that would fool a reader of the list
                name =
                    oneOf({kZeroWidth, "Clock\n", "\x1b[1A\x1b[2KRadar", "Radio\xe2\x80\xaekab"});
            }
            name += std::to_string(pick(0, 1) == 0 ? 0 : f);
            if (name.back() == '0') {
                name.pop_back();
            }
            if (chance(15)) {  // ΑΝΕΜΟΣ, Ανεμοσ, ΑΝΕΜΟΙ
                name = oneOf({"\xce\x91\xce\x9d\xce\x95\xce\x9c\xce\x9f\xce\xa3",
                              "\xce\x91\xce\xbd\xce\xb5\xce\xbc\xce\xbf\xcf\x83",
                              "\xce\x91\xce\x9d\xce\x95\xce\x9c\xce\x9f\xce\x99"});
            }
            name += oneOf({".gau", ".GAU", ".Gau", ".gau.bak", ".txt", "", ".cab", ".CAB", ".Dll",
                           ".cab.bak"});
            const std::string path = base + "/" + name;
            if (tree_.exists(path)) {
                continue;
            }
            tree_.write(path, "gauge " + name);
            if (chance(25)) {
                tree_.makeReadOnly(path);
            }
        }
        if (chance(30)) {
            tree_.write(base + "/Sub/Clock.gau", "in a subfolder");
        }
        if (chance(20) && !tree_.exists(base + "/Fuel.cab")) {
            tree_.write(base + "/Fuel.cab/Clock.gau", "in a folder named like a cabinet");
        }
        const std::string link = base + "/" + oneOf({"Link.gau", "Clock.gau", "linked.txt"});
        if (chance(30) && !tree_.exists(link)) {
            tree_.symlink(tree_.path("outside/shared.gau"), link);
        }
        if (chance(20)) {
            tree_.symlink(tree_.path("outside/dir"), base + "/LinkedDir");
        }
        if (chance(20)) {
            tree_.symlink(tree_.path("nowhere"), base + "/Dangling.gau");
        }
    }

    std::mt19937 random_;
    const test::TempTree& tree_;
    bool utf16_ = false;
};

// ---------------------------------------------------------------------------------------
// The model.

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::vector<std::string> splitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        lines.push_back(current);
    }
    return lines;
}

std::string trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && (text[first] == ' ' || text[first] == '\t')) {
        ++first;
    }
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) {
        --last;
    }
    return text.substr(first, last - first);
}

std::optional<std::string> referenceOf(const std::string& line) {
    if (lower(line).find("gauge") == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    const std::size_t start = equals == std::string::npos ? 0 : equals + 1;
    std::size_t end = line.size();
    for (std::size_t i = start; i < line.size(); ++i) {
        if (line[i] == '!' || line[i] == ',') {
            end = i;
            break;
        }
    }
    return trim(line.substr(start, end - start));
}

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Which gauge a name beyond ASCII stands for, by how the generator spells each one: in the
// panels in its author's code page, on disk in UTF-8 of any case or as the panel's bytes.
// Windows takes a final sigma for a sigma in any case.
const std::map<std::string, std::string> kSpellings = {
    {"\xc1\xed\xe5\xec\xef\xf2", "#anemos"},
    {"\xce\x91\xce\xbd\xce\xb5\xce\xbc\xce\xbf\xcf\x82", "#anemos"},
    {"\xce\x91\xce\x9d\xce\x95\xce\x9c\xce\x9f\xce\xa3", "#anemos"},
    {"\xce\x91\xce\xbd\xce\xb5\xce\xbc\xce\xbf\xcf\x83", "#anemos"},
    {"M\xfcller", "#muller"},
    {"M\xc3\xbcller", "#muller"},
    {"Wysoko\x9c\xe6", "#wysokosc"},
    {"Wysoko\xc5\x9b\xc4\x87", "#wysokosc"},
    {"WYSOKO\xc5\x9a\xc4\x86", "#wysokosc"},
    {"\xc2\xfb\xf1\xee\xf2\xe0", "#vysota"},
    {"\xd0\x92\xd1\x8b\xd1\x81\xd0\xbe\xd1\x82\xd0\xb0", "#vysota"},
    {"\xd0\x92\xd0\xab\xd0\xa1\xd0\x9e\xd0\xa2\xd0\x90", "#vysota"},
};

// What Windows' profile functions may make of a name: the line ended at a NUL, the quotes
// around a value dropped; and for each, the file in GAUGES that it names as a path.
std::vector<std::string> spellingsOf(const std::string& name) {
    const std::string cut = trim(name.substr(0, name.find('\0')));
    std::vector<std::string> spellings{name, cut};
    for (std::string spelling : {name, cut}) {
        if (!spelling.empty() && (spelling[0] == '"' || spelling[0] == '\'')) {
            const char quote = spelling[0];
            spelling.erase(0, 1);
            if (!spelling.empty() && spelling.back() == quote) {
                spelling.pop_back();
            }
            spellings.push_back(trim(spelling));
        }
    }
    for (std::size_t i = 0, read = spellings.size(); i < read; ++i) {
        for (const std::string& prefix : kPathsIntoGauges) {
            if (spellings[i].starts_with(prefix)) {
                spellings.push_back(spellings[i].substr(prefix.size()));
            }
        }
    }
    return spellings;
}

// What the simulator loads from a panel, each once: "gaugeNN" keys in "[WindowNN]" and
// "[VcockpitNN]" sections, each line up to its first NUL, a value without its pair of quotes.
std::vector<std::string> loadedGauges(const std::string& text) {
    static const std::regex window("(window|vcockpit)[0-9]+", std::regex::icase),
        gauge("gauge[0-9]+[ \t]*=(.*)", std::regex::icase), quoted("(\"|')(.*)\\1");
    std::vector<std::string> loaded;
    bool inWindow = false;
    for (const std::string& whole : splitLines(text)) {
        const std::string line = trim(whole.substr(0, whole.find('\0')));
        std::smatch key, value;
        if (line.starts_with('[')) {
            inWindow = std::regex_match(trim(line.substr(1, line.find(']') - 1)), window);
        } else if (inWindow && std::regex_match(line, key, gauge)) {
            std::string text = trim(key[1]);
            text = std::regex_match(text, value, quoted) ? std::string(value[2]) : text;
            const std::string name = trim(text.substr(0, text.find_first_of("!,")));
            if (!name.empty() && std::find(loaded.begin(), loaded.end(), name) == loaded.end()) {
                loaded.push_back(name);
            }
        }
    }
    return loaded;
}

std::string identityOf(const std::string& name) {
    if (isAscii(name)) {
        return lower(name);
    }
    const auto known = kSpellings.find(name);
    return known != kSpellings.end() ? known->second : "bytes:" + lower(name);
}

// A path as the list shows it: quoted whole when its name must not be shown as it is.
std::string shownPath(const fs::path& path) {
    const std::string name = path.filename().string();
    for (const auto& [odd, shown] : kShownAs) {
        if (name.starts_with(odd)) {
            return "$'" + path.parent_path().string() + "/" + shown + name.substr(odd.size()) + "'";
        }
    }
    return path.string();
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Expected {
    std::set<int> errors;  // the Scan stops with one of these; empty when it completes
    int panels = 0;
    int gauges = 0;
    std::set<std::string> unused;
    std::map<std::string, std::set<std::string>> identitiesOf;  // by panel path
    std::set<std::string> usedLines;                            // "<gauge file>  <-  <panel file>"
    std::map<std::string, std::vector<std::string>> loadedBy;   // by panel path
    std::multiset<std::string> missingLines;  // "<gauge>  <-  <panel file>[  (outside GAUGES)]"
};

std::vector<fs::directory_entry> entriesOf(const fs::path& folder) {
    std::vector<fs::directory_entry> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
        entries.push_back(entry);
    }
    return entries;
}

std::vector<fs::directory_entry> named(const fs::path& folder, const std::string& name) {
    std::vector<fs::directory_entry> found;
    for (const auto& entry : entriesOf(folder)) {
        if (lower(entry.path().filename().string()) == lower(name)) {
            found.push_back(entry);
        }
    }
    return found;
}

// A link whose target is missing, or a loop of links.
bool cannotBeFollowed(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_symlink() && !fs::exists(entry.path(), error);
}

bool isFolder(const fs::directory_entry& entry) {
    std::error_code error;
    return fs::is_directory(entry.path(), error);
}

// The folders below an aircraft-tree folder; an entry that may be one but cannot be reached
// expects the Scan to stop.
std::vector<fs::path> subFolders(const fs::path& folder, Expected& expected) {
    std::vector<fs::path> found;
    for (const auto& entry : entriesOf(folder)) {
        if (cannotBeFollowed(entry)) {
            expected.errors.insert(76);
        } else if (isFolder(entry)) {
            if (entry.path().filename().string().find('\\') != std::string::npos) {
                expected.errors.insert(52);
            }
            found.push_back(entry.path());
        }
    }
    return found;
}

void readPanels(const fs::path& folder, std::set<std::string>& names, Expected& expected) {
    for (const auto& entry : named(folder, "PANEL.CFG")) {
        std::error_code error;
        if (cannotBeFollowed(entry)) {
            expected.errors.insert(53);
        } else if (fs::is_regular_file(entry.path(), error)) {
            const std::string content = readAll(entry.path());
            const TextMark mark = textMarkOf(content);
            const auto text = mark.encoding == TextMark::Encoding::Utf16
                                  ? utf16ToUtf8(content.substr(2), mark.order)
                                  : content.substr(mark.length);
            if (!text) {
                expected.errors.insert(57);
                continue;
            }
            expected.loadedBy[entry.path().string()] = loadedGauges(*text);
            auto& identities = expected.identitiesOf[entry.path().string()];
            for (const std::string& line : splitLines(*text)) {
                if (const auto name = referenceOf(line)) {
                    names.insert(*name);
                    for (const std::string& spelling : spellingsOf(*name)) {
                        identities.insert(identityOf(spelling));
                    }
                }
            }
        } else if (!isFolder(entry)) {
            expected.errors.insert(75);
        }
    }
}

// A gauge is there when a file directly in GAUGES keeps one of its spellings, or, for
// "Sub\<name>", GAUGES\Sub holds <name>.gau.
void addMissing(const fs::path& gauges, const std::set<std::string>& installed,
                Expected& expected) {
    for (const auto& [panel, loaded] : expected.loadedBy) {
        for (const std::string& name : loaded) {
            bool kept = name.starts_with("Sub\\") &&
                        fs::is_regular_file(gauges / "Sub" / (name.substr(4) + ".gau"));
            for (const std::string& spelling : spellingsOf(name)) {
                kept = kept || installed.contains(identityOf(spelling));
            }
            const bool outside = name.starts_with("..\\..\\GAUGES\\") ||
                                 (name.starts_with("..\\") && name.rfind('\\') == 2);
            if (!kept) {
                expected.missingLines.insert(visibleName(name) + "  <-  " + panel +
                                             (outside ? "  (outside GAUGES)" : ""));
            }
        }
    }
}

Expected model(const fs::path& sim) {
    Expected expected;
    const auto aircraftFolders = named(sim, "AIRCRAFT");
    const auto gaugesFolders = named(sim, "GAUGES");
    if (aircraftFolders.size() > 1 || gaugesFolders.size() > 1) {
        expected.errors.insert(75);
        return expected;
    }
    std::set<std::string> names;
    for (const fs::path& aircraft : subFolders(aircraftFolders.front().path(), expected)) {
        ++expected.panels;
        for (const fs::path& sub : subFolders(aircraft, expected)) {
            readPanels(sub, names, expected);
        }
    }
    if (expected.errors.empty() && (expected.panels == 0 || names.empty())) {
        expected.errors.insert(9);
    }
    expected.gauges = static_cast<int>(names.size());
    std::set<std::string> referenced;
    for (const std::string& name : names) {
        for (const std::string& spelling : spellingsOf(name)) {
            referenced.insert(identityOf(spelling));
        }
    }
    std::set<std::string> installed;  // the identities of the gauge files
    for (const auto& entry : entriesOf(gaugesFolders.front().path())) {
        const std::string name = entry.path().filename().string();
        const std::string extension = name.size() >= 4 ? lower(name.substr(name.size() - 4)) : "";
        const bool gaugeFile = extension == ".gau" || extension == ".cab" || extension == ".dll";
        const std::string stem = gaugeFile ? name.substr(0, name.size() - 4) : "";
        if (!entry.is_regular_file()) {  // follows links; dangling ones are neither
            continue;
        }
        if (gaugeFile) {
            installed.insert(identityOf(stem));
        }
        if (!(gaugeFile && referenced.contains(identityOf(stem)))) {
            expected.unused.insert(name);
        }
        for (const auto& [panel, identities] : expected.identitiesOf) {
            if (gaugeFile && identities.contains(identityOf(stem))) {
                expected.usedLines.insert(shownPath(entry.path()) + "  <-  " + panel);
            }
        }
    }
    addMissing(gaugesFolders.front().path(), installed, expected);
    return expected;
}

// Every entry below a folder, without following links: what it is and what it holds.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string key = it->path().lexically_relative(root).string();
        if (it->is_symlink()) {
            entries[key] = "link to " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            entries[key] = "folder";
        } else {
            entries[key] = "file " + readAll(it->path());
        }
    }
    return entries;
}

// ---------------------------------------------------------------------------------------

// The dry run lists each file to remove on one line, shown so that it cannot hide, and names
// for every file that stays each panel that keeps it, none for one that goes, and what is missing.
void checkListedLines(const fs::path& sim, const fs::path& gauges, const Expected& expected) {
    const CommandLine line{CommandLine::Action::List, true, true, sim.string(), {}};
    const CommandLineResult result = runCommandLine(line, test::realAccess(), {});
    std::vector<std::string> lines = splitLines(result.out);
    ASSERT_GE(lines.size(), 3u) << result.err;
    std::set<std::string> listed, used, toRemove;
    const auto missing = std::find_if(lines.begin() + 3, lines.end(), [](const std::string& text) {
        return text.starts_with("Missing: ");
    });
    ASSERT_NE(missing, lines.end());
    for (auto text = lines.begin() + 3; text != missing; ++text) {
        (text->find("  <-  ") == std::string::npos ? listed : used).insert(*text);
    }
    for (const std::string& name : expected.unused) {
        toRemove.insert(shownPath(gauges / name));
    }
    EXPECT_EQ(listed, toRemove);
    EXPECT_EQ(used, expected.usedLines);
    EXPECT_EQ(*missing, "Missing: " + std::to_string(lines.end() - missing - 1));
    EXPECT_EQ(std::multiset<std::string>(missing + 1, lines.end()), expected.missingLines);
}

struct Tally {
    int stopped = 0;
    int nothingToRemove = 0;
    int removals = 0;
    int filesDeleted = 0;
    int changedBeforeYes = 0;
    int removalsStopped = 0;
};

// What another program does between the Scan and Yes, and how the removal must end then: 0 when
// it deletes every listed file, else the error it stops with before the first deletion; nothing
// when nothing was changed.
std::optional<int> changeBetweenScanAndYes(unsigned seed, const test::TempTree& tree,
                                           const fs::path& gauges,
                                           const std::set<std::string>& unused) {
    std::mt19937 random(seed * 2654435761u);
    const fs::path listed = gauges / *std::next(unused.begin(), random() % unused.size());
    switch (random() % 8) {
        case 0:
            fs::remove(listed);
            return 53;
        case 1:
            tree.write((gauges / "Added meanwhile.gau").lexically_relative(tree.root()), "new");
            return 0;
        case 2:
            fs::remove(listed);
            fs::create_directory(listed);
            return 75;
        case 3:  // a link is deleted as the link, never what it leads to
            fs::remove(listed);
            fs::create_symlink(tree.path("outside/shared.gau"), listed);
            return 0;
        case 4:  // another folder renamed into its place, holding the same names
            fs::rename(gauges, gauges.string() + ".old");
            fs::copy(gauges.string() + ".old", gauges,
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks);
            return 75;
        default:
            return std::nullopt;
    }
}

void checkOneTree(unsigned seed, Tally& tally) {
    SCOPED_TRACE("replay with ZELK_PROPERTY_SEED=" + std::to_string(seed) +
                 " ZELK_PROPERTY_TREES=1");
    test::TempTree tree;
    TreeGenerator(seed, tree).generate();
    const fs::path sim = tree.path("sim");
    const Expected expected = model(sim);
    auto before = snapshot(tree.root());

    RunState state;
    state.SimFolder = sim.string();
    test::ScriptedWindow window;
    const DiskAccess access = test::realAccess();
    const CommandContext context{state, window, window.prompter, access};
    if (expected.errors.empty() && expected.unused.empty()) {
        window.prompter.answers = {false};  // No to "None files to remove"
    }
    const test::CommandEnd scanned = test::runCommand([&] { runScanCommand(context); });

    if (!expected.errors.empty()) {
        EXPECT_TRUE(expected.errors.contains(scanned.errorCode()))
            << scanned.errorCode() << " " << scanned.errorText();
        EXPECT_FALSE(window.command2Enabled);
        EXPECT_EQ(snapshot(tree.root()), before);
        ++tally.stopped;
        return;
    }
    const fs::path gauges = named(sim, "GAUGES").front().path();
    ASSERT_TRUE(scanned.completed()) << scanned.errorText();
    EXPECT_EQ(window.panels[1], "Panels: " + std::to_string(expected.panels));
    EXPECT_EQ(window.panels[2], "Gauges: " + std::to_string(expected.gauges));
    EXPECT_EQ(window.panels[3], expected.unused.empty()
                                    ? std::string("Zelk: None")
                                    : "Zelk: " + std::to_string(expected.unused.size()));
    EXPECT_EQ(window.command2Enabled, !expected.unused.empty());
    checkListedLines(sim, named(sim, "GAUGES").front().path(), expected);
    ++(expected.unused.empty() ? tally.nothingToRemove : tally.removals);
    int stopsWith = 0;
    if (!expected.unused.empty()) {
        EXPECT_EQ(snapshot(tree.root()), before);
        const std::optional<int> change =
            changeBetweenScanAndYes(seed, tree, gauges, expected.unused);
        before = snapshot(tree.root());
        tally.changedBeforeYes += change ? 1 : 0;
        stopsWith = change.value_or(0);
        window.prompter.answers = {true};
        if (stopsWith == 0) {
            window.prompter.answers.push_back(false);
            tally.filesDeleted += static_cast<int>(expected.unused.size());
        }
        const test::CommandEnd removed = test::runCommand([&] { runRemovalCommand(context); });
        EXPECT_EQ(removed.errorCode(), stopsWith) << removed.errorText();
        tally.removalsStopped += stopsWith != 0 ? 1 : 0;
    }

    // Exactly the model's unused files are gone, or none of them when the removal stopped;
    // everything else is as it was, outside GAUGES and in a folder put in its place.
    const auto after = snapshot(tree.root());
    const std::string gaugesKey = gauges.lexically_relative(tree.root()).string();
    std::set<std::string> deleted;
    for (const auto& [path, what] : before) {
        const auto now = after.find(path);
        if (now == after.end()) {
            deleted.insert(path);
        } else {
            EXPECT_EQ(now->second, what) << path;
        }
    }
    std::set<std::string> expectedDeleted;
    for (const std::string& name : expected.unused) {
        if (stopsWith == 0) {
            expectedDeleted.insert(gaugesKey + "/" + name);
        }
    }
    EXPECT_EQ(deleted, expectedDeleted);
    EXPECT_EQ(after.size(), before.size() - deleted.size());  // nothing new appeared
}

TEST(PropertyTest, ScanAndRemovalAgreeWithTheModelOnRandomTrees) {
    const int trees = environmentNumber("ZELK_PROPERTY_TREES", 300);
    const auto firstSeed = static_cast<unsigned>(environmentNumber("ZELK_PROPERTY_SEED", 1));
    Tally tally;
    for (int i = 0; i < trees && !HasFatalFailure(); ++i) {
        const unsigned seed = firstSeed + static_cast<unsigned>(i);
        try {
            checkOneTree(seed, tally);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "exception: " << error.what();
        }
        if (HasFailure()) {
            ADD_FAILURE() << "first failing tree: seed " << seed;
            break;
        }
    }
    std::printf(
        "%d trees from seed %u: %d removals (%d files deleted; %d after a change made between "
        "the Scan and Yes, %d of them stopped before the first deletion), %d with nothing to "
        "remove, %d stopped by an error\n",
        trees, firstSeed, tally.removals, tally.filesDeleted, tally.changedBeforeYes,
        tally.removalsStopped, tally.nothingToRemove, tally.stopped);
    EXPECT_GT(tally.removalsStopped, 0);
}

}  // namespace
}  // namespace zelk
