#include "scan/GaugeRule.h"

#include "scan/GaugeMatch.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

using namespace std::string_literals;
using Names = std::vector<std::string>;

struct LineCase {
    std::string line;
    std::optional<std::string> name;
    Names also = {};  // the name's other spellings
};

class GaugeNameTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(GaugeNameTest, TakesTheNameBetweenEqualsAndTheFirstDelimiterAfterIt) {
    const auto name = gaugeNameOf(GetParam().line);
    EXPECT_EQ(name, GetParam().name) << GetParam().line;
    const OtherSpellings other = otherSpellingsOf(name.value_or(""));
    EXPECT_EQ(Names(other.begin(), other.end()), GetParam().also) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    PanelLines, GaugeNameTest,
    ::testing::Values(
        // Well-formed references.
        LineCase{"gauge00=Airspeed!Airspeed, 10, 20", "Airspeed"},
        LineCase{"gauge01=Compass, 200, 20", "Compass"},
        LineCase{"gauge02=Radio,1,2!Radio", "Radio"},  // the first comma field ends it
        LineCase{"gauge03=!Clock, 5, 5", ""},
        LineCase{"gauge!Clock", "gauge"},  // no "=": the name starts at the line's start
        LineCase{"gauge07=Clock,!x", "Clock"},
        // A "!" in a trailing comment does not swallow the commas.
        LineCase{"gauge00=Radio, 10, 20   // do not remove!", "Radio"},
        LineCase{"gauge01=Clock,30,40,50,50 ;Important!", "Clock"},
        // Lines that are no gauge reference.
        LineCase{"file=c182_bg.bmp", std::nullopt}, LineCase{"[Window00]", std::nullopt},
        LineCase{"", std::nullopt}, LineCase{"gaug=Clock!Clock", std::nullopt},
        LineCase{"gau ge=Clock!Clock", std::nullopt},
        // "gauge" found where the search must not skip past it.
        LineCase{"gaugauge=Vsi!x", "Vsi"}, LineCase{"ggaugE=Hsi,1", "Hsi"},
        LineCase{"xgGAUGE=Adf!x", "Adf"},
        // The simulator reads keys without regard to case.
        LineCase{"Gauge04=Fuel!Fuel", "Fuel"}, LineCase{"GAUGE05=Fuel2,1,1", "Fuel2"},
        // Blanks around the name are not part of it.
        LineCase{"gauge05= Clock!Clock", "Clock"},
        LineCase{"gauge00 = Airspeed!Airspeed", "Airspeed"},
        LineCase{"gauge08=\tAttitude \t,1,1", "Attitude"},
        LineCase{"gauge09=My Radio!x", "My Radio"}, LineCase{"gauge10=   !x", ""},
        // No delimiter after the "=": the name runs to the line's end.
        LineCase{"gauge06=Clock", "Clock"}, LineCase{"file=gauge_bg.bmp", "gauge_bg.bmp"},
        LineCase{"// gauges of the main panel",
                 "// gauges of the main panel",
                 {" gauges of the main panel"}},
        // A delimiter before the "=" does not end the name.
        LineCase{"gauge!11=Turn,1,1", "Turn"}, LineCase{"gauge,12=Vsi!Vsi", "Vsi"},
        LineCase{"x!gauge=Clock,1", "Clock"},
        // 8-bit bytes pass through untouched.
        LineCase{"gauge13=M\xfcller!x", "M\xfcller"},
        // Windows' profile functions drop quotes around a whole value and end a line at a NUL.
        LineCase{"gauge00=\"Alpha!Needle, 10, 10\"", "\"Alpha", {"Alpha"}},
        LineCase{"gauge01='Alpha'", "'Alpha'", {"Alpha"}}, LineCase{"gauge02=Alpha'", "Alpha'"},
        LineCase{"gauge03=Bravo\0junk!x"s, "Bravo\0junk"s, {"Bravo"}},
        LineCase{"gauge04=\" Bravo \0\"!x"s, "\" Bravo \0\""s, {"\" Bravo", "Bravo \0"s, "Bravo"}},
        // A path: the file directly in GAUGES that Windows resolves GAUGES\<name>.gau to, if any.
        LineCase{"gauge=.\\Foo!A", ".\\Foo", {"Foo"}}, LineCase{"gauge=Sub\\Foo", "Sub\\Foo"},
        LineCase{"gauge=..\\gauges\\Foo!B", "..\\gauges\\Foo", {"Foo"}},
        LineCase{"gauge=Foo. /..\\\\Baz", "Foo. /..\\\\Baz", {"Baz"}},
        LineCase{"gauge=..\\..\\FS2000\\Gauges.\\X", "..\\..\\FS2000\\Gauges.\\X", {"X"}},
        LineCase{"gauge=\"..\\GAUGES\\Q\"", "\"..\\GAUGES\\Q\"", {"..\\GAUGES\\Q", "Q"}},
        LineCase{"gauge=..\\Foo", "..\\Foo"}));

struct FileCase {
    const char* file;
    std::optional<std::string> gauge;
};

class GaugeOfFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(GaugeOfFileTest, LowersTheWholeNameAndNeedsAGaugeExtension) {
    EXPECT_EQ(loweredGaugeOfFile(GetParam().file), GetParam().gauge) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(FileNames, GaugeOfFileTest,
                         ::testing::Values(FileCase{"Airspeed.gau", "airspeed"},
                                           FileCase{"AIRSPEED.GAU", "airspeed"},
                                           FileCase{"Clock.Gau", "clock"}, FileCase{".gau", ""},
                                           FileCase{"My Radio.gau", "my radio"},
                                           FileCase{"Airspeed.gau.bak", std::nullopt},
                                           FileCase{"readme.txt", std::nullopt},
                                           FileCase{"gau", std::nullopt},
                                           FileCase{"Airspeedgau", std::nullopt}));

struct MatchCase {
    const char* file;
    bool accounted;
};

class GaugeMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(GaugeMatchTest, AccountsForAFileByItsGaugeNameInAnyCaseAndEitherEncoding) {
    NameList gauges;
    Int16 count;
    // As panels write them: Windows-1252 bytes, and one name that is already UTF-8.
    // Windows-1250 "Wysokość" and Windows-1251 "Высота", as Polish and Russian panels hold them.
    for (const char* gauge : {"Airspeed", "clock", "", "H\xf6he", "\xd6L", "Caf\xc3\xa9",
                              "\x8a"
                              "koda",
                              "Wysoko\x9c\xe6", "\xc2\xfb\xf1\xee\xf2\xe0"}) {
        gauges.add(count, gauge);
    }
    for (const std::string& gauge : {"\"Quoted"s, "Nul\0junk"s, "\xd0\xf4\xccng"s, "\xf9\xd1"s}) {
        gauges.add(count, gauge);  // quoted, cut by a NUL, Windows-1258 and 1255 with marks
    }
    gauges.add(count, "\xc1\xed\xe5\xec\xef\xf2");  // Windows-1253 "Ανεμος", with a final sigma
    gauges.add(count, "\xb5Volt");                  // Windows-1252, with the micro sign
    const GaugeMatch match(gauges);
    EXPECT_EQ(match.accountsFor(GetParam().file), GetParam().accounted) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Files, GaugeMatchTest,
    ::testing::Values(
        MatchCase{"Airspeed.gau", true}, MatchCase{"AIRSPEED.GAU", true},
        MatchCase{"Clock.Gau", true}, MatchCase{".gau", true}, MatchCase{"Compass.gau", false},
        MatchCase{"Airspeed.gau.bak", false}, MatchCase{"readme.txt", false},
        // Gauges in a cabinet, or a library, as later simulator versions look for them.
        MatchCase{"Airspeed.cab", true}, MatchCase{"AIRSPEED.CAB", true},
        MatchCase{"clock.dll", true}, MatchCase{"Airspeed.cab.bak", false},
        MatchCase{"Compass.cab", false}, MatchCase{"WYSOKO\xc5\x9a\xc4\x86.Cab", true},
        MatchCase{"H\xc3\xb6he.gau", true},   // UTF-8 on disk, 1252 in the panel
        MatchCase{"H\xf6he.gau", true},       // the same bytes as the panel
        MatchCase{"H\xc3\x96HE.GAU", true},   // capitals, Ö included
        MatchCase{"\xc3\xb6l.gau", true},     // "öl" for a panel's "ÖL"
        MatchCase{"CAF\xc3\x89.gau", true},   // a UTF-8 panel name in capitals
        MatchCase{"\xc5\xa1koda.gau", true},  // Š from byte 0x8A, lowered
        MatchCase{"Hohe.gau", false}, MatchCase{"H\xc3\xa4he.gau", false},
        MatchCase{"H\xc3.gau", false},                  // broken UTF-8 keeps nothing
        MatchCase{"Wysoko\xc5\x9b\xc4\x87.gau", true},  // Wysokość
        MatchCase{"WYSOKO\xc5\x9a\xc4\x86.GAU", true},  // WYSOKOŚĆ
        MatchCase{"Wysoko\x9c\xe6.gau", true},          // the panel's bytes
        MatchCase{"\xd0\x92\xd1\x8b\xd1\x81\xd0\xbe\xd1\x82\xd0\xb0.gau", true},  // Высота
        MatchCase{"\xd0\x92\xd0\xab\xd0\xa1\xd0\x9e\xd0\xa2\xd0\x90.gau", true},  // ВЫСОТА
        MatchCase{"\xd0\x92\xd1\x8b\xd1\x81\xd0\xbe\xd1\x82\xd1\x8b.gau",
                  false},  // Высоты, another word
        MatchCase{"QUOTED.gau", true}, MatchCase{"nul.dll", true}, MatchCase{"junk.gau", false},
        // Vietnamese "Đồng" and Hebrew shin with its dot as Windows spells them, a letter and then
        // its combining mark (Windows-1258 and 1255 bytes in the panel).
        MatchCase{"\xc4\x90\xc3\xb4\xcc\x80ng.gau", true}, MatchCase{"\xd7\xa9\xd7\x81.gau", true},
        // Windows upper-cases a final sigma to a capital sigma, but not the micro sign to a mu.
        MatchCase{"\xce\x91\xce\x9d\xce\x95\xce\x9c\xce\x9f\xce\xa3.gau", true},  // ΑΝΕΜΟΣ
        MatchCase{"\xc2\xb5VOLT.gau", true}, MatchCase{"\xce\x9cVOLT.gau", false}));

}  // namespace
}  // namespace zelk
