#include "editors/SettingsFields.h"

#include <map>
#include <set>

#include "channels/Bands.h"
#include "editors/EditorRules.h"
#include "editors/FieldCodecs.h"

namespace {

constexpr std::size_t kModelOffset = kModelIndexOffset;
constexpr std::size_t kBandOffset = kBandBytesOffset;

std::vector<CChoice> Numbers(int first, int last, int factor = 1) {
    std::vector<CChoice> list;
    for (int n = first; n <= last; ++n) {
        const std::string text = FormatInt(n * factor);
        list.push_back({text, text});
    }
    return list;
}

std::vector<CChoice> WithFirst(CChoice first, std::vector<CChoice> rest) {
    rest.insert(rest.begin(), std::move(first));
    return rest;
}

const std::vector<CChoice> kOnOff = {{"On", "开"}, {"Off", "关"}};

struct CTableBuilder {
    std::vector<CField> m_fields;

    CField& Add(std::string key, std::string label, EPage page, ECodec codec, std::size_t offset) {
        CField field;
        field.m_key = std::move(key);
        field.m_label = std::move(label);
        field.m_page = page;
        field.m_codec = codec;
        field.m_offset = offset;
        m_fields.push_back(std::move(field));
        return m_fields.back();
    }
    CField& List(std::string key, std::string label, EPage page, std::size_t offset,
                 std::vector<CChoice> entries) {
        CField& f = Add(std::move(key), std::move(label), page, ECodec::kByteList, offset);
        f.m_entries = std::move(entries);
        return f;
    }
    CField& Bit(std::string key, std::string label, EPage page, std::size_t offset, int bit,
                std::vector<CChoice> entries, int onIndex) {
        CField& f = Add(std::move(key), std::move(label), page, ECodec::kBitList, offset);
        f.m_bit = bit;
        f.m_entries = std::move(entries);
        f.m_onIndex = onIndex;
        return f;
    }
    CField& Pattern(std::string key, std::string label, std::size_t offset, int shift,
                    std::vector<CChoice> entries) {
        CField& f =
            Add(std::move(key), std::move(label), EPage::kOptions, ECodec::kPatternList, offset);
        f.m_bit = shift;
        f.m_entries = std::move(entries);
        return f;
    }
    CField& Check(std::string key, std::string label, EPage page, std::size_t offset, int bit,
                  bool inverted = false) {
        CField& f = Add(std::move(key), std::move(label), page, ECodec::kCheck, offset);
        f.m_bit = bit;
        f.m_inverted = inverted;
        return f;
    }
    CField& Text(std::string key, std::string label, EPage page, std::size_t offset, int length,
                 ECharset charset) {
        CField& f = Add(std::move(key), std::move(label), page, ECodec::kText, offset);
        f.m_length = length;
        f.m_charset = charset;
        return f;
    }
    CField& Time(std::string key, std::string label, EPage page, std::size_t offset,
                 std::size_t radioOffset, ETimeKind kind, bool decode) {
        CField& f = Add(std::move(key), std::move(label), page, ECodec::kToneTime, offset);
        f.m_radioOffset = radioOffset;
        f.m_time = kind;
        f.m_decode = decode;
        return f;
    }
    CField& Tone(std::string key, std::string label, EPage page, std::size_t offset,
                 std::size_t radioOffset, int constant, bool optional) {
        CField& f = Add(std::move(key), std::move(label), page, ECodec::kToneFreq, offset);
        f.m_radioOffset = radioOffset;
        f.m_constant = constant;
        f.m_optional = optional;
        return f;
    }
};

std::vector<CField> BuildFields() {
    CTableBuilder t;
    const EPage opt = EPage::kOptions;
    t.List("options.tot", "TOT (s)", opt, 0x1260, WithFirst({"Off", "关闭"}, Numbers(1, 9, 30)));
    t.List("options.squelch", "Squelch Level", opt, 0x1261, Numbers(0, 9));
    t.List("options.vox", "Vox Gain Level", opt, 0x1262, WithFirst({"Off", "关"}, Numbers(1, 9)));
    t.List("options.step", "Step (k)", opt, 0x1263,
           {{"5", "5"}, {"6.25", "6.25"}, {"10", "10"}, {"12.5", "12.5"}, {"25", "25"}});
    t.List("options.tot_prealert", "TOT Pre-Alert (s)", opt, 0x1264,
           WithFirst({"Off", "关闭"}, Numbers(1, 9)));
    t.List("options.priority", "Priority Channel", opt, 0x12A9,
           WithFirst({"None", "无"}, Numbers(1, 128)));
    t.Bit("options.alarm", "Alarm", opt, 0x1265, 1, kOnOff, 0);
    t.Bit("options.key_lock", "Key Lock", opt, 0x1265, 2, {{"Auto", "自动"}, {"Manual", "手动"}},
          1);
    t.Bit("options.beep", "Beep", opt, 0x1265, 3, kOnOff, 0);
    t.Bit("options.stopwatch", "Stopwatch", opt, 0x1265, 4, kOnOff, 0);
    t.Pattern("options.scan_mode", "Scan Mode", 0x1265, 5,
              {{"TO", "时间"}, {"CO", "载波"}, {"SE", "搜索"}});
    t.Pattern("options.power_on_style", "Power-on Style", 0x1266, 2,
              {{"Off", "关闭"}, {"Voltage", "电压值"}, {"Message", "欢迎信息"}});
    t.Pattern("options.back_light", "Back Light", 0x1266, 4,
              {{"Off", "关闭"}, {"Auto", "自动"}, {"On", "打开"}});
    t.Pattern("options.back_light_color", "Back Light Color", 0x1266, 6,
              {{"Light 1", "颜色1"}, {"Light 2", "颜色2"}, {"Light 3", "颜色3"}});
    t.Pattern(
        "options.display_mode", "Display Mode", 0x1267, 0,
        {{"CHANNEL", "纯信道"}, {"NAME", "信道名称"}, {"FREQ.CH", "频率信道"}, {"FREQ", "频率"}});
    t.Bit("options.battery_saver", "Battery Saver", opt, 0x12A8, 0, kOnOff, 0);
    t.Check("options.keypad_lock", "Keypad Lock", opt, 0x12A8, 7, true);
    t.Bit("options.msk_type", "MSK Type", opt, 0x12AB, 0,
          {{"MSK-I", "MSK-I"}, {"MSK-II", "MSK-II"}}, 0);
    t.Check("options.repeater_msk_invert", "Repeater Msk Invert", opt, 0x12AB, 1);
    t.Add("options.password", "Password", opt, ECodec::kPassword, kPasswordOffset).m_length =
        kPasswordLength;

    const EPage enc = EPage::kDtmfEncode;
    t.Add("dtmf.speed", "DTMF Speed(digit/s)", enc, ECodec::kDtmfSpeed, 0x1308);
    t.Add("dtmf.first_delay", "First Digit Delay Time(ms)", enc, ECodec::kDtmfDelay, 0x1309);
    t.Add("dtmf.first_time", "First Digit Time(ms)", enc, ECodec::kDtmfTime, 0x130A);
    t.Add("dtmf.star_hash_time", "* and # Digit Time(ms)", enc, ECodec::kDtmfTime, 0x130B);
    t.Check("dtmf.side_tone", "SideTone", enc, 0x12A8, 6);
    const EPage dec = EPage::kDtmfDecode;
    t.Text("dtmf.id_code", "ID Code", dec, 0x1320, 10, ECharset::kAny);
    t.Add("dtmf.group_code", "Group Code", dec, ECodec::kGroupCode, 0x132F).m_entries = {
        {"Off", "关"}, {"A", "A"}, {"B", "B"}, {"C", "C"}, {"D", "D"}, {"*", "*"}, {"#", "#"}};
    t.Check("dtmf.stun", "Stun Activation", dec, 0x12A8, 4);
    t.Bit("dtmf.stun_type", "Stun Type", dec, 0x12A8, 5,
          {{"Tx inhibit", "禁止发射"}, {"Transceiver inhibit", "禁止收发"}}, 0);
    t.Text("dtmf.stun_code", "Stun Code", dec, 0x1338, 10, ECharset::kDtmf);
    for (int n = 1; n <= 9; ++n) {
        t.Text("dtmf.call." + FormatInt(n), "Fast Call List " + FormatInt(n), EPage::kDtmfCallList,
               0x1380 + (n - 1) * kRowSize, 16, ECharset::kDtmf);
    }

    const EPage two = EPage::kTwoToneEncode;
    t.Time("2tone.first_delay", "The first delay time(s)", two, 0x1620, 0x17A0, ETimeKind::kDelay,
           false);
    t.Time("2tone.second_delay", "The second delay time(s)", two, 0x1621, 0x17A1, ETimeKind::kDelay,
           false);
    t.Time("2tone.long_delay", "Long tone delay time(s)", two, 0x1622, 0x17A2, ETimeKind::kDelay,
           false);
    t.Add("2tone.interval", "Tone interval time", two, ECodec::kToneSteps, 0x1623).m_time =
        ETimeKind::kInterval;
    t.m_fields.back().m_radioOffset = 0x17A3;
    t.Add("2tone.rise_delay", "Tx rise delay time", two, ECodec::kToneSteps, 0x1625).m_time =
        ETimeKind::kRise;
    t.m_fields.back().m_radioOffset = 0x17A5;
    t.Add("2tone.short_beep", "Short beep tone", two, ECodec::kByteFlag, 0x1627);
    for (int m = 1; m <= 32; ++m) {
        const std::size_t place = ((m - 1) / 4) * kRowSize + ((m - 1) % 4) * 4;
        for (int tone = 1; tone <= 2; ++tone) {
            const std::size_t at = place + (tone - 1) * 2;
            t.Tone("2tone.encode." + FormatInt(m) + ".tone" + FormatInt(tone),
                   "Tone" + FormatInt(tone) + " Fre " + FormatInt(m), two, 0x1500 + at, 0x1680 + at,
                   kEncodeDivisorConstant, true);
        }
    }
    for (int k = 1; k <= 8; ++k) {
        const std::size_t place = ((k - 1) / 2) * kRowSize + ((k - 1) % 2) * 8;
        const std::string prefix = "2tone.decode." + FormatInt(k) + ".";
        const std::size_t d = 0x15C0 + place;
        const std::size_t r = 0x1740 + place;
        const EPage p = EPage::kTwoToneDecode;
        t.Tone(prefix + "a", "A Tone(HZ)", p, d, r, kDecodeDivisorConstant, false).m_slot = k;
        t.Tone(prefix + "b", "B Tone(HZ)", p, d + 2, r + 2, kDecodeDivisorConstant, false).m_slot =
            k;
        t.Time(prefix + "first_delay", "The first delay time(s)", p, d + 4, r + 4,
               ETimeKind::kDelay, true)
            .m_slot = k;
        t.Time(prefix + "second_delay", "The second delay time(s)", p, d + 5, r + 5,
               ETimeKind::kDelay, true)
            .m_slot = k;
        t.Time(prefix + "interval", "Interval time(s)", p, d + 6, r + 6, ETimeKind::kInterval, true)
            .m_slot = k;
        t.Time(prefix + "long_delay", "Long tone delay time(s)", p, d + 7, r + 7, ETimeKind::kDelay,
               true)
            .m_slot = k;
    }

    t.Text("msk.id", "ID Code", EPage::kMsk, MskEntryOffset(0), 4, ECharset::kHex);
    for (int n = 1; n <= 9; ++n) {
        t.Text("msk.call." + FormatInt(n), "Call List " + FormatInt(n), EPage::kMsk,
               MskEntryOffset(n), 4, ECharset::kHex);
    }

    t.Add("key.side", "Side Key", EPage::kKey, ECodec::kSideKey, 0x12AA).m_entries = {
        {"Option Singalling Call", "Option Singalling Call"},
        {"Emergency Call", "Emergency Call"},
        {"Send 1750Hz Singal", "Send 1750Hz Singal"},
        {"Squelch Off Momentary", "Squelch Off Momentary"}};

    const char* squelchKeys[] = {"v_wide", "v_narrow", "u_wide", "u_narrow"};
    const char* squelchLabels[] = {"V Wide Squelch Tuning", "V Narrow Squelch Tuning",
                                   "U Wide Squelch Tuning", "U Narrow Squelch Tuning"};
    for (std::size_t i = 0; i < kSquelchLength; ++i) {
        CField& f = t.Add(std::string("squelch.") + squelchKeys[i], squelchLabels[i],
                          EPage::kSquelch, ECodec::kSquelch, kSquelchOffset + i);
        f.m_default = kSquelchDefaults[i];
        f.m_entries = Numbers(kSquelchMin, kSquelchMax);
    }

    t.Add("product.model", "Model", EPage::kProduct, ECodec::kModel, kModelOffset);
    t.Add("product.band1", "Band 1", EPage::kProduct, ECodec::kBand, kBandOffset).m_bit = 1;
    t.Add("product.band2", "Band 2", EPage::kProduct, ECodec::kBand, kBandOffset).m_bit = 2;
    return t.m_fields;
}

}  // namespace

