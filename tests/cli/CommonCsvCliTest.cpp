#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/CliRun.h"
#include "support/CommaLocale.h"
#include "support/TempDir.h"

namespace {

const char kCsv[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
    "1,RPT,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\r\n"
    "2,DCS,446.000000,,0.000000,DTCS,88.5,88.5,754,RN,754,Tone->Tone,NFM,6.25,S,1.0W,,,,,\r\n"
    "5,TOWER,120.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,,,,,,\r\n";

// lh740ctl import/export --format chirp: exit codes, refusals on stderr, nothing written on a
// refusal, --skip-invalid, and the file written back the same under a comma locale.
TEST(CommonCsvCli, ImportRefusesSkipsAndExportsBack) {
    std::string error;
    ASSERT_FALSE(CCommaLocale::Folder(&error).empty()) << error;
    CTempDir dir;
    const std::string dat = dir / "a.dat";
    ASSERT_EQ(RunCli("new " + Quote(dat)).m_code, 0);
    WriteText(dir / "in.csv", kCsv);
    const auto empty = ReadAll(dat);

    auto run = RunCli("import --format chirp " + Quote(dat) + " " + Quote(dir / "in.csv"));
    EXPECT_EQ(run.m_code, 3);
    EXPECT_NE(run.m_err.find("line 4, Location 5: Mode \"AM\" cannot be used"), std::string::npos)
        << run.m_err;
    EXPECT_NE(run.m_err.find("1 row of the file cannot be stored in the radio; nothing was "
                             "written."),
              std::string::npos)
        << run.m_err;
    EXPECT_EQ(ReadAll(dat), empty);

    // The option belongs to the common layout; an unknown format is a usage error.
    EXPECT_EQ(RunCli("import --skip-invalid " + Quote(dat) + " " + Quote(dir / "in.csv")).m_code,
              2);
    EXPECT_EQ(RunCli("export --format other " + Quote(dat) + " -").m_code, 2);
    EXPECT_EQ(ReadAll(dat), empty);

    run =
        RunCli("import --format chirp --skip-invalid " + Quote(dat) + " " + Quote(dir / "in.csv"));
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_NE(run.m_err.find("skipped line 4, Location 5: Mode"), std::string::npos) << run.m_err;

    run = RunCli("export --format chirp " + Quote(dat) + " -");
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    const std::string written =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "1,RPT,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,\r\n"
        "2,DCS,446.000000,,0.000000,DTCS,88.5,88.5,754,RN,754,Tone->Tone,NFM,5.00,S,Low,,,,,\r\n";
    EXPECT_EQ(run.m_out, written);

    // The same under a decimal-comma locale, and imported again the bytes stay.
    run = RunCli("export --format chirp " + Quote(dat) + " " + Quote(dir / "out.csv"),
                 CCommaLocale::Environment());
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(ReadText(dir / "out.csv"), written);
    const auto imported = ReadAll(dat);
    run = RunCli("import --format chirp " + Quote(dat) + " " + Quote(dir / "out.csv"),
                 CCommaLocale::Environment());
    ASSERT_EQ(run.m_code, 0) << run.m_err;
    EXPECT_EQ(ReadAll(dat), imported);
}

}  // namespace

// A name with a control character is refused by both layouts; the message never carries it.
TEST(CommonCsvCli, ControlCharactersInNamesAreRefused) {
    CTempDir dir;
    const std::string dat = dir / "a.dat";
    ASSERT_EQ(RunCli("new " + Quote(dat)).m_code, 0);
    const auto empty = ReadAll(dat);
    const std::string grid =
        "Channel,Rx Frequency,Tx Frequency,Name\r\n1,146.52000,146.52000,"
        "A\x1b[2JB\r\n";
    std::string common = kCsv;
    common = common.substr(0, common.find("\r\n") + 2) +
             "1,A\x1b[2JB,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,"
             ",,\r\n";
    const std::pair<std::string, std::string> cases[] = {{"", grid}, {"--format chirp ", common}};
    for (const auto& [format, text] : cases) {
        WriteText(dir / "in.csv", text);
        const auto run = RunCli("import " + format + Quote(dat) + " " + Quote(dir / "in.csv"));
        EXPECT_EQ(run.m_code, 3) << format;
        EXPECT_NE(run.m_err.find("control character"), std::string::npos) << run.m_err;
        EXPECT_EQ(run.m_err.find('\x1b'), std::string::npos) << format;
        EXPECT_EQ(ReadAll(dat), empty) << format;
    }
}
