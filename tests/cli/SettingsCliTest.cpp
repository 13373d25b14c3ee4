#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "channels/ChannelTable.h"
#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "support/CliRun.h"
#include "support/CommaLocale.h"
#include "support/FieldPlaces.h"
#include "support/TempDir.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SettingsCli, ShowPrintsTheDialogValuesInOrder) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    ASSERT_EQ(RunCli("new " + Quote(file)).m_code, 0);
    auto run = RunCli("show " + Quote(file) + " key");
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(run.m_out, "key.side = Option Singalling Call\n");
    run = RunCli("show " + Quote(file) + " squelch");
    EXPECT_EQ(run.m_out,
              "squelch.v_wide = -23\nsquelch.v_narrow = -25\nsquelch.u_wide = -30\n"
              "squelch.u_narrow = -34\n");
    run = RunCli("show " + Quote(file) + " options --lang zh");
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_TRUE(Contains(run.m_out, "options.tot = 30\noptions.squelch = 4\noptions.vox = 关\n"))
        << run.m_out;
    EXPECT_TRUE(Contains(run.m_out, "options.display_mode = 频率信道\n")) << run.m_out;
    run = RunCli("show " + Quote(file));
    EXPECT_TRUE(Contains(run.m_out, "product.band2 = 350-520\n")) << run.m_out;
    EXPECT_TRUE(Contains(run.m_out, "2tone.encode.32.tone2 = 1000.0\n")) << run.m_out;
    EXPECT_EQ(RunCli("show " + Quote(file) + " nosuchsection").m_code, 2);
    EXPECT_EQ(RunCli("show " + Quote(dir / "missing.dat")).m_code, 3);
}

TEST(SettingsCli, SetAppliesTheDialogRulesAndShowGivesThemBack) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    const std::string out = dir / "y.dat";
    ASSERT_EQ(RunCli("new " + Quote(file)).m_code, 0);
    const auto before = ReadAll(file);
    auto run = RunCli("set " + Quote(file) +
                      " dtmf.speed=12 dtmf.first_delay=275 options.vox=关 'options.back_light=On' "
                      "'key.side=Squelch Off Momentary' msk.call.4=12af 2tone.encode.3.tone1=250 "
                      "squelch.u_wide=54 -o " +
                      Quote(out));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(ReadAll(file), before);
    run = RunCli("show " + Quote(out));
    for (const char* line :
         {"dtmf.speed = 10\n", "dtmf.first_delay = 250\n", "options.vox = Off\n",
          "options.back_light = On\n", "key.side = Squelch Off Momentary\n", "msk.call.4 = 12AF\n",
          "2tone.encode.3.tone1 = 288.5\n", "squelch.u_wide = 54\n"}) {
        EXPECT_TRUE(Contains(run.m_out, line)) << line;
    }
    const auto bytes = ReadAll(out);
    ASSERT_EQ(bytes.size(), kImageSize);
    EXPECT_EQ(bytes[0x12D8], '1');
    EXPECT_EQ(bytes[0x12AA], 0xFC);
    EXPECT_EQ(bytes[6128], 118);

    // In place.
    run = RunCli("set " + Quote(file) + " options.password=1234");
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_TRUE(
        Contains(RunCli("show " + Quote(file) + " options").m_out, "options.password = 1234"));
}

