#include "bullpen/arsenal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "recording_canvas.h"
#include "bullpen/arsenal_command.h"
#include "bullpen/arsenal_csv.h"
#include "bullpen/arsenal_fit.h"
#include "bullpen/column_guess.h"
#include "bullpen/session_compare.h"
#include "session/pitch_session.h"
#include "test_support.h"

namespace ball {
namespace {

struct Boxes {
    test::RecordingCanvas side, top, catcher;
    Views views() { return {side, top, catcher}; }
};

// Each vocabulary, unit, sign, encoding and delimiter, read to the same pitch in our terms: a
// 145 km/h pitch breaking 40 cm up and 20 cm to the catcher's left (the pitcher's right, as
// devices and our own columns give it), read off at 1:00.
TEST(Bullpen, ReadsWhatDevicesAndSpreadsheetsSave) {
    const struct {
        const char* name;
        std::string bytes;
        std::optional<double> tiltMinutes;
        std::vector<int> skipped;
    } cases[] = {
        {"TrackMan: mph, inches, + to the pitcher's right, tagged type",
         "Pitcher,PitcherThrows,TaggedPitchType,RelSpeed,SpinRate,Tilt,InducedVertBreak,"
         "HorzBreak,Extension\r\n"
         "\"Sato, Kenta\",Right,Fastball,90.0988,2300,1:00,15.748031,7.874016,6.2\r\n",
         60,
         {}},
        {"TrackMan: the device's type where the tag is Undefined, the tilt from SpinAxis",
         "Pitcher,PitcherThrows,TaggedPitchType,AutoPitchType,RelSpeed,SpinAxis,"
         "InducedVertBreak,HorzBreak\n"
         "\"Sato, Kenta\",Right,Undefined,Fastball,90.0988,210,15.748031,7.874016\n",
         60,
         {}},
        {"our own in Japanese, a byte-order mark, tabs, a blank line, two bad rows",
         "\xEF\xBB\xBF投手\t利き腕\t球種\t速度\t回転数\t回転方向\t縦の変化量\t横の変化量\n"
         "Sato, Kenta\tRight\tFastball\t145\t2300\t1:00\t40\t20\n\n"
         "Sato, Kenta\tRight\tFastball\t145\t\t1:00\t40\t20\n"
         "Sato, Kenta\tRight\tFastball\t145\t2300\t1:00\t40\t151\n",
         60,
         {4, 5}},
        {"our own in English, semicolons and decimal commas, a quoted line end",
         "pitcher;hand;type;speed_kmh;efficiency_pct;ivb_cm;hb_cm\r\n"
         "\"Sato,\r\nKenta\";Right;Fastball;145,0;95;40,0;20\r\n"
         "\"Sato, Kenta\";Right;;145;95;40;20\r\n",
         std::nullopt,
         {4}},
        {"Shift_JIS as a spreadsheet saves it",
         "\x93\x8a\x8e\xe8\x2c\x8b\x85\x8e\xed\x2c\x91\xac\x93\x78\x2c\x8f\x63\x82\xcc\x95\xcf"
         "\x89\xbb\x97\xca\x2c\x89\xa1\x82\xcc\x95\xcf\x89\xbb\x97\xca\r\n"
         "\x8d\xb2\x93\xa1,Fastball,145,40,20\r\n",
         std::nullopt,
         {}},
        {"Statcast: the breaks over the whole flight from its fit, its release side turned, a "
         "row without the fit and one with text in it skipped, never read as zeros",
         "pitch_type,pitch_name,player_name,p_throws,release_speed,spin_axis,release_pos_x,"
         "release_pos_z,release_extension,vx0,vy0,vz0,ax,ay,az\n"
         "FF,Fastball,\"Sato, Kenta\",R,90.0988,210,-2.0,5.8,6.5,5,-135,-5,-8.042337,28,-16.089326\n"
         "FF,Fastball,\"Sato, Kenta\",R,90.0988,210,-2.0,5.8,6.5,,-135,-5,-8.042337,28,-16.089326\n"
         "FF,Fastball,\"Sato, Kenta\",R,90.0988,210,-2.0,5.8,6.5,5,fast,-5,-8.042337,28,-16.089326\n",
         60,
         {3, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CsvTable table = parseCsv(c.bytes);
        const std::optional<ColumnMap> map = knownColumns(table.header);
        ASSERT_TRUE(map);
        const Bullpen b = readBullpen(table, *map);
        EXPECT_EQ(b.skippedLines, c.skipped);
        ASSERT_EQ(b.pitches.size(), 1u);
        const BullpenPitch& p = b.pitches[0];
        EXPECT_EQ(p.type, "Fastball");
        EXPECT_NEAR(p.speedKmh, 145, 1e-4);
        EXPECT_NEAR(p.verticalCm, 40, 1e-4);
        EXPECT_NEAR(p.horizontalCm, -20, 1e-4);
        EXPECT_EQ(p.tiltMinutes, c.tiltMinutes);
        EXPECT_TRUE(p.pitcher.starts_with("Sato,") || p.pitcher == "佐藤") << p.pitcher;
        if (map->releaseSideFromCatcher) {
            EXPECT_NEAR(*p.relSideM, 2.0 * 0.3048, 1e-12);
        }
    }
    EXPECT_EQ(parseCsv("\x93\x8a\x8e\xe8,x\n").header[0], "投手");
    std::string fields;
    for (std::size_t i = 0; i < kMaxCsvFields + 5; ++i) fields += "a,";
    const CsvTable wide = parseCsv(fields + "\n1\n");
    EXPECT_TRUE(wide.cut);
    EXPECT_EQ(wide.header.size(), kMaxCsvFields);
    EXPECT_FALSE(knownColumns({"when", "where", "speed"}));
    ColumnMap mine = *knownColumns(parseCsv(cases[0].bytes).header);
    mine.breaks = LengthUnit::Foot;
    EXPECT_EQ(parseColumnMap(columnMapText(mine)), mine);
}

// Text that is not quite right is read as far as it goes and said: a stray byte in UTF-8 does
// not make it Shift_JIS, a NUL cannot cut a name, a quote never closed does not swallow the
// rows after it; what is not text is not read at all.
TEST(Bullpen, TextNotQuiteRightIsReadAndSaid) {
    const struct {
        const char* name;
        std::string bytes;
        const char* first;  // the first row's first field
        std::size_t rows;
        const char* encoding;
        int badByteLine;
        int unclosedQuoteLine;
        bool binary;
    } cases[] = {
        {"UTF-8 with a stray byte", "投手,x\n佐藤\x82,1\n鈴木,2\n", "佐藤\uFFFD", 2, "UTF-8", 2, 0,
         false},
        {"a NUL in a name", std::string("p,x\nSa\0to,1\n", 12), "Sa\uFFFDto", 1, "UTF-8", 0, 0,
         false},
        {"a quote never closed", "p,x\n\"Sato,1\nMori,2\nIto,3\n", "\"Sato", 3, "UTF-8", 0, 2,
         false},
        {"a doubled quote and a blank before the quote", "p,x\n \"Sato \"\"Ace\"\", K\",1\n",
         "Sato \"Ace\", K", 1, "UTF-8", 0, 0, false},
        {"UTF-16", std::string("p\0,\0x\0\n\0", 8), "", 0, "UTF-8", 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CsvTable t = parseCsv(c.bytes);
        EXPECT_EQ(t.binary, c.binary);
        EXPECT_EQ(t.rows.size(), c.rows);
        if (!t.rows.empty()) {
            EXPECT_EQ(t.rows[0][0], c.first);
        }
        EXPECT_EQ(t.encoding, c.encoding);
        EXPECT_EQ(t.badByteLine, c.badByteLine);
        EXPECT_EQ(t.unclosedQuoteLine, c.unclosedQuoteLine);
    }
    // What a spreadsheet would run is written as text; numbers stay numbers.
    const std::pair<const char*, const char*> written[] = {
        {"=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
        {"@SUM(A1)", "'@SUM(A1)"},  {"-x", "'-x"},   {"+1", "+1"},
        {"-20.19", "-20.19"},        {"\tx", "'\tx"}, {"Sato, Kenta", "\"Sato, Kenta\""},
    };
    for (const auto& [field, csv] : written) EXPECT_EQ(csvField(field), csv);
}

// Each limit holds at its edge, on the side it names.
TEST(Bullpen, LimitsHoldAtTheirEdges) {
    const auto rowsOf = [](std::size_t n) {
        std::string text = "type,speed_kmh,ivb_cm,hb_cm\n";
        for (std::size_t i = 0; i < n; ++i) text += "FB,145,40,-20\n";
        return text;
    };
    EXPECT_FALSE(parseCsv(rowsOf(kMaxCsvRows)).cut);
    EXPECT_TRUE(parseCsv(rowsOf(kMaxCsvRows + 1)).cut);
    const std::vector<int> twenty(20, 7), more(21, 7);
    EXPECT_EQ(skippedRowsMessage(twenty, Language::Japanese).find("ほか"), std::string::npos);
    EXPECT_NE(skippedRowsMessage(more, Language::Japanese).find("ほか"), std::string::npos);
    std::string types = "type,speed_kmh,ivb_cm,hb_cm\n";
    for (int t = 0; t < kMaxTypesPerPitcher; ++t) types += "id" + std::to_string(t) + ",145,40,-20\n";
    const CsvTable table = parseCsv(types);
    EXPECT_FALSE(typeExcess(groupArsenal(readBullpen(table, *knownColumns(table.header)))));
}

// A header the program does not know is guessed for the user to check: Rapsodo's export after
// its lines about the player, and a Japanese spreadsheet's, units from the names.
TEST(Bullpen, GuessesWhatAHeaderSays) {
    const CsvTable rapsodo = withHeaderFound(parseCsv(
        "Player Name:,Sato Kenta\nDate:,2026-12-01\n\n"
        "No,Pitch Type,Velocity (mph),Total Spin,Spin Efficiency (release),Spin Direction,"
        "VB (spin),HB (spin),VB (trajectory),HB (trajectory),Release Height,Release Side,"
        "Release Extension (ft),Strike Zone Side,Strike Zone Height\n"
        "1,Fastball,92,2300,95,1:00,17,8,16,9,5.9,1.8,6.1,-0.3,2.6\n"));
    ASSERT_EQ(rapsodo.rows.size(), 1u);
    EXPECT_EQ(rapsodo.lines[0], 5);
    const ColumnMap m = guessColumns(rapsodo.header);
    const std::pair<Role, int> said[] = {
        {Role::Type, 1},       {Role::Speed, 2},      {Role::Spin, 3},     {Role::Efficiency, 4},
        {Role::Tilt, 5},       {Role::Vertical, 8},   {Role::Horizontal, 9},
        {Role::RelHeight, 10}, {Role::Extension, 12}, {Role::PlateSide, 13}, {Role::Pitcher, -1}};
    for (const auto& [role, column] : said) EXPECT_EQ(m[role], column) << static_cast<int>(role);
    EXPECT_EQ(m.speed, SpeedUnit::Mph);
    EXPECT_EQ(m.release, LengthUnit::Foot);
    const ColumnMap ja = guessColumns({"選手", "球種", "球速", "縦変化 (cm)", "横変化 (cm)"});
    EXPECT_TRUE(ja.usable());
    EXPECT_EQ(ja[Role::Speed], 2);
}

// The command line: a file that cannot be used changes nothing and exits 1, naming why.
TEST(Bullpen, CommandLineRefusesWhatItCannotUse) {
    test::ScopedWorkDir dir;
    test::writeFile("none.csv", "type,speed_kmh,ivb_cm,hb_cm\n,145,40,-20\nx,0,40,-20\n");
    test::writeFile("strange.csv", "a,b\n1,2\n");
    std::string many = "type,speed_kmh,ivb_cm,hb_cm\n";
    for (int t = 0; t <= kMaxTypesPerPitcher; ++t)
        many += "id" + std::to_string(t) + ",145,40,-20\n";
    test::writeFile("many.csv", many);
    const struct {
        const char* file;
        const char* said;
    } cases[] = {
        {"missing.csv", "file not found"},
        {"none.csv", "'none.csv' has no usable row"},
        {"strange.csv", "neither TrackMan's nor ballview's"},
        {"many.csv", "has more than 20 pitch types (by line 22)"},
        {"empty.csv", "'empty.csv' is empty"},
        {"binary.csv", "'binary.csv' is not text"},
        {"large.csv", "neither TrackMan's nor ballview's"},  // one line of 16 MiB
    };
    test::writeFile("empty.csv", "\r\n");
    test::writeFile("binary.csv", std::string("t\0y\0p\0e\0,\0", 10));  // UTF-16
    test::writeFile("large.csv", std::string((16u << 20) + 1, 'x'));
    for (const auto& c : cases) {
        const CommandResult r = arsenalCommand(c.file, false, Language::English);
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
    }
    EXPECT_NE(arsenalCommand("none.csv", false, Language::English).err.find("skipped 2 rows"),
              std::string::npos);
    // A header it can guess: refused all the same, with the guess as an option that reads it.
    test::writeFile("guessed.csv", "Pitch Type,Velocity (mph),VB,HB\nFB,92,16,9\n");
    const std::string guessed = arsenalCommand("guessed.csv", false, Language::English).err;
    const std::size_t at = guessed.find("--columns \"");
    ASSERT_NE(at, std::string::npos) << guessed;
    const std::string option = guessed.substr(at + 11, guessed.rfind('"') - at - 11);
    EXPECT_EQ(arsenalCommand("guessed.csv", false, Language::English, {.option = option}).status,
              0)
        << option;
    // Columns it does not know, named on the command line: units and signs as named.
    test::writeFile("device.csv", "Player;Pitch Type;Velocity;VB;HB\nSato;FB;90;16;8\n");
    const struct {
        const char* columns;
        const char* said;  // on standard output, else on standard error
        int status;
    } named[] = {
        {"pitcher=Player,type=Pitch Type,speed=Velocity:mph,ivb=VB:in,hb=HB:in:pitcher",
         "Sato,,FB,1,144.84,,,40.64,20.32,", 0},
        {"type=Pitch Type,speed=Velocity,ivb=VB:cm,hb=HB:in", "one unit for all of them", 1},
        {"type=Pitch Type,speed=Velocity:knots,ivb=VB,hb=HB", "km/h, mph or m/s", 1},
        {"type=Pitch Type,speed=Speed,ivb=VB,hb=HB", "no column of that name", 1},
        {"type=Pitch Type,speed=Velocity", "type, speed, ivb and hb are needed", 1},
    };
    for (const auto& n : named) {
        const CommandResult r = arsenalCommand("device.csv", false, Language::English,
                                                {.option = n.columns, .remembered = {}});
        EXPECT_EQ(r.status, n.status) << n.columns;
        EXPECT_NE((n.status ? r.err : r.out).find(n.said), std::string::npos) << r.out << r.err;
    }
}

// A file past 16 MiB, read a block at a time, gives what the same text read whole gives: rows
// with quoted line ends across the blocks' edges, skipped rows by their lines; the window keeps
// its first rows, says where it stopped, and fits one pitcher at first where there are many.
TEST(Bullpen, ReadsAFileOfAnySizeAsAStream) {
    test::ScopedWorkDir dir;
    std::string text = "pitcher,type,speed_kmh,ivb_cm,hb_cm,note\n";
    const std::string note(1000, 'x');
    for (int i = 0; text.size() <= 16u << 20; ++i) {
        text += i % 2 ? "A," : "\"B\",";
        text += i % 3 ? "FB," : "SL,";
        text += std::to_string(140 + i % 9) + "." + std::to_string(i % 7) + ',';
        text += i % 1001 == 5 ? "," : std::to_string(30 + i % 11) + ',';  // skipped
        text += std::to_string(-20 + i % 5) + ',';
        text += i % 7 ? note + '\n' : "\"a \"\"quote\"\"\nand a line end 投球\"\n";
    }
    text += "A,CU,120,-30,10,\n";  // the last row counts too
    test::writeFile("season.csv", text);
    const CsvTable whole = parseCsv(text);
    Arsenal expected = groupArsenal(readBullpen(whole, *knownColumns(whole.header)));
    fitArsenal(expected);
    const CommandResult r = arsenalCommand("season.csv", false, Language::English);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, arsenalCsv(expected));
    EXPECT_EQ(r.err, "ballview: " + skippedRowsMessage(expected.bullpen.skippedLines,
                                                      Language::English) + "\n");
    const SessionImport window = importSession("season.csv", "season.csv", Language::English, {},
                                               {.mostRows = 10000, .mostTypes = 3});
    ASSERT_TRUE(window.arsenal);
    EXPECT_EQ(window.arsenal->pitcher, "B");  // four types in all: the first pitcher's at first
    EXPECT_EQ(window.arsenal->types.size(), 2u);
    EXPECT_EQ(window.arsenal->bullpen.pitches.size() + window.arsenal->bullpen.skippedLines.size(),
              10000u);
    EXPECT_NE(window.notes[0].find("only the first 10000 rows (to line " +
                                   std::to_string(whole.lines[9999]) + ")"),
              std::string::npos)
        << window.notes[0];
    // A limit on a block's edge still says where it stopped.
    CsvStream blocks("season.csv");
    CsvTable first;
    ASSERT_TRUE(blocks.next(first));
    const SessionImport edge = importSession("season.csv", "season.csv", Language::English, {},
                                             {.mostRows = first.rows.size()});
    ASSERT_TRUE(edge.arsenal);
    EXPECT_NE(edge.notes[0].find("(to line " + std::to_string(first.lines.back()) + ")"),
              std::string::npos)
        << edge.notes[0];
}

// Two sessions compared type by type: the later less the earlier, the tilt the short way round
// the clock, and a type thrown in one session only kept with its count.
TEST(Bullpen, TwoSessionsCompared) {
    const auto bullpen = [](const std::string& rows) {
        const CsvTable t = parseCsv("pitcher,type,speed_kmh,tilt,ivb_cm,hb_cm\n" + rows);
        return readBullpen(t, *knownColumns(t.header));
    };
    const Bullpen before = bullpen("A,FB,145,11:50,40,-20\nA,FB,147,11:50,42,-20\nA,SL,130,9:00,5,10\n");
    const Bullpen after = bullpen("A,CU,118,7:00,-30,10\nA,FB,148,12:10,45,-18\n");
    const std::vector<TypeChange> c = compareSessions(before, after);
    ASSERT_EQ(c.size(), 3u);
    const struct {
        const char* type;
        int before, after;
        std::optional<double> speed, vertical, horizontal;
        std::optional<int> tilt;
    } expected[] = {
        {"FB", 2, 1, 2.0, 4.0, 2.0, 20},
        {"SL", 1, 0, {}, {}, {}, {}},
        {"CU", 0, 1, {}, {}, {}, {}},
    };
    for (std::size_t i = 0; i < c.size(); ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE(e.type);
        EXPECT_EQ(c[i].type, e.type);
        EXPECT_EQ(c[i].countBefore, e.before);
        EXPECT_EQ(c[i].countAfter, e.after);
        EXPECT_EQ(c[i].speedKmh, e.speed);
        EXPECT_EQ(c[i].verticalCm, e.vertical);
        EXPECT_EQ(c[i].horizontalCm, e.horizontal);
        EXPECT_EQ(c[i].tiltMinutes, e.tilt);
    }
    EXPECT_TRUE(compareSessions(before, after, BatterSide::All, "B").empty());
}

// Ball 1 of a pair of means is the pitcher's fastball where it is one of the two (four-seam,
// then sinker, then cutter), else the more thrown type.
TEST(Arsenal, FastballIsBallOne) {
    const struct {
        std::vector<const char*> thrown;
        const char* pairs;
    } cases[] = {
        {{"Slider", "Slider", "Slider", "Sinker", "Sinker", "4-Seam Fastball"},
         "Slider>Sinker 4-Seam Fastball>Slider 4-Seam Fastball>Sinker "},
        {{"TwoSeamFastBall", "TwoSeamFastBall", "FourSeamFastBall"},
         "FourSeamFastBall>TwoSeamFastBall "},
        {{"Curveball", "Curveball", "Cutter", "FC"}, "Cutter>Curveball Curveball>FC Cutter>FC "},
        {{"カーブ", "直球"}, "直球>カーブ "},
    };
    for (const auto& c : cases) {
        std::string text = "type,speed_kmh,ivb_cm,hb_cm\n";
        for (const char* t : c.thrown) text += std::string(t) + ",140,10,10\n";
        const CsvTable table = parseCsv(text);
        const Arsenal a = groupArsenal(readBullpen(table, *knownColumns(table.header)));
        std::string pairs;
        for (const TypePair& p : a.pairs) {
            pairs += a.types[p.first].type + ">" + a.types[p.second].type + " ";
        }
        EXPECT_EQ(pairs, c.pairs);
    }
}

// The columns are asked only where nothing known, given or remembered reads a row, or when the
// user asks again; a remembered answer that reads nothing is asked again.
TEST(Bullpen, ImportAsksOnlyWhereItMust) {
    test::ScopedWorkDir dir;
    test::writeFile("known.csv", "type,speed_kmh,ivb_cm,hb_cm\nFB,145,40,-20\n");
    test::writeFile("device.csv", "kind;kmh;up;side\nFB;145;40;-20\n");
    ColumnMap right, wrong;
    right[Role::Type] = 0, right[Role::Speed] = 1, right[Role::Vertical] = 2;
    right[Role::Horizontal] = 3;
    wrong = right;
    wrong[Role::Speed] = 0;
    const struct {
        const char* file;
        std::optional<ColumnMap> remembered, answer;
        bool again;
        int asked;
        bool read;
    } cases[] = {
        {"known.csv", std::nullopt, right, false, 0, true},
        {"known.csv", std::nullopt, right, true, 1, true},
        {"device.csv", right, right, false, 0, true},
        {"device.csv", wrong, right, false, 1, true},
        {"device.csv", std::nullopt, right, false, 1, true},
        {"device.csv", std::nullopt, std::nullopt, false, 1, false},  // declined: nothing said
    };
    for (const auto& c : cases) {
        int asked = 0;
        ColumnSources columns;
        columns.remembered = [&](const std::vector<std::string>&) { return c.remembered; };
        columns.ask = [&](const CsvTable&, const ColumnMap&) { return ++asked, c.answer; };
        columns.askAgain = c.again;
        const SessionImport in = importSession(c.file, c.file, Language::English, columns);
        EXPECT_EQ(asked, c.asked) << c.file;
        EXPECT_EQ(in.arsenal.has_value(), c.read) << c.file;
        EXPECT_EQ(in.error, "");
    }
}

// A made-up session without release points: each type's model breaks as its mean did, within
// 0.5 cm, and is thrown as the ボール１ button throws it.
TEST(Arsenal, ModelsBreakAsMeasuredAndThrowAsTheButton) {
    test::ScopedWorkDir dir;
    const std::string session =
        "投手,球種,速度,回転方向,縦の変化量,横の変化量\n"
        "A,直球,146,1:10,42,-22\nA,直球,144,1:20,38,-18\nA,直球,145,1:00,40,-20\n"
        "A,カーブ,118,7:00,-30,15\nA,カーブ,122,6:50,-32,17\nA,スライダー,130,9:30,5,14\n"
        // A break no spin gives at that speed: a type without a model.
        "B,遅い球,54,6:00,-150,0\n";
    Arsenal a =
        groupArsenal(readBullpen(parseCsv(session), *knownColumns(parseCsv(session).header)));
    ASSERT_EQ(a.types.size(), 4u);
    EXPECT_EQ(groupArsenal(a.bullpen, BatterSide::All, "B").types.size(), 1u);  // one pitcher
    EXPECT_EQ(a.types[0].type, "直球");
    EXPECT_EQ(a.types[0].count(), 3);
    EXPECT_EQ(a.types[0].tilt, (Clock{1, 10}));
    EXPECT_NEAR(a.types[0].speedSd, 1, 1e-12);
    ASSERT_TRUE(fitArsenal(a, {.threads = 2}));
    for (const PitchType& t : a.types) {
        SCOPED_TRACE(t.type);
        if (t.pitcher == "B") {
            EXPECT_FALSE(t.fitted() || t.modelBreak);
            continue;
        }
        ASSERT_TRUE(t.fitted()) << t.model.error;
        ASSERT_TRUE(t.modelBreak);
        EXPECT_NEAR(t.modelBreak->vertical * 100, t.verticalCm, 0.5);
        EXPECT_NEAR(t.modelBreak->horizontal * 100, t.horizontalCm, 0.5);
    }
    // ★ on the pair whose post-tunnel break is the largest for its tunnel gap.
    ASSERT_EQ(a.pairs.size(), 3u);
    const auto best = std::max_element(a.pairs.begin(), a.pairs.end(), [](auto& x, auto& y) {
        return *x.figures.ratio < *y.figures.ratio;
    });
    for (const TypePair& p : a.pairs) EXPECT_EQ(p.best, &p == &*best);
    // Every model field of the type without a model is empty.
    const std::string csv = arsenalCsv(a);
    EXPECT_NE(csv.find("\nB,,遅い球,1,54.00,,6:00,-150.00,0.00,,,,,,,,,,,,,,,,,,,,\n"),
              std::string::npos)
        << csv;

    // Without release points and plate locations, a type is thrown as the ボール１ button throws
    // its panel, to the bit.
    PitchSession clicks;
    Boxes one;
    ASSERT_TRUE(clicks.runBall1(ball1PanelOf(a, a.types[0]), one.views()).ok());
    const DisplaySet& thrown = a.types[0].thrown->set;
    EXPECT_EQ(clicks.shownBall1()->ntraj.value(), thrown.ntraj.value());
    for (int n = 1; n <= pointCount(thrown); ++n) {
        EXPECT_EQ(clicks.shownBall1()->ztraj[n], thrown.ztraj[n]);
        EXPECT_EQ(clicks.shownBall1()->xtraj[n].value(), thrown.xtraj[n].value());
    }
    EXPECT_EQ(pairsCsv(a).substr(0, pairsCsv(a).find('\n')),
              "pitcher,type1,type2,pairing,count,release_gap_cm,tunnel_gap_cm,plate_gap_cm,"
              "post_tunnel_break_cm,break_tunnel_ratio,arrival_gap_ms,speed_gap_kmh,bounced");
}

// TrackMan's release point and plate location, in feet: each type leaves from its own release
// point (+ to the pitcher's right) and crosses within 1 cm of its location (+ to the catcher's
// right), still breaking as measured.
TEST(Arsenal, EachTypeThrownFromItsReleasePointToItsLocation) {
    test::ScopedWorkDir dir;
    const std::string session =
        "Pitcher,TaggedPitchType,RelSpeed,InducedVertBreak,HorzBreak,RelHeight,RelSide,Extension,"
        "PlateLocHeight,PlateLocSide\n"
        "A,Fastball,93,16,8,6.0,2.0,6.2,2.8,-0.5\nA,Curveball,77,-13,-8,6.1,1.8,5.9,1.5,0.6\n";
    const CsvTable table = parseCsv(session);
    Arsenal a = groupArsenal(readBullpen(table, *knownColumns(table.header)));
    ASSERT_TRUE(fitArsenal(a, {.threads = 1}));
    const double ft = 0.3048;
    const struct {
        double side, height, extension, plateSide, plateHeight;
    } measured[] = {{2.0, 6.0, 6.2, -0.5, 2.8}, {1.8, 6.1, 5.9, 0.6, 1.5}};
    for (int i = 0; i < 2; ++i) {
        const PitchType& t = a.types[i];
        SCOPED_TRACE(t.type);
        ASSERT_TRUE(t.thrown && t.thrown->plate) << t.model.error;
        const DisplaySet& set = t.thrown->set;
        EXPECT_NEAR(-set.xtraj[1].value(), measured[i].side * ft, 1e-6);
        EXPECT_NEAR(set.ytraj[1].value(), measured[i].extension * ft, 1e-6);
        EXPECT_NEAR(set.ztraj[1], measured[i].height * ft, 1e-6);
        const Crossing& plate = *t.thrown->plate;
        EXPECT_LT(std::hypot(-plate.x - measured[i].plateSide * ft,
                             plate.z - measured[i].plateHeight * ft),
                  0.01);
        EXPECT_NEAR(t.modelBreak->vertical * 100, t.verticalCm, 0.5);
        EXPECT_NEAR(t.modelBreak->horizontal * 100, t.horizontalCm, 0.5);
    }
    EXPECT_NEAR(*a.pairs[0].figures.releaseGap, std::hypot(0.2, 0.1) * ft, 1e-6);
    // A type with some of the five and not all says which it lacks; with all or none, nothing.
    PitchType partial = a.types[0];
    EXPECT_EQ(deliveryGapNote(partial, Language::English), "");
    partial.plateSideM.reset();
    EXPECT_FALSE(deliveryOf(partial));
    EXPECT_EQ(deliveryGapNote(partial, Language::English),
              "no plate side: thrown from the model's release point at the target cell");
}

// A made-up game, listed latest first: pairs of type means and of consecutive pitches within one
// plate appearance, in the order of their pitch numbers.
// The fastball and curveball tunnel (ratio above 3), the fastball and changeup part early
// (below 1), and a splitter into the dirt bounces: no plate figures, said.
TEST(Arsenal, PairsOfMeansAndOfConsecutivePitches) {
    test::ScopedWorkDir dir;
    const std::map<std::string, std::string> pitch = {
        {"FB", "93,16,8,6.1,1.9,6.2,2.83,-0.13"},
        {"CU", "77,-13,-7,6.1,1.86,6.1,1.14,0.40"},
        {"CH", "85,8,14,6.15,1.86,6.27,1.65,-0.73"},
        {"SP", "84,2,6,6.1,1.9,6.2,-0.3,0.1"}};
    std::string session =
        "GameID,Inning,PAofInning,PitchofPA,Batter,BatterSide,Pitcher,TaggedPitchType,RelSpeed,"
        "InducedVertBreak,HorzBreak,RelHeight,RelSide,Extension,PlateLocHeight,PlateLocSide\n";
    // The latest first, as Statcast lists them: the pitch numbers give the order.
    for (const char* row : {"1,1,2,4,Y,Left,A,SP", "1,1,2,3,Y,Left,A,FB", "1,1,2,2,Y,Left,A,CH",
                            "1,1,2,1,Y,Left,A,FB", "1,1,1,4,X,Right,A,CU", "1,1,1,3,X,Right,A,FB",
                            "1,1,1,2,X,Right,A,CU", "1,1,1,1,X,Right,A,FB"}) {
        const std::string text = row;
        session += text + ',' + pitch.at(text.substr(text.size() - 2)) + '\n';
    }
    const CsvTable table = parseCsv(session);
    // To the left-handed batter: no curveball.
    const Bullpen all = readBullpen(table, *knownColumns(table.header));
    EXPECT_EQ(groupArsenal(all, BatterSide::Left).types.size(), 3u);
    EXPECT_EQ(groupArsenal(all, BatterSide::Right).types.size(), 2u);
    for (const Pairing pairing : {Pairing::Means, Pairing::Consecutive}) {
        SCOPED_TRACE(pairing == Pairing::Means ? "means" : "consecutive");
        Arsenal a = groupArsenal(readBullpen(table, *knownColumns(table.header)));
        a.pairing = pairing;
        ASSERT_TRUE(fitArsenal(a, {.threads = 2}));
        std::map<std::string, const TypePair*> pairs;
        for (const TypePair& p : a.pairs) {
            pairs[a.types[p.first].type + ">" + a.types[p.second].type] = &p;
        }
        const bool means = pairing == Pairing::Means;
        ASSERT_EQ(pairs.size(), means ? 6u : 5u);
        const TypePair& tunnel = *pairs.at("FB>CU");
        const TypePair& early = *pairs.at("FB>CH");
        const TypePair& bounced = *pairs.at("FB>SP");
        EXPECT_GT(*tunnel.figures.ratio, 3);
        EXPECT_LT(*early.figures.ratio, 1);
        EXPECT_TRUE(bounced.figures.bounce[1] && !bounced.figures.bounce[0]);
        EXPECT_FALSE(bounced.figures.plateGap || bounced.figures.ratio);
        EXPECT_EQ(tunnel.best, means);  // no ★ below kLeastConsecutive pairs of pitches
        if (!means) {
            // Within a plate appearance only: the curveball before the second batter's
            // fastball is no pair.
            EXPECT_EQ(tunnel.count, 2);
            EXPECT_EQ(pairs.at("CU>FB")->count, 1);
            EXPECT_FALSE(pairs.count("FB>FB"));
        }
        const std::string csv = pairsCsv(a);
        EXPECT_NE(csv.find(means ? ",FB,SP,means,5," : ",FB,SP,consecutive,1,"), std::string::npos)
            << csv;
        EXPECT_NE(csv.find(",SP\n"), std::string::npos) << csv;  // the bounced column
        // The types' table gives no place at the plate for the splitter's model, but where it
        // bounced.
        const std::string types = arsenalCsv(a);
        const std::size_t at = types.find("\nA,,SP,");
        ASSERT_NE(at, std::string::npos) << types;
        std::vector<std::string> fields(1);
        for (std::size_t i = at + 1; types[i] != '\n'; ++i) {
            if (types[i] == ',') {
                fields.emplace_back();
            } else {
                fields.back() += types[i];
            }
        }
        ASSERT_EQ(fields.size(), 29u);
        EXPECT_TRUE(fields[19].empty() && fields[20].empty() && !fields[23].empty()) << types;
    }
}

}  // namespace
}  // namespace ball
