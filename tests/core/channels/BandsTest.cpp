#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "FakeUserValues.h"
#include "channels/Bands.h"
#include "channels/ProductInfo.h"
#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "support/TempDir.h"

namespace {

class BandsTest : public ::testing::Test {};

void SetBandBytes(CMemoryImage& image, std::array<std::uint8_t, 6> bytes) {
    std::copy(bytes.begin(), bytes.end(), image.data() + kBandBytesOffset);
}

std::array<std::uint8_t, 6> BandBytes(const CMemoryImage& image) {
    std::array<std::uint8_t, 6> bytes;
    std::copy_n(image.data() + kBandBytesOffset, 6, bytes.begin());
    return bytes;
}

TEST_F(BandsTest, InitialLimits) {
    // The values before any document is shown.
    EXPECT_EQ(CDocumentState{}.m_bands, (CBandsMHz{136, 174, 400, 480}));
}

TEST_F(BandsTest, DecodeAndEncodeAreInverse) {
    struct CCase {
        std::array<std::uint8_t, 6> m_bytes;
        CBandsMHz m_bands;
    };
    const CCase cases[] = {
        {{0x13, 0x17, 0x64, 0x35, 0x52, 0x00}, {136, 174, 350, 520}},
        {{0x40, 0x47, 0x00, 0x13, 0x17, 0x64}, {400, 470, 136, 174}},
        {{0x00, 0x99, 0x09, 0x00, 0x00, 0x00}, {0, 999, 0, 0}},
        {{0x14, 0x14, 0x66, 0x06, 0x06, 0x77}, {146, 146, 67, 67}},
    };
    for (const auto& c : cases) {
        CMemoryImage image = CMemoryImage::NewDocument();
        SetBandBytes(image, c.m_bytes);
        EXPECT_EQ(DecodeBands(image), c.m_bands);
        SetBandBytes(image, {});
        EncodeBands(c.m_bands, image);
        EXPECT_EQ(BandBytes(image), c.m_bytes);
    }
}

TEST_F(BandsTest, RefreshOfANewDocumentTakesTheModelAndDefaultBands) {
    CFakeUserValues values;
    values.m_numbers["Type"] = 0x103;
    CDocumentState doc{CMemoryImage::NewDocument(), true, {1, 2, 3, 4}};
    CMemoryImage& image = doc.m_image;
    SetBandBytes(image, {0x40, 0x47, 0x00, 0x40, 0x47, 0x00});
    RefreshBands(doc, &values);
    EXPECT_EQ(image[kModelIndexOffset], 0x03);
    EXPECT_EQ(BandBytes(image), (std::array<std::uint8_t, 6>{0x13, 0x17, 0x64, 0x35, 0x52, 0x00}));
    EXPECT_EQ(doc.m_bands, (CBandsMHz{136, 174, 350, 520}));

    CFakeUserValues missing;
    RefreshBands(doc, &missing);
    EXPECT_EQ(image[kModelIndexOffset], 0x00);
    EXPECT_TRUE(missing.m_numbers.empty());
}

TEST_F(BandsTest, RefreshOfAnOpenedDocumentWritesItsModel) {
    CFakeUserValues values;
    values.m_numbers["Type"] = 7;
    CDocumentState doc{CMemoryImage::NewDocument()};
    CMemoryImage& image = doc.m_image;
    image[kModelIndexOffset] = 2;
    SetBandBytes(image, {0x40, 0x47, 0x00, 0x13, 0x17, 0x64});
    RefreshBands(doc, &values);
    EXPECT_EQ(values.m_numbers["Type"], 2u);
    EXPECT_EQ(image[kModelIndexOffset], 2);
    EXPECT_EQ(doc.m_bands, (CBandsMHz{400, 470, 136, 174}));
    doc.m_bands = {};
    RefreshBands(doc, nullptr);  // no store: nothing to write, limits still refreshed
    EXPECT_EQ(doc.m_bands, (CBandsMHz{400, 470, 136, 174}));
}

TEST_F(BandsTest, StoreWritesTheLimitsAndKeepsBytesThatAlreadyMatch) {
    CDocumentState doc{CMemoryImage::NewDocument(), false, {400, 470, 136, 174}};
    CMemoryImage& image = doc.m_image;
    StoreBands(doc);
    EXPECT_EQ(BandBytes(image), (std::array<std::uint8_t, 6>{0x40, 0x47, 0x00, 0x13, 0x17, 0x64}));

    // Nibbles above 9 from a radio decode to limits above 999 MHz that no BCD byte can hold:
    // a refresh and a store leave them as they were.
    const std::array<std::uint8_t, 6> odd{0xFF, 0xFA, 0xAB, 0x13, 0x17, 0x64};
    SetBandBytes(image, odd);
    RefreshBands(doc, nullptr);
    EXPECT_EQ(doc.m_bands.m_band1Low, 1660);
    StoreBands(doc);
    EXPECT_EQ(BandBytes(image), odd);
}

TEST_F(BandsTest, ContainsIncludesTheBounds) {
    const CBandsMHz bands{136, 174, 350, 520};
    EXPECT_TRUE(bands.Contains(17400000));
    EXPECT_TRUE(bands.Contains(35000000));
    EXPECT_FALSE(bands.Contains(17400500));
    EXPECT_FALSE(bands.Contains(34999500));
    const CBandsMHz single{146, 146, 146, 146};
    EXPECT_TRUE(single.Contains(14600000));
    EXPECT_FALSE(single.Contains(14600625));
}

std::unique_ptr<CIniFile> LoadIni(const CTempDir& dir, const std::string& text) {
    const std::string path = dir / "Program.ini";
    std::ofstream(path) << text;
    auto ini = std::make_unique<CIniFile>();
    EXPECT_TRUE(ini->LoadPath(path, false, true));
    return ini;
}

TEST_F(BandsTest, ModelListStopsAtTheFirstMissingOrEmptyKey) {
    CTempDir dir;
    EXPECT_EQ(ModelList(*LoadIni(dir, "[Setup]\nType1=LH-740V\nType3=LH-740U\n")),
              (std::vector<std::string>{"LH-740V"}));
    EXPECT_EQ(ModelList(*LoadIni(dir, "[Setup]\nType1=A\nType2=B\nType3=\nType4=D\n")),
              (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(ModelList(*LoadIni(dir, "[Setup]\nAppName=x\n")).empty());
    std::string many = "[Setup]\n";
    for (int i = 1; i <= 25; ++i) {
        many += "Type" + std::to_string(i) + "=M" + std::to_string(i) + "\n";
    }
    EXPECT_EQ(ModelList(*LoadIni(dir, many)).size(), 19u);
}

TEST_F(BandsTest, ProductInfoOpensWithTheUserValueSelected) {
    CTempDir dir;
    const auto ini = LoadIni(dir, "[Setup]\nType1=A\nType2=B\n");
    CDocumentState doc{CMemoryImage::NewDocument(), false, {136, 174, 350, 520}};
    doc.m_image[kModelIndexOffset] = 0;
    CFakeUserValues values;
    values.m_numbers["Type"] = 1;
    auto view = OpenProductInfo(doc, *ini, &values);
    EXPECT_EQ(view.m_models.size(), 2u);
    EXPECT_EQ(view.m_selection, 1);
    EXPECT_EQ(view.m_bands, (CBandsMHz{136, 174, 350, 520}));
    values.m_numbers["Type"] = 5;
    EXPECT_EQ(OpenProductInfo(doc, *ini, &values).m_selection, -1);
}

TEST_F(BandsTest, ProductInfoOk) {
    struct CCase {
        CProductInfoInput m_input;
        bool m_accepted;
    };
    const CCase cases[] = {
        {{1, "400", "470", "136", "174"}, true},  // the bands need not be in order
        {{0, "146", "146", "350", "520"}, true},  // equal limits are a band of one frequency
        {{0, "174", "136", "350", "520"}, false},  {{0, "136", "174", "520", "350"}, false},
        {{0, "136", "1000", "350", "520"}, false},  // does not fit three BCD digits
        {{0, "136", "174", "350", "1200"}, false}, {{-1, "", "", "", ""}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_input.m_band1Low + "-" + c.m_input.m_band1High + " " +
                     c.m_input.m_band2Low + "-" + c.m_input.m_band2High);
        CDocumentState doc{CMemoryImage::NewDocument(), false, {136, 174, 350, 520}};
        const CMemoryImage& image = doc.m_image;
        const auto bytesBefore = BandBytes(image);
        CFakeUserValues values;
        const auto applied = ApplyProductInfo(c.m_input, doc, &values);
        EXPECT_EQ(image[kModelIndexOffset],
                  c.m_input.m_selection < 0 ? 0xFF : c.m_input.m_selection);
        if (c.m_accepted) {
            EXPECT_TRUE(applied.has_value());
            const CBandsMHz entered{
                std::atoi(c.m_input.m_band1Low.c_str()), std::atoi(c.m_input.m_band1High.c_str()),
                std::atoi(c.m_input.m_band2Low.c_str()), std::atoi(c.m_input.m_band2High.c_str())};
            EXPECT_EQ(doc.m_bands, entered);
            EXPECT_EQ(DecodeBands(image), entered);
            EXPECT_EQ(values.m_numbers["Type"], static_cast<std::uint32_t>(c.m_input.m_selection));
        } else {
            ASSERT_FALSE(applied.has_value());
            EXPECT_EQ(applied.error().Text(false), "Frequency input error");
            EXPECT_EQ(applied.error().Text(true), "起始频率应小于结束频率");
            EXPECT_EQ(doc.m_bands, (CBandsMHz{136, 174, 350, 520}));
            EXPECT_EQ(BandBytes(image), bytesBefore);
            EXPECT_TRUE(values.m_numbers.empty());
        }
    }
}

}  // namespace