// Every field set at once, first to the first and then to the last value of the independent
// map: each lands on its own bits, and no other byte of the file changes.
TEST(SettingsCli, SetPutsEveryFieldAtItsPlace) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    const std::string out = dir / "y.dat";
    ASSERT_EQ(RunCli("new " + Quote(file)).m_code, 0);
    const auto before = ReadAll(file);
    for (bool last : {false, true}) {
        std::string args;
        std::vector<std::uint8_t> owned(kImageSize, 0);
        for (const CFieldPlaces& field : AllFieldPlaces()) {
            const CPlaceValue& value = last ? field.m_values.back() : field.m_values.front();
            args += " " + Quote(field.m_key + "=" + value.m_text);
            for (const CPlace& place : field.m_places) {
                for (int i = 0; i < place.m_length; ++i) {
                    owned[place.m_offset + i] |= place.m_mask;
                }
            }
        }
        const auto run = RunCli("set " + Quote(file) + args + " -o " + Quote(out));
        ASSERT_EQ(run.m_code, 0) << run.m_err;
        const auto bytes = ReadAll(out);
        ASSERT_EQ(bytes.size(), kImageSize);
        for (const CFieldPlaces& field : AllFieldPlaces()) {
            const CPlaceValue& value = last ? field.m_values.back() : field.m_values.front();
            std::size_t n = 0;
            for (const CPlace& place : field.m_places) {
                for (int i = 0; i < place.m_length; ++i, ++n) {
                    EXPECT_EQ(bytes[place.m_offset + i] & place.m_mask,
                              value.m_bytes.at(n) & place.m_mask)
                        << field.m_key << "=" << value.m_text;
                }
            }
        }
        for (std::size_t i = 0; i < kImageSize; ++i) {
            EXPECT_EQ(bytes[i] & ~owned[i], before[i] & ~owned[i]) << "offset " << i;
        }
    }
}

TEST(SettingsCli, InvalidValuesAreReportedAndNothingIsWritten) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    ASSERT_EQ(RunCli("new " + Quote(file)).m_code, 0);
    const auto before = ReadAll(file);
    struct CCase {
        const char* m_args;
        int m_code;
        const char* m_message;
    };
    const CCase cases[] = {
        {"options.tot=60 options.password=12ab", 3, "up to 6 digits"},
        {"options.scan_mode=XX", 3, "\"TO\", \"CO\", \"SE\""},
        {"dtmf.group_code=E", 3, "\"Off\", \"A\""},
        {"product.band1=174-136", 3, "Frequency input error"},
        {"no.such=1", 3, "unknown key"},
        {"options.tot", 2, "KEY=VALUE"},
        // Plain decimals only: what a C library would also read as a number is refused.
        {"2tone.decode.1.a=0x92", 3, "288.5 to 3106.0 Hz"},
        {"2tone.encode.1.tone1=1e3", 3, "288.5 to 3106.0 Hz"},
        {"2tone.first_delay=inf", 3, "0.5 to 10.0 seconds"},
        {"2tone.interval=nan", 3, "0.0 to 2.0 seconds"},
        {"2tone.rise_delay=.", 3, "0.10 to 1.00 seconds"},
        {"2tone.decode.2.first_delay=1e0", 3, "0.5 to 10.0 seconds"},
        {"dtmf.first_delay=0x92", 3, "0 to 1000 milliseconds"},
        {"squelch.u_wide=+5", 3, "-55 to 54"},
        // A control character is refused and echoed escaped, never sent to the terminal.
        {"dtmf.id_code=\"$(printf 'A\\033[2JB')\"", 3, "invalid value \"A\\x1B[2JB\""},
    };
    for (const auto& c : cases) {
        const auto run = RunCli("set " + Quote(file) + " " + c.m_args);
        EXPECT_EQ(run.m_code, c.m_code) << c.m_args;
        EXPECT_TRUE(Contains(run.m_err, c.m_message)) << run.m_err;
        EXPECT_FALSE(Contains(run.m_err, "\x1b")) << c.m_args;
        EXPECT_EQ(ReadAll(file), before) << c.m_args;
    }
}

// A document with defined channels in the given grid rows.
void WriteChannels(const std::string& file, std::initializer_list<int> rows) {
    CDocumentState imageDoc{CMemoryImage::NewDocument()};
    CMemoryImage& image = imageDoc.m_image;
    CChannelTable table(false);
    table.FillGrid(imageDoc, nullptr, false);
    for (int row : rows) {
        table.SetText(row, kColRx, "146.02500");
        table.SetText(row, kColTx, "146.02500");
    }
    table.StoreGrid(imageDoc);
    ASSERT_TRUE(SaveDatFile(file, image));
}