const std::vector<std::string>& SettingSections() {
    static const std::vector<std::string> sections = {"options", "dtmf",    "2tone",  "msk",
                                                      "key",     "squelch", "product"};
    return sections;
}

const std::vector<CField>& SettingFields() {
    static const std::vector<CField> fields = BuildFields();
    return fields;
}

const CField* FindField(const std::string& key) {
    static const std::map<std::string, const CField*> index = [] {
        std::map<std::string, const CField*> map;
        for (const CField& field : SettingFields()) {
            map[field.m_key] = &field;
        }
        return map;
    }();
    auto it = index.find(key);
    return it == index.end() ? nullptr : it->second;
}

std::vector<const CField*> PageFields(EPage page, int slot) {
    std::vector<const CField*> fields;
    for (const CField& field : SettingFields()) {
        if (field.m_page == page && field.m_slot == slot) {
            fields.push_back(&field);
        }
    }
    return fields;
}

std::string SectionOf(const CField& field) {
    return field.m_key.substr(0, field.m_key.find('.'));
}

std::string LoadField(const CField& field, const CMemoryImage& image,
                      const CFieldContext& context) {
    return CodecOf(field.m_codec).Load(field, image, context);
}

void StoreField(const CField& field, CMemoryImage& image, const std::string& text,
                const CFieldContext& context) {
    CodecOf(field.m_codec).Store(field, image, text, context);
}

