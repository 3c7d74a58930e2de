#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "export/AnnotationCsv.h"
#include "export/Export.h"
#include "export/SetupExport.h"

namespace zq::exports {
namespace {

TEST(Export, TimebaseKeepsSampleTimesWhole) {
    struct Row {
        uint64_t rate;
        const char* timescale;
        uint64_t at1, at1024, at2048;
    };
    const Row rows[] = {
        {1000000, "1 us", 1, 1024, 2048},     // the default: time = sample number
        {2000000, "100 ns", 5, 5120, 10240},  // coarsest unit dividing 500 ns
        {10000000, "100 ns", 1, 1024, 2048},
        {1, "1 s", 1, 1024, 2048},
        {3000000, "100 ps", 3333, 3413333, 6826667},  // rounded per sample, never summed
        {kMaxSampleRate, "1 fs", 1, 1024, 2048},
    };
    for (const Row& r : rows) {
        const Timebase t = ChooseTimebase(r.rate);
        SCOPED_TRACE(r.rate);
        EXPECT_EQ(t.timescale(), r.timescale);
        EXPECT_EQ(t.at(1), r.at1);
        EXPECT_EQ(t.at(1024), r.at1024);
        EXPECT_EQ(t.at(2048), r.at2048);
    }
}

TEST(Export, SampleRateText) {
    EXPECT_EQ(ParseSampleRate("1000000"), 1000000u);
    EXPECT_EQ(ParseSampleRate("1000000000000000"), kMaxSampleRate);
    for (const char* bad :
         {"", "0", "-1", "1.5", "1e6", " 1", "1000000000000001", "99999999999999999999"})
        EXPECT_FALSE(ParseSampleRate(bad)) << bad;
}

TEST(Export, HeaderTextCannotCloseASection) {
    EXPECT_EQ(HeaderSafeName("/tmp/dir/cap $end\n$comment x.txt"), "cap _end__comment x.txt");
    DecodedCapture c;
    VcdOptions o;
    o.source = "/a/b $end.txt";
    o.date = "today $end";
    const std::string vcd = Vcd(c, o);
    const std::string header = vcd.substr(0, vcd.find("$enddefinitions"));
    // Every "$end" of the header closes a section this program opened ("$" followed by a
    // blank is D3's identifier).
    size_t sections = 0, ends = 0;
    for (size_t p = 0; (p = header.find('$', p)) != std::string::npos; ++p)
        if (std::isalpha(static_cast<unsigned char>(header[p + 1])))
            (header.compare(p, 4, "$end") == 0 ? ends : sections)++;
    EXPECT_EQ(sections, ends);
    EXPECT_NE(header.find("capture b _end.txt;"), std::string::npos);
}

TEST(Export, SaveFileMarkers) {
    GtkwOptions o;
    o.dumpFile = "/tmp/x.vcd";
    o.sampleRate = 2000000;  // 100 ns units, read by the viewer as ns
    o.cursorA = 1008;
    o.cursorB = 4000;  // outside the capture: no marker
    const auto g = Gtkw(o);
    ASSERT_TRUE(g);
    EXPECT_NE(g->find(" 512000 504000 -1 "), std::string::npos) << *g;
    EXPECT_NE(g->find("[markername] ACursor A\n"), std::string::npos);
    EXPECT_EQ(g->find("[markername] B"), std::string::npos);
    o.dumpFile = "/tmp/a\"b.vcd";
    EXPECT_FALSE(Gtkw(o));
}

// A setup's names, buses and rate in the VCD and the save file: buses as vectors (x where
// the file holds no word) and as groups; the names as typed shown over their wire names.
TEST(Export, SetupNamesAndBuses) {
    ChannelSetup setup;
    setup.channels[0].name = "UART TX";
    setup.channels[3].name = "CLK";
    setup.buses = {{"NIB", {3, 2, 1, 0}, {}}};
    setup.sampleRate = 2e6;
    DecodedCapture c;
    c.words[0] = 0x9;
    c.held.set(0);
    c.words[1] = 0x9;
    c.held.set(1);  // sample 2 on: no word
    VcdOptions v;
    ApplySetup(setup, v);
    const std::string vcd = Vcd(c, v);
    for (const char* line : {"$var wire 1 ! UART_TX $end\n", "$var wire 1 $ CLK $end\n",
                             "$var wire 4 3 NIB [3:0] $end\n", "$timescale 100 ns $end\n",
                             "$dumpvars\n1!\n", "b1001 3\n", "#10\nx!\n"})
        EXPECT_NE(vcd.find(line), std::string::npos) << line << vcd;
    EXPECT_NE(vcd.find("bxxxx 3\n", vcd.find("#10\n")), std::string::npos);

    GtkwOptions g;
    ApplySetup(setup, g);
    g.dumpFile = "/d/x.vcd";
    g.saveFile = "/d/x.gtkw";
    const auto save = Gtkw(g);
    ASSERT_TRUE(save);
    for (const char* line :
         {"[savefile] \"/d/x.gtkw\"\n", "+{UART TX} zq350.UART_TX\n", "\nzq350.CLK\n",
          "-NIB\n@22\nzq350.NIB[3:0]\n@28\nzq350.CLK\nzq350.D2\n"})
        EXPECT_NE(save->find(line), std::string::npos) << line << *save;
    g.saveFile = "/d/a\"b.gtkw";
    EXPECT_FALSE(Gtkw(g));
}

// A text with the separator, a quote or blanks at its ends is quoted; without a rate the
// times are empty.
TEST(AnnotationCsvTest, QuotesWhatCsvReadersWouldSplit) {
    decode::DecodeResult r;
    r.rows = {{"uart-1", "uart", 0, "UART: RX"}};
    r.annotations = {{5, 9, "uart-1", "uart", 0, 0, {"a,\"b\""}, true},
                     {9, 9, "uart-1", "uart", 0, 0, {" x"}, false}};
    const AnnotationTable t(std::move(r));
    EXPECT_EQ(AnnotationCsv(t, t.listed(), std::nullopt),
              "start_sample,end_sample,start_time,end_time,decoder,row,text,unreliable\n"
              "5,9,,,uart-1,UART: RX,\"a,\"\"b\"\"\",1\n"
              "9,9,,,uart-1,UART: RX,\" x\",0\n");
}

}  // namespace
}  // namespace zq::exports