TEST(SettingsCli, ReportWritesAPdf) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    const std::string pdf = dir / "r.pdf";
    WriteChannels(file, {1, 2, 3, 4, 5, 6, 7});
    auto run = RunCli("report " + Quote(file) + " -o " + Quote(pdf));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_TRUE(run.m_err.empty()) << run.m_err;
    const std::string text = [&] {
        CTempDir out;
        std::system(("pdftotext -layout " + Quote(pdf) + " " + Quote(out / "t")).c_str());
        return ReadText(out / "t");
    }();
    // Default ticks: the optional page and two channel pages.
    EXPECT_TRUE(Contains(text, "Optional")) << text;
    EXPECT_TRUE(Contains(text, "Page 1 of 3")) << text;
    EXPECT_TRUE(Contains(text, "Channel 7:")) << text;
    EXPECT_FALSE(Contains(text, "DTMF Speed:"));

    run =
        RunCli("report " + Quote(file) + " -o " + Quote(pdf) + " --sections 2tone,dtmf --lang zh");
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    std::system(("pdftotext " + Quote(pdf) + " " + Quote(dir / "t")).c_str());
    const std::string zh = ReadText(dir / "t");
    EXPECT_TRUE(Contains(zh, "2-Tone 编码")) << zh;
    EXPECT_TRUE(Contains(zh, "Page 3 of 3")) << zh;
}

TEST(SettingsCli, ReportWithoutPagesIsAnError) {
    CTempDir dir;
    const std::string file = dir / "x.dat";
    const std::string pdf = dir / "r.pdf";
    ASSERT_EQ(RunCli("new " + Quote(file)).m_code, 0);
    auto run = RunCli("report " + Quote(file) + " -o " + Quote(pdf) + " --sections channels");
    EXPECT_EQ(run.m_code, 3);
    EXPECT_TRUE(Contains(run.m_err, "no pages")) << run.m_err;
    EXPECT_TRUE(ReadAll(pdf).empty());
    run = RunCli("report " + Quote(file) + " -o " + Quote(pdf) + " --sections dtmf,bogus");
    EXPECT_EQ(run.m_code, 2);
    EXPECT_TRUE(Contains(run.m_err, "bogus")) << run.m_err;
    // An explicit empty selection is not the default one.
    WriteChannels(file, {1});
    for (const char* sections : {"''", "','"}) {
        run = RunCli("report " + Quote(file) + " -o " + Quote(pdf) + " --sections " + sections);
        EXPECT_EQ(run.m_code, 2) << sections;
        EXPECT_TRUE(Contains(run.m_err, "section")) << run.m_err;
        EXPECT_FALSE(std::filesystem::exists(pdf)) << sections;
    }
}

TEST(SettingsCli, ReportUnderACommaLocalePrintsFullStops) {
    std::string error;
    ASSERT_FALSE(CCommaLocale::Folder(&error).empty()) << error;
    CTempDir dir;
    const std::string file = dir / "x.dat";
    const std::string pdf = dir / "r.pdf";
    WriteChannels(file, {1});
    const auto run =
        RunCli("report " + Quote(file) + " -o " + Quote(pdf) + " --sections 2tone,channels",
               CCommaLocale::Environment());
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    std::system(("pdftotext -layout " + Quote(pdf) + " " + Quote(dir / "t")).c_str());
    const std::string text = ReadText(dir / "t");
    for (const char* number : {"2000.0", "1000.0", "0.10", "146.02500"}) {
        EXPECT_TRUE(Contains(text, number)) << number << "\n" << text;
    }
    for (const char* number : {"2000,0", "0,10", "146,02500"}) {
        EXPECT_FALSE(Contains(text, number)) << number;
    }
}

}  // namespace
