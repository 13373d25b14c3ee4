#include <gtest/gtest.h>

#include <map>

#include "channels/ChannelTable.h"
#include "channels/Codecs.h"
#include "channels/CommonChannelCsv.h"
#include "image/DocumentState.h"
#include "image/MemoryImage.h"
#include "support/CommaLocale.h"

namespace {

using CFields = std::map<std::string, std::string>;

std::string Header() {
    std::string header;
    for (const char* column : kCommonCsvColumns) {
        header += (header.empty() ? "" : ",") + std::string(column);
    }
    return header + "\r\n";
}

// A simplex FM channel 1 without tones, with the given fields changed.
std::string Row(const CFields& changes) {
    CFields fields = {{"Location", "1"},
                      {"Name", "A"},
                      {"Frequency", "146.520000"},
                      {"Offset", "0.000000"},
                      {"rToneFreq", "88.5"},
                      {"cToneFreq", "88.5"},
                      {"DtcsCode", "023"},
                      {"RxDtcsCode", "023"},
                      {"DtcsPolarity", "NN"},
                      {"CrossMode", "Tone->Tone"},
                      {"Mode", "FM"},
                      {"TStep", "5.00"},
                      {"Power", "5.0W"}};
    for (const auto& [name, value] : changes) {
        fields[name] = value;
    }
    std::string line;
    for (const char* column : kCommonCsvColumns) {
        line += (line.empty() ? "" : ",") + CsvField(fields[column]);
    }
    return line + "\r\n";
}

// Grid texts of a channel: Rx, Tx, Rx tone, Tx tone, name, power, W/N, scan add.
std::vector<std::string> Cells(const CMemoryImage& image, int row) {
    CDocumentState doc{image};
    CChannelTable table(false);
    table.FillGrid(doc, nullptr, false);
    std::vector<std::string> cells;
    for (int column = kColRx; column <= kColScanAdd; ++column) {
        cells.push_back(table.GetText(row, column));
    }
    return cells;
}

// Plans and applies; the refused rows and notices, the image changed only when applied.
struct CImported {
    bool m_applied = false;
    std::vector<std::string> m_refused;
    std::vector<std::string> m_notices;
};
CImported Import(const std::string& csv, CMemoryImage& image, bool skip = false) {
    CImported result;
    const auto plan = PlanCommonCsvImport(csv, image);
    if (!plan) {
        result.m_refused = plan.error().m_items;
        result.m_refused.push_back(plan.error().Text(false));
        return result;
    }
    result.m_notices = plan->m_notices;
    result.m_refused = plan->m_refused;
    result.m_applied = ApplyCommonCsvPlan(*plan, image, skip).has_value();
    return result;
}

struct CRowCase {
    const char* m_label;
    CFields m_changes;
    std::vector<std::string> m_cells;  // empty when refused
    std::string m_refusal;             // part of the reason
};

const std::vector<CRowCase> kRowCases = {
    {"simplex", {}, {"146.52000", "146.52000", "None", "None", "A", "High", "Wide", "Yes"}, ""},
    {"plus", {{"Duplex", "+"}, {"Offset", "0.600000"}}, {"146.52000", "147.12000"}, ""},
    {"minus", {{"Duplex", "-"}, {"Offset", "0.600000"}}, {"146.52000", "145.92000"}, ""},
    {"split", {{"Duplex", "split"}, {"Offset", "446.006250"}}, {"146.52000", "446.00625"}, ""},
    {"off", {{"Duplex", "off"}}, {}, "no receive-only channels"},
    {"bad duplex", {{"Duplex", "x"}}, {}, "Duplex \"x\" is not"},
    {"Tone", {{"Tone", "Tone"}, {"rToneFreq", "100.0"}}, {"", "", "None", "100.0"}, ""},
    {"TSQL", {{"Tone", "TSQL"}, {"cToneFreq", "123.00"}}, {"", "", "123.0", "123.0"}, ""},
    {"DTCS NN", {{"Tone", "DTCS"}, {"DtcsCode", "23"}}, {"", "", "D023N", "D023N"}, ""},
    {"DTCS NR",
     {{"Tone", "DTCS"}, {"DtcsCode", "754"}, {"DtcsPolarity", "NR"}},
     {"", "", "D754I", "D754N"},
     ""},
    {"DTCS RN",
     {{"Tone", "DTCS"}, {"DtcsCode", "131"}, {"DtcsPolarity", "RN"}},
     {"", "", "D131N", "D131I"},
     ""},
    {"DTCS RR",
     {{"Tone", "DTCS"}, {"DtcsCode", "131"}, {"DtcsPolarity", "RR"}},
     {"", "", "D131I", "D131I"},
     ""},
    {"Tone->Tone",
     {{"Tone", "Cross"}, {"rToneFreq", "67.0"}, {"cToneFreq", "254.1"}},
     {"", "", "254.1", "67.0"},
     ""},
    {"DTCS->", {{"Tone", "Cross"}, {"CrossMode", "DTCS->"}}, {"", "", "None", "D023N"}, ""},
    {"Tone->DTCS",
     {{"Tone", "Cross"},
      {"CrossMode", "Tone->DTCS"},
      {"RxDtcsCode", "047"},
      {"DtcsPolarity", "NR"}},
     {"", "", "D047I", "88.5"},
     ""},
    {"DTCS->Tone",
     {{"Tone", "Cross"}, {"CrossMode", "DTCS->Tone"}, {"DtcsPolarity", "RN"}},
     {"", "", "88.5", "D023I"},
     ""},
    {"->Tone", {{"Tone", "Cross"}, {"CrossMode", "->Tone"}}, {"", "", "88.5", "None"}, ""},
    {"->DTCS",
     {{"Tone", "Cross"}, {"CrossMode", "->DTCS"}, {"RxDtcsCode", "565"}},
     {"", "", "D565N", "None"},
     ""},
    {"DTCS->DTCS",
     {{"Tone", "Cross"}, {"CrossMode", "DTCS->DTCS"}, {"RxDtcsCode", "565"}},
     {"", "", "D565N", "D023N"},
     ""},
    {"bad cross", {{"Tone", "Cross"}, {"CrossMode", "Tone->DV"}}, {}, "CrossMode \"Tone->DV\""},
    {"bad polarity", {{"Tone", "DTCS"}, {"DtcsPolarity", "NX"}}, {}, "DtcsPolarity \"NX\""},
    {"reverse TSQL", {{"Tone", "TSQL-R"}}, {}, "Tone \"TSQL-R\" is not a tone mode"},
    {"unknown tone", {{"Tone", "Tone"}, {"rToneFreq", "88.6"}}, {}, "rToneFreq \"88.6\""},
    {"unknown DTCS", {{"Tone", "DTCS"}, {"DtcsCode", "024"}}, {}, "DtcsCode \"024\""},
    {"skip, NFM, low watts",
     {{"Skip", "S"}, {"Mode", "NFM"}, {"Power", "0.5W"}},
     {"", "", "", "", "", "Low", "Narrow", "No"},
     ""},
    {"power words", {{"Power", "low"}}, {"", "", "", "", "", "Low"}, ""},
    {"power threshold", {{"Power", "2"}}, {"", "", "", "", "", "High"}, ""},
    {"bad power", {{"Power", "Max"}}, {}, "Power \"Max\""},
    {"long name cut", {{"Name", "LONGNAME12"}}, {"", "", "", "", "LONGNAM"}, ""},
    {"Chinese name cut", {{"Name", "中文名字"}}, {"", "", "", "", "中文名"}, ""},
    {"AM", {{"Mode", "AM"}}, {}, "Mode \"AM\" cannot be used"},
    {"out of band", {{"Frequency", "200.000000"}}, {}, "outside the radio's bands (136-174"},
    {"off step", {{"Frequency", "146.521000"}}, {}, "not on a 5 kHz or 6.25 kHz step"},
    {"below 10 Hz", {{"Frequency", "146.5200001"}}, {}, "not a frequency in MHz"},
    {"Tx out of range", {{"Duplex", "-"}, {"Offset", "100"}}, {}, "outside 67 to 512 MHz"},
    {"location 0", {{"Location", "0"}}, {}, "Location \"0\" is not a channel"},
    {"location 129", {{"Location", "129"}}, {}, "Location \"129\" is not a channel"},
};

TEST(CommonChannelCsv, RowsMapOntoTheChannel) {
    for (const CRowCase& c : kRowCases) {
        SCOPED_TRACE(c.m_label);
        CMemoryImage image = CMemoryImage::NewDocument();
        const CMemoryImage before = image;
        const CImported imported = Import(Header() + Row(c.m_changes), image);
        if (c.m_cells.empty()) {
            EXPECT_FALSE(imported.m_applied);
            ASSERT_EQ(imported.m_refused.size(), 1u);
            EXPECT_TRUE(imported.m_refused[0].starts_with("line 2, Location "))
                << imported.m_refused[0];
            EXPECT_NE(imported.m_refused[0].find(c.m_refusal), std::string::npos)
                << imported.m_refused[0];
            EXPECT_TRUE(image == before);
            continue;
        }
        ASSERT_TRUE(imported.m_applied) << testing::PrintToString(imported.m_refused);
        const auto cells = Cells(image, 1);
        for (std::size_t i = 0; i < c.m_cells.size(); ++i) {
            if (!c.m_cells[i].empty()) {
                EXPECT_EQ(cells[i], c.m_cells[i]) << "cell " << i;
            }
        }
        const bool cut = std::string(c.m_label).ends_with("cut");
        EXPECT_EQ(imported.m_notices.size(), cut ? 1u : 0u);
    }
}

// A document with channels of every kind: tones, shifts, power, bandwidth, scan, and cells the
// layout does not carry (busy lock, PTT ID).
CMemoryImage EveryKind() {
    CMemoryImage image = CMemoryImage::NewDocument();
    std::string csv = Header();
    int location = 1;
    for (const CRowCase& c : kRowCases) {
        if (!c.m_cells.empty()) {
            CFields changes = c.m_changes;
            changes["Location"] = std::to_string(location);
            location += 3;  // gaps stay empty
            csv += Row(changes);
        }
    }
    const CImported imported = Import(csv, image);
    EXPECT_TRUE(imported.m_applied);
    // Cells the file cannot say, set behind its back: busy lock and PTT ID.
    image.Row(0)[kModeByte] |= 0x04;
    image.Row(0)[kSignalByte] =
        static_cast<std::uint8_t>((image.Row(0)[kSignalByte] & 0xCF) | 0x30);
    return image;
}

TEST(CommonChannelCsv, ExportImportedAgainGivesTheSameBytes) {
    const CMemoryImage image = EveryKind();
    const std::string csv = ExportCommonCsv(image);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 22) << csv;