std::string ValidValues(const CField& field, const CFieldContext& context) {
    return CodecOf(field.m_codec).ValidValues(field, context);
}

CResult<std::string> ParseFieldValue(const CField& field, const std::string& value,
                                     const CFieldContext& context) {
    return CodecOf(field.m_codec).Parse(field, value, context);
}

CResult<> ApplySettings(CMemoryImage& image, const std::vector<CSettingChange>& changes,
                        const CFieldContext& context) {
    // Values are parsed as English texts; the page's other fields load in English too.
    const CFieldContext english(false, context.m_models);
    // The texts as the dialogs' controls would hold them after the user's entries.
    std::map<const CField*, std::string> entered;
    std::set<std::pair<EPage, int>> pages;
    for (const CSettingChange& change : changes) {
        const CField* field = FindField(change.m_key);
        if (field == nullptr) {
            return std::unexpected(CTexts::Same("unknown key \"" + change.m_key +
                                                "\"; `lh740ctl show FILE` lists the keys."));
        }
        auto text = ParseFieldValue(*field, change.m_value, english);
        if (!text) {
            return std::unexpected(text.error());
        }
        entered[field] = *text;
        pages.insert({field->m_page, field->m_slot});
    }
    CMemoryImage result = image;
    for (const auto& [page, slot] : pages) {
        // Load the whole page first, then store it whole, as the dialog does.
        std::vector<std::pair<const CField*, std::string>> texts;
        for (const CField* field : PageFields(page, slot)) {
            auto it = entered.find(field);
            texts.emplace_back(
                field, it != entered.end() ? it->second : LoadField(*field, result, english));
        }
        for (const auto& [field, text] : texts) {
            // Bands not entered keep their bytes: odd bytes from a radio survive.
            if (field->m_codec == ECodec::kBand && !entered.contains(field)) {
                continue;
            }
            StoreField(*field, result, text, english);
        }
    }
    image = result;
    return {};
}
