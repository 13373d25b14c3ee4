#include "editors/SettingsFields.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "channels/ProductInfo.h"
#include "editors/EditorRules.h"
#include "settings/IniFile.h"
#include "support/FieldPlaces.h"
#include "support/TempDir.h"
#include "util/Gbk.h"

namespace {

// The model list of the Program.ini the tests pretend to have.
std::vector<std::string> s_models;
void SetModels(std::vector<std::string> models) {
    s_models = std::move(models);
}

CResult<> Apply(CMemoryImage& image, const std::vector<CSettingChange>& changes) {
    return ApplySettings(image, changes, CFieldContext(false, s_models));
}

std::string Show(const CMemoryImage& image, const std::string& key, bool chinese = false) {
    const CField* field = FindField(key);
    EXPECT_NE(field, nullptr) << key;
    return field ? LoadField(*field, image, CFieldContext(chinese, s_models)) : std::string();
}

TEST(SettingsFields, NewDocumentShowsTheDialogsDefaults) {
    SetModels({"Model A", "Model B"});
    const CMemoryImage image = CMemoryImage::NewDocument();
    const std::map<std::string, std::string> expected = {
        {"options.tot", "30"},
        {"options.squelch", "4"},
        {"options.vox", "Off"},
        {"options.step", "5"},
        {"options.tot_prealert", "Off"},
        {"options.alarm", "On"},
        {"options.key_lock", "Manual"},
        {"options.beep", "On"},
        {"options.stopwatch", "On"},
        {"options.scan_mode", "CO"},
        {"options.power_on_style", "Off"},
        {"options.back_light", "Auto"},
        {"options.back_light_color", "Light 1"},
        {"options.display_mode", "FREQ.CH"},
        {"options.battery_saver", "On"},
        {"options.priority", "None"},
        {"options.msk_type", "MSK-I"},
        {"options.keypad_lock", "Off"},
        {"options.repeater_msk_invert", "Off"},
        {"options.password", ""},
        {"dtmf.speed", "6"},
        {"dtmf.first_delay", "200"},
        {"dtmf.first_time", "0"},
        {"dtmf.star_hash_time", "0"},
        {"dtmf.side_tone", "On"},
        {"dtmf.id_code", ""},
        {"dtmf.group_code", "A"},
        {"dtmf.stun", "On"},
        {"dtmf.stun_type", "Tx inhibit"},
        {"dtmf.call.9", ""},
        {"2tone.first_delay", "0.5"},
        {"2tone.second_delay", "0.5"},
        {"2tone.long_delay", "1.0"},
        {"2tone.interval", "1.0"},
        {"2tone.rise_delay", "0.10"},
        {"2tone.short_beep", "Off"},
        {"2tone.encode.32.tone1", "2000.0"},
        {"2tone.encode.1.tone2", "1000.0"},
        {"2tone.decode.8.a", "2000.0"},
        {"2tone.decode.1.b", "1000.0"},
        {"2tone.decode.5.interval", "1.0"},
        {"2tone.decode.5.long_delay", "0.5"},
        {"msk.id", ""},
        {"msk.call.4", ""},
        {"key.side", "Option Singalling Call"},
        {"squelch.v_wide", "-23"},
        {"squelch.v_narrow", "-25"},
        {"squelch.u_wide", "-30"},
        {"squelch.u_narrow", "-34"},
        {"product.model", "Model A"},
        {"product.band1", "136-174"},
        {"product.band2", "350-520"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(Show(image, key), value) << key;
    }
    EXPECT_EQ(Show(image, "options.vox", true), "关");
    EXPECT_EQ(Show(image, "options.display_mode", true), "频率信道");
    EXPECT_EQ(Show(image, "options.tot", true), "30");
}

struct CLoadCase {
    std::size_t m_offset;
    std::uint8_t m_byte;
    const char* m_key;
    const char* m_shown;
};

TEST(SettingsFields, StoredValuesOutsideTheListsFallBack) {
    const CLoadCase cases[] = {
        {0x1262, 0xFF, "options.vox", "Off"},
        {0x12A9, 0x81, "options.priority", "None"},
        {0x12A9, 0x80, "options.priority", "128"},
        {0x1265, 0x60, "options.scan_mode", "TO"},
        {0x1266, 0xFF, "options.back_light_color", "Light 1"},
        {0x1267, 0xBB, "options.display_mode", "FREQ"},
        {0x17D2, '1', "options.password", "1"},
        {0x1309, 0xFF, "dtmf.first_delay", "1550"},
        {0x132F, 'E', "dtmf.group_code", "E"},
        {0x132F, 0xFF, "dtmf.group_code", "Off"},
        {0x132F, 0x00, "dtmf.group_code", ""},
        {6097, 2, "product.model", ""},  // one past the model list
        {0x12AA, 0x02, "key.side", "Emergency Call"},
        {6126, 0x05, "squelch.v_wide", "-23"},
        {6127, 0x05, "squelch.v_narrow", "-25"},
        {6128, 0x05, "squelch.u_wide", "-30"},
        {6129, 0x05, "squelch.u_narrow", "-34"},
        {6126, 119, "squelch.v_wide", ""},
    };
    for (const auto& c : cases) {
        CMemoryImage image = CMemoryImage::NewDocument();
        image[c.m_offset] = c.m_byte;
        EXPECT_EQ(Show(image, c.m_key), c.m_shown) << c.m_key;
    }
    // A letter in the stored password ends what is shown.
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::uint8_t password[] = {'1', '2', 'x', '4', 0xFF, 0xFF};
    std::copy(std::begin(password), std::end(password), &image[0x17D2]);
    EXPECT_EQ(Show(image, "options.password"), "12");
    // Six digits at most, even when a seventh follows.
    std::copy_n("1234567", 7, &image[0x17D2]);
    EXPECT_EQ(Show(image, "options.password"), "123456");
    // A decode tone loaded as 0xFFFF is shown as stored.
    WriteBe16(image, 0x15C0, 0xFFFF);
    EXPECT_EQ(Show(image, "2tone.decode.1.a"), "6553.5");
    image[0x1500] = 0xFF;
    image[0x1501] = 0xFF;
    EXPECT_EQ(Show(image, "2tone.encode.1.tone1"), "");
}

// Stores each value the way the dialog's OK does and finds exactly the field's bits changed,
// to the bytes of the independent map; `show` gives the value back.
TEST(SettingsFields, EveryValueStoresExactlyItsBits) {
    SetModels(FieldPlaceModels());
    CMemoryImage inverted = CMemoryImage::NewDocument();
    for (auto& b : inverted.m_bytes) {
        b = static_cast<std::uint8_t>(~b);
    }
    std::vector<std::uint8_t> anyField(kImageSize, 0);
    for (const CFieldPlaces& field : AllFieldPlaces()) {
        for (const CPlace& place : field.m_places) {
            for (int i = 0; i < place.m_length; ++i) {
                anyField[place.m_offset + i] |= place.m_mask;
            }
        }
    }
    for (const CMemoryImage& background : {CMemoryImage::NewDocument(), inverted}) {
        for (const CFieldPlaces& field : AllFieldPlaces()) {
            // The page stored once, so that only this field differs between the stores below;
            // storing a page writes nothing but fields.
            CMemoryImage base = background;
            ASSERT_TRUE(Apply(base, {{field.m_key, field.m_values.back().m_text}}));
            for (std::size_t i = 0; i < kImageSize; ++i) {
                ASSERT_EQ(base[i] & ~anyField[i], background[i] & ~anyField[i])
                    << field.m_key << " page changed offset " << i;
            }
            std::map<std::size_t, std::uint8_t> owned;
            for (const CPlace& place : field.m_places) {
                for (int i = 0; i < place.m_length; ++i) {
                    owned[place.m_offset + i] |= place.m_mask;
                }
            }
            for (const CPlaceValue& value : field.m_values) {
                CMemoryImage image = base;
                ASSERT_TRUE(Apply(image, {{field.m_key, value.m_text}})) << field.m_key;
                for (std::size_t i = 0; i < kImageSize; ++i) {
                    const std::uint8_t mask = owned.contains(i) ? owned[i] : 0;
                    ASSERT_EQ(image[i] & ~mask, base[i] & ~mask)
                        << field.m_key << "=" << value.m_text << " changed offset " << i;
                }
                std::size_t n = 0;
                for (const CPlace& place : field.m_places) {
                    for (int i = 0; i < place.m_length; ++i, ++n) {
                        EXPECT_EQ(image[place.m_offset + i] & place.m_mask,
                                  value.m_bytes.at(n) & place.m_mask)
                            << field.m_key << "=" << value.m_text << " at " << place.m_offset + i;
                    }
                }
                EXPECT_EQ(Show(image, field.m_key), value.m_text) << field.m_key;
            }
        }
    }
    // The map names every entry of every list (the squelch values: a sample of 110).
    for (const CFieldPlaces& field : AllFieldPlaces()) {
        const CField* declared = FindField(field.m_key);
        if (declared != nullptr && !declared->m_entries.empty() &&
            declared->m_codec != ECodec::kSquelch) {
            EXPECT_EQ(declared->m_entries.size(), field.m_values.size()) << field.m_key;
        }
    }
    // The map names every field of the program, and no other.
    std::set<std::string> keys;
    for (const CField& field : SettingFields()) {
        keys.insert(field.m_key);
    }
    std::set<std::string> mapped;
    for (const CFieldPlaces& field : AllFieldPlaces()) {
        mapped.insert(field.m_key);
    }
    EXPECT_EQ(keys, mapped);
}

struct CSetCase {
    const char* m_key;
    const char* m_value;
    const char* m_shown;
};

TEST(SettingsFields, ShowAfterSetGivesTheDialogsValue) {
    SetModels({"Model A", "Model B"});
    const CSetCase cases[] = {
        {"options.tot", "270", "270"},
        {"options.tot", "关闭", "Off"},
        {"options.priority", "128", "128"},
        {"options.key_lock", "Auto", "Auto"},
        {"options.scan_mode", "搜索", "SE"},
        {"options.back_light", "On", "On"},
        {"options.display_mode", "CHANNEL", "CHANNEL"},
        {"options.keypad_lock", "On", "On"},
        {"options.msk_type", "MSK-II", "MSK-II"},
        {"options.password", "1234", "1234"},
        {"options.password", "", ""},
        {"dtmf.speed", "7", "6"},
        {"dtmf.speed", "12", "10"},
        {"dtmf.speed", "99", "15"},
        {"dtmf.first_delay", "275", "250"},
        {"dtmf.first_time", "750", "500"},
        {"dtmf.star_hash_time", "1000", "1000"},
        {"dtmf.id_code", "ab12", "AB12"},
        {"dtmf.group_code", "#", "#"},
        {"dtmf.group_code", "关", "Off"},
        {"dtmf.stun_type", "Transceiver inhibit", "Transceiver inhibit"},
        {"dtmf.stun_code", "12*#", "12*#"},
        {"dtmf.call.1", "12ab*#", "12AB*#"},
        {"2tone.first_delay", "0.2", "0.5"},
        {"2tone.interval", "1.5", "1.5"},
        {"2tone.rise_delay", "0.12", "0.10"},
        {"2tone.short_beep", "On", "On"},
        {"2tone.encode.7.tone2", "250", "288.5"},
        {"2tone.encode.7.tone2", "", ""},
        {"2tone.decode.3.a", "1500.5", "1500.5"},
        {"2tone.decode.3.interval", "9", "2.0"},
        {"msk.id", "12a", "12A"},
        {"msk.id", "09af", "09AF"},
        {"dtmf.id_code", "a b~", "A B~"},
        {"dtmf.id_code", "`az{", "`AZ{"},  // the letters' limits, and their neighbours
        {"msk.call.9", "ffff", "FFFF"},
        {"key.side", "Send 1750Hz Singal", "Send 1750Hz Singal"},
        {"squelch.u_narrow", "54", "54"},
        {"squelch.u_narrow", "-55", "-55"},
        {"product.model", "Model B", "Model B"},
        {"product.band1", "400-470", "400-470"},
        {"product.band2", "146-146", "146-146"},
    };
    for (const auto& c : cases) {
        CMemoryImage image = CMemoryImage::NewDocument();
        auto applied = Apply(image, {{c.m_key, c.m_value}});
        ASSERT_TRUE(applied) << c.m_key << ": " << applied.error().Text(false);
        EXPECT_EQ(Show(image, c.m_key), c.m_shown) << c.m_key << "=" << c.m_value;
    }
}

TEST(SettingsFields, StoresWriteTheDocumentedBytes) {
    CMemoryImage image = CMemoryImage::NewDocument();
    ASSERT_TRUE(Apply(image, {{"options.password", "1234"},
                              {"msk.id", "12A"},
                              {"msk.call.4", "BEEF"},
                              {"key.side", "Squelch Off Momentary"},
                              {"dtmf.call.1", "12AB*#"},
                              {"squelch.v_wide", "54"},
                              {"2tone.decode.8.first_delay", "0.5"},
                              {"2tone.decode.8.second_delay", "10"}}));
    const std::uint8_t password[] = {'1', '2', '3', '4', 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(std::begin(password), std::end(password), &image[0x17D2]));
    const std::uint8_t id[] = {'1', '2', 'A', 0xFF};
    EXPECT_TRUE(std::equal(std::begin(id), std::end(id), &image[0x12C0]));
    EXPECT_EQ(image[0x12D8], 'B');
    EXPECT_EQ(image[0x12D4], 0xFF);
    EXPECT_EQ(image[0x12AA], 0xFC);
    EXPECT_EQ(image[0x1380 + 5], '#');
    EXPECT_EQ(image[0x1380 + 6], 0xFF);
    EXPECT_EQ(image[0x1380 + 15], 0xFF);
    EXPECT_EQ(image[6126], 118);
    // Slot 8: display and radio copies, first delay at +4 and second at +5.
    EXPECT_EQ(image[0x1614], 5);
    EXPECT_EQ(image[0x1615], 100);
    EXPECT_EQ(image[0x1794], 10);
    EXPECT_EQ(image[0x1795], 200);
    EXPECT_EQ(ReadBe16(image, 0x1790), 448);
    EXPECT_EQ(ReadBe16(image, 0x1792), 896);
    // The page is stored whole, so the MSK call list is written as 0xFF too.
    EXPECT_EQ(image[0x12F4], 0xFF);
}

TEST(SettingsFields, DialogStoresFollowTheFallbacks) {
    CMemoryImage image = CMemoryImage::NewDocument();
    image[0x1262] = 0xFF;
    image[0x1265] = 0x60 | 0x81;
    image[0x12A8] = 0x7E;
    image[0x1309] = 0xFF;
    image[0x130A] = 0xFF;
    image[6127] = 119;
    // Any option stores the whole dialog: 0xFF vox becomes 0, scan mode 11 becomes 00.
    ASSERT_TRUE(Apply(image, {{"options.tot", "60"}}));
    EXPECT_EQ(image[0x1309], 0xFF);  // and no other page
    EXPECT_EQ(image[0x1262], 0);
    EXPECT_EQ(image[0x1265] & 0x60, 0);
    EXPECT_EQ(image[0x1265] & 0x81, 0x81);
    EXPECT_EQ(image[0x12A8] & 0x7E, 0x7E);
    // Leaving the DTMF encode page normalises 1550 ms to 1000.
    ASSERT_TRUE(Apply(image, {{"dtmf.speed", "8"}}));
    EXPECT_EQ(image[0x1309], 20);
    EXPECT_EQ(image[0x130A], 20);
    EXPECT_EQ(image[0x1308] & 3, 1);
    // A squelch list without a selection stores its default.
    ASSERT_TRUE(Apply(image, {{"squelch.v_wide", "0"}}));
    EXPECT_EQ(image[6126], 64);
    EXPECT_EQ(image[6127], 39);
    // Band bytes from a radio that do not decode evenly stay as they are when the product
    // information is stored without the bands.
    SetModels({"Model A"});
    image[6120] = 0x1A;
    image[6125] = 0xFF;
    ASSERT_TRUE(Apply(image, {{"product.model", "Model A"}}));
    EXPECT_EQ(image[6120], 0x1A);
    EXPECT_EQ(image[6125], 0xFF);
    // Keypad Lock checked clears bit 7; unchecked sets it.
    ASSERT_TRUE(Apply(image, {{"options.keypad_lock", "On"}}));
    EXPECT_EQ(image[0x12A8] & 0x80, 0);
    ASSERT_TRUE(Apply(image, {{"options.keypad_lock", "Off"}}));
    EXPECT_EQ(image[0x12A8] & 0x80, 0x80);
}

// A list left without a selection: a whole byte stores 0, a bit its second entry, a pattern 00.
TEST(SettingsFields, ListsWithoutSelectionStore) {
    const std::tuple<const char*, std::size_t, std::uint8_t, std::uint8_t> cases[] = {
        {"options.tot", 0x1260, 0xFF, 0x00},
        {"options.alarm", 0x1265, 0x02, 0x00},
        {"options.key_lock", 0x1265, 0x04, 0x04},
        {"options.msk_type", 0x12AB, 0x01, 0x00},
        {"options.scan_mode", 0x1265, 0x60, 0x00}};
    for (auto [key, offset, mask, bits] : cases) {
        CMemoryImage image = CMemoryImage::NewDocument();
        image[offset] = static_cast<std::uint8_t>((image[offset] & ~mask) | (~bits & mask));
        StoreField(*FindField(key), image, "");
        EXPECT_EQ(image[offset] & mask, bits) << key;
    }
}

TEST(SettingsFields, MendedStores) {
    CMemoryImage image = CMemoryImage::NewDocument();
    // Group code list left without a selection: stored as "Off".
    StoreField(*FindField("dtmf.group_code"), image, "");
    EXPECT_EQ(image[0x132F], 0xFF);
    // A 2-Tone frequency of 0 has no divisor: the radio copy holds 0x0000.
    WriteBe16(image, 0x15C0, 0);
    ASSERT_TRUE(Apply(image, {{"2tone.decode.1.first_delay", "1"}}));
    EXPECT_EQ(ReadBe16(image, 0x15C0), 0);
    EXPECT_EQ(ReadBe16(image, 0x1740), 0);
    // An empty encode cell: display 0xFFFF, radio 0x0000.
    ASSERT_TRUE(Apply(image, {{"2tone.encode.2.tone1", ""}}));
    EXPECT_EQ(ReadBe16(image, 0x1504), 0xFFFF);
    EXPECT_EQ(ReadBe16(image, 0x1684), 0x0000);
    // A decode tone of 0xFFFF loaded and stored back unchanged.
    WriteBe16(image, 0x15C8, 0xFFFF);
    ASSERT_TRUE(Apply(image, {{"2tone.decode.2.interval", "1"}}));
    EXPECT_EQ(ReadBe16(image, 0x15C8), 0xFFFF);
}

TEST(SettingsFields, InvalidInputChangesNothing) {
    SetModels({"Model A"});
    const std::pair<const char*, const char*> bad[] = {
        {"options.password", "12a4"},
        {"options.password", "1234567"},
        {"options.tot", "45"},
        {"options.scan_mode", "XX"},
        {"options.keypad_lock", "yes"},
        {"dtmf.speed", "fast"},
        {"dtmf.speed", "123"},
        {"dtmf.first_time", "10000"},  // the edits' lengths: 4, none (8 here), 6, 3, 4
        {"dtmf.first_delay", "123456789"},
        {"2tone.decode.1.a", "1000.55"},
        {"2tone.interval", "1.00"},
        {"2tone.first_delay", "10.00"},
        {"2tone.decode.1.a", "1.2.3"},
        {"dtmf.id_code", "A\x7F"},
        {"dtmf.stun_code", "12E"},
        {"dtmf.call.1", "12345678901234567"},
        {"dtmf.group_code", "E"},
        {"2tone.first_delay", "1,5"},
        {"2tone.encode.1.tone1", "-5"},
        {"msk.id", "12G"},
        {"msk.id", "12345"},
        {"squelch.v_wide", "55"},
        {"product.model", "Model Z"},
        {"product.band1", "174-136"},
        {"product.band1", "1000-1200"},
        {"product.band2", "400"},
        {"product.band2", "-470"},
        {"product.band2", "400-"},
        {"no.such.key", "1"},
    };
    for (auto [key, value] : bad) {
        CMemoryImage image = CMemoryImage::NewDocument();
        auto applied = Apply(image, {{"options.tot", "60"}, {key, value}});
        ASSERT_FALSE(applied) << key << "=" << value;
        EXPECT_NE(applied.error().Text(false).find(key), std::string::npos)
            << applied.error().Text(false);
        if (const CField* field = FindField(key);
            field && applied.error().Text(false).starts_with("invalid")) {
            EXPECT_NE(applied.error().Text(false).find(" (" + field->m_label + ")"),
                      std::string::npos);
        }
        EXPECT_EQ(image, CMemoryImage::NewDocument()) << key;
    }
    // The messages name the field's label and the valid values.
    const std::pair<const char*, const char*> named[] = {
        {"options.tot", " (TOT (s)); valid values: \"Off\", \"30\", \"60\", "},
        {"options.priority", " (Priority Channel); valid values: \"None\" or 1 to 128."},
        {"product.model", " (Model); valid values: \"Model A\"."},
        {"product.band2", "invalid value \"400-\""}};
    for (auto [key, message] : named) {
        CMemoryImage image = CMemoryImage::NewDocument();
        const std::string value = std::string(key) == "product.band2" ? "400-" : "x";
        EXPECT_NE(Apply(image, {{key, value}}).error().Text(false).find(message), std::string::npos)
            << key;
    }
}

TEST(SettingsFields, ChineseAndEnglishStoreTheSameBytes) {
    for (const CField& field : SettingFields()) {
        if (field.m_entries.empty()) {
            continue;
        }
        for (const CChoice& choice : field.m_entries) {
            CMemoryImage english = CMemoryImage::NewDocument();
            CMemoryImage chinese = english;
            ASSERT_TRUE(Apply(english, {{field.m_key, choice.m_en}})) << field.m_key;
            ASSERT_TRUE(Apply(chinese, {{field.m_key, choice.m_zh}})) << field.m_key;
            EXPECT_EQ(english, chinese) << field.m_key << " " << choice.m_en;
            EXPECT_EQ(LoadField(field, chinese, true), choice.m_zh) << field.m_key;
        }
    }
}

}  // namespace

// Program.ini holds Chinese model names in GBK; show prints them and set takes them as UTF-8.
TEST(SettingsFields, ChineseModelNamesFromGbk) {
    CTempDir dir;
    const std::vector<std::uint8_t> gbk = Utf8ToGbk("对讲机", 16);
    ASSERT_EQ(gbk.size(), 6u);
    const std::string path = dir / "Program.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Setup]\r\nType1=LH-740\r\nType2=" << std::string(gbk.begin(), gbk.end()) << "\r\n";
    }
    CIniFile ini;
    ASSERT_TRUE(ini.LoadPath(path, false, true));
    const CFieldContext context(false, ModelNames(ini));
    const CField& model = *FindField("product.model");
    const auto parsed = ParseFieldValue(model, "对讲机", context);
    ASSERT_TRUE(parsed.has_value());
    CMemoryImage image = CMemoryImage::NewDocument();
    StoreField(model, image, *parsed, context);
    EXPECT_EQ(image[model.m_offset], 1);
    EXPECT_EQ(LoadField(model, image, context), "对讲机");
}