    CMemoryImage same = image;
    const CImported again = Import(csv, same);
    ASSERT_TRUE(again.m_applied) << testing::PrintToString(again.m_refused);
    EXPECT_TRUE(same.m_bytes == image.m_bytes);

    // Into a new document every channel comes back as written: the same file once more.
    CMemoryImage fresh = CMemoryImage::NewDocument();
    ASSERT_TRUE(Import(csv, fresh).m_applied);
    EXPECT_EQ(ExportCommonCsv(fresh), csv);
    for (int row = 1; row <= 128; ++row) {
        EXPECT_EQ(Cells(fresh, row), Cells(image, row)) << "row " << row;
    }
}

TEST(CommonChannelCsv, RefusedRowsChangeNothingUnlessSkipped) {
    const CMemoryImage start = EveryKind();
    const std::string csv = Header() + Row({{"Location", "2"}, {"Name", "KEEP"}}) +
                            Row({{"Location", "3"}, {"Mode", "AM"}}) +
                            Row({{"Location", "2"}, {"Name", "DUP"}}) +
                            Row({{"Location", "4"}, {"Frequency", "999"}});
    CMemoryImage image = start;
    const CImported refused = Import(csv, image);
    EXPECT_FALSE(refused.m_applied);
    EXPECT_TRUE(image == start);
    ASSERT_EQ(refused.m_refused.size(), 3u);
    EXPECT_TRUE(refused.m_refused[0].starts_with("line 3, Location 3: Mode"));
    EXPECT_TRUE(refused.m_refused[1].starts_with("line 4, Location 2: the channel is already"));
    EXPECT_TRUE(refused.m_refused[2].starts_with("line 5, Location 4: Frequency"));

    const CImported skipped = Import(csv, image, true);
    EXPECT_TRUE(skipped.m_applied);
    EXPECT_EQ(skipped.m_refused, refused.m_refused);
    EXPECT_EQ(Cells(image, 2)[4], "KEEP");
    // Rows refused and channels not listed keep their bytes.
    for (int row : {1, 3, 4, 5, 129}) {
        EXPECT_TRUE(std::ranges::equal(image.Row(row - 1), start.Row(row - 1))) << row;
    }
}

TEST(CommonChannelCsv, ColumnsAreFoundByName) {
    const std::string row = Row({{"Location", "7"},
                                 {"Name", "X,\"Y\""},
                                 {"Duplex", "+"},
                                 {"Offset", "5"},
                                 {"Tone", "Cross"},
                                 {"CrossMode", "Tone->DTCS"},
                                 {"Power", "Low"}});
    CMemoryImage ordered = CMemoryImage::NewDocument();
    ASSERT_TRUE(Import(Header() + row, ordered).m_applied);

    // Reversed, with a column of another program and without the optional ones.
    const auto header = ParseCsv(Header());
    const auto fields = ParseCsv(row);
    ASSERT_TRUE(header && fields);
    std::string reversedHeader = "Extra";
    std::string reversedRow = "ignored";
    for (std::size_t i = header->front().m_fields.size(); i-- > 0;) {
        const std::string& name = header->front().m_fields[i];
        if (name == "Skip" || name == "TStep" || name == "Comment") {
            continue;
        }
        reversedHeader += "," + name;
        reversedRow += "," + CsvField(fields->front().m_fields[i]);
    }
    CMemoryImage reversed = CMemoryImage::NewDocument();
    ASSERT_TRUE(Import(reversedHeader + "\n" + reversedRow + "\n", reversed).m_applied);
    EXPECT_TRUE(reversed == ordered);
    EXPECT_EQ(Cells(ordered, 7),
              (std::vector<std::string>{"146.52000", "151.52000", "D023N", "88.5", "X,\"Y\"", "Low",
                                        "Wide", "Yes"}));

    // A required column missing, or one twice: the file is refused before any row.
    CMemoryImage image = CMemoryImage::NewDocument();
    const CImported missing = Import("Location,Name,Frequency\r\n1,A,146.52\r\n", image);
    EXPECT_FALSE(missing.m_applied);
    EXPECT_NE(
        testing::PrintToString(missing.m_refused).find("the column \\\"Duplex\\\" is missing"),
        std::string::npos)
        << testing::PrintToString(missing.m_refused);
    const CImported twice = Import("Mode," + Header() + "FM," + Row({}), image);
    EXPECT_NE(testing::PrintToString(twice.m_refused).find("\\\"Mode\\\" appears twice"),
              std::string::npos);
    EXPECT_TRUE(image == CMemoryImage::NewDocument());
}

TEST(CommonChannelCsv, CommaLocaleReadsAndWritesFullStops) {
    const std::string csv = ExportCommonCsv(EveryKind());
    CCommaLocale locale;
    ASSERT_TRUE(locale.Active()) << locale.Error();
    EXPECT_EQ(ExportCommonCsv(EveryKind()), csv);
    CMemoryImage image = CMemoryImage::NewDocument();
    ASSERT_TRUE(
        Import(Header() + Row({{"Duplex", "+"}, {"Offset", "0.6"}, {"Power", "0.5W"}}), image)
            .m_applied);
    EXPECT_EQ(Cells(image, 1)[1], "147.12000");
    EXPECT_EQ(Cells(image, 1)[5], "Low");
}

}  // namespace
