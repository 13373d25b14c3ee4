#include "editors/SettingsFields.h"

#include <algorithm>
#include <map>
#include <set>

#include "channels/Bands.h"
#include "editors/EditorRules.h"
#include "util/Number.h"

namespace {

constexpr std::size_t kPasswordOffset = 0x17D2;
constexpr int kPasswordLength = 6;
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
const CChoice kOn = {"On", "开"};
const CChoice kOff = {"Off", "关"};

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
        f.m_decode = !optional;
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
    const std::uint8_t squelchDefaults[] = {41, 39, 34, 30};
    for (int i = 0; i < 4; ++i) {
        CField& f = t.Add(std::string("squelch.") + squelchKeys[i], squelchLabels[i],
                          EPage::kSquelch, ECodec::kSquelch, 6126 + i);
        f.m_default = squelchDefaults[i];
        f.m_entries = Numbers(kSquelchMin, kSquelchMax);
    }

    t.Add("product.model", "Model", EPage::kProduct, ECodec::kModel, kModelOffset);
    t.Add("product.band1", "Band 1", EPage::kProduct, ECodec::kBand, kBandOffset).m_bit = 1;
    t.Add("product.band2", "Band 2", EPage::kProduct, ECodec::kBand, kBandOffset).m_bit = 2;
    return t.m_fields;
}

std::vector<std::string> g_modelList;

bool Bit(const CMemoryImage& image, std::size_t offset, int bit) {
    return (image[offset] >> bit) & 1;
}

void SetBit(CMemoryImage& image, std::size_t offset, int bit, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    image[offset] = static_cast<std::uint8_t>(on ? image[offset] | mask : image[offset] & ~mask);
}

// The entry whose English or Chinese text is `text`, or -1 (no selection).
int FindEntry(const CField& field, const std::string& text) {
    for (std::size_t i = 0; i < field.m_entries.size(); ++i) {
        if (field.m_entries[i].m_en == text || field.m_entries[i].m_zh == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string EntryText(const CField& field, int index, bool chinese) {
    if (index < 0 || index >= static_cast<int>(field.m_entries.size())) {
        return {};
    }
    return field.m_entries[index].Get(chinese);
}

// Bytes from `offset` up to the first 0xFF, at most `length`.
std::string ReadText(const CMemoryImage& image, std::size_t offset, int length) {
    std::string text;
    for (int i = 0; i < length && image[offset + i] != 0xFF; ++i) {
        text.push_back(static_cast<char>(image[offset + i]));
    }
    return text;
}

void WriteText(CMemoryImage& image, std::size_t offset, int length, const std::string& text) {
    for (int i = 0; i < length; ++i) {
        image[offset + i] = i < static_cast<int>(text.size()) ? static_cast<std::uint8_t>(text[i])
                                                              : std::uint8_t{0xFF};
    }
}

// Band n (1 or 2) of the BCD bytes at 6120: {low, high} in MHz.
std::pair<int, int> ReadBand(const CMemoryImage& image, int band) {
    const CBands bands = DecodeBands(image);
    return band == 1 ? std::pair{bands.m_band1Low, bands.m_band1High}
                     : std::pair{bands.m_band2Low, bands.m_band2High};
}

void WriteBand(CMemoryImage& image, int band, int low, int high) {
    CBands bands = DecodeBands(image);
    (band == 1 ? bands.m_band1Low : bands.m_band2Low) = low;
    (band == 1 ? bands.m_band1High : bands.m_band2High) = high;
    // Only this band's three bytes: the other band's bytes stay as they are.
    CMemoryImage encoded = image;
    EncodeBands(bands, encoded);
    const std::size_t at = kBandOffset + (band - 1) * 3;
    std::copy_n(&encoded[at], 3, &image[at]);
}

const char* TimeFormat(const CField& field) {
    return field.m_time == ETimeKind::kRise ? "%3.2f" : "%2.1f";
}

bool AllowedChar(ECharset charset, char c) {
    switch (charset) {
        case ECharset::kAny:
            return c >= 0x20 && c < 0x7F;
        case ECharset::kDtmf:
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
        case ECharset::kHex:
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        case ECharset::kDigits:
            return c >= '0' && c <= '9';
    }
    return false;
}

const char* CharsetText(ECharset charset) {
    switch (charset) {
        case ECharset::kAny:
            return "printable ASCII characters";
        case ECharset::kDtmf:
            return "the characters 0-9, A-D, * and #";
        case ECharset::kHex:
            return "the characters 0-9 and A-F";
        case ECharset::kDigits:
            return "the digits 0-9";
    }
    return "";
}

// ASCII letters only: the process's locale must not decide what a letter is.
std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// What the 2-Tone edits let through: digits and one decimal point (and at least one digit).
bool IsDecimalText(const std::string& text) {
    return IsPlainDecimal(text);
}

// Edit lengths of the dialogs' time edits.
std::size_t MaxChars(const CField& field) {
    switch (field.m_codec) {
        case ECodec::kDtmfSpeed:
            return 2;
        case ECodec::kDtmfTime:
            return 4;
        case ECodec::kDtmfDelay:
            return 8;
        case ECodec::kToneFreq:
            return 6;
        case ECodec::kToneTime:
        case ECodec::kToneSteps:
            return field.m_time == ETimeKind::kInterval ? 3 : 4;
        default:
            return static_cast<std::size_t>(field.m_length);
    }
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

void SetSettingModels(std::vector<std::string> models) {
    g_modelList = std::move(models);
}

const std::vector<std::string>& SettingModels() {
    return g_modelList;
}

std::string LoadField(const CField& field, const CMemoryImage& image, bool chinese) {
    const std::uint8_t byte = image[field.m_offset];
    switch (field.m_codec) {
        case ECodec::kByteList: {
            const int index = byte < field.m_entries.size() ? byte : 0;
            return EntryText(field, index, chinese);
        }
        case ECodec::kBitList: {
            const bool set = Bit(image, field.m_offset, field.m_bit);
            return EntryText(field, set ? field.m_onIndex : 1 - field.m_onIndex, chinese);
        }
        case ECodec::kPatternList: {
            const int pattern = (byte >> field.m_bit) & 3;
            const int index = pattern < static_cast<int>(field.m_entries.size()) ? pattern : 0;
            return EntryText(field, index, chinese);
        }
        case ECodec::kCheck: {
            const bool checked = Bit(image, field.m_offset, field.m_bit) != field.m_inverted;
            return (checked ? kOn : kOff).Get(chinese);
        }
        case ECodec::kByteFlag:
            return (byte != 0 ? kOn : kOff).Get(chinese);
        case ECodec::kPassword: {
            std::string text;
            for (int i = 0; i < field.m_length; ++i) {
                const std::uint8_t c = image[field.m_offset + i];
                if (c < '0' || c > '9') {
                    break;
                }
                text.push_back(static_cast<char>(c));
            }
            return text;
        }
        case ECodec::kText:
            return ReadText(image, field.m_offset, field.m_length);
        case ECodec::kDtmfSpeed:
            return FormatInt(DtmfSpeedOfCode(byte & 3));
        case ECodec::kDtmfDelay:
        case ECodec::kDtmfTime:
            return FormatInt((byte & 0x1F) * 50);
        case ECodec::kGroupCode:
            if (byte == 0xFF) {
                return kOff.Get(chinese);
            }
            return byte == 0 ? std::string() : std::string(1, static_cast<char>(byte));
        case ECodec::kToneTime:
            return FormatNumber("%2.1f", byte / 10.0);
        case ECodec::kToneSteps:
            return FormatNumber(TimeFormat(field), ReadBe16(image, field.m_offset) / 20.0);
        case ECodec::kToneFreq:
            if (field.m_optional && byte == 0xFF && image[field.m_offset + 1] == 0xFF) {
                return {};
            }
            return FormatNumber("%4.1f", ReadBe16(image, field.m_offset) / 10.0);
        case ECodec::kSideKey:
            return EntryText(field, SideKeyIndex(byte), chinese);
        case ECodec::kSquelch:
            return SquelchText(byte, field.m_default);
        case ECodec::kModel:
            return byte < g_modelList.size() ? g_modelList[byte] : std::string();
        case ECodec::kBand: {
            const auto [low, high] = ReadBand(image, field.m_bit);
            return FormatInt(low) + "-" + FormatInt(high);
        }
    }
    return {};
}

void StoreField(const CField& field, CMemoryImage& image, const std::string& text) {
    std::uint8_t& byte = image[field.m_offset];
    switch (field.m_codec) {
        case ECodec::kByteList: {
            const int index = FindEntry(field, text);
            byte = static_cast<std::uint8_t>(index < 0 ? 0 : index);
            return;
        }
        case ECodec::kBitList: {
            // Anything but the first entry, and no selection, counts as the second entry.
            const int index = FindEntry(field, text) == 0 ? 0 : 1;
            SetBit(image, field.m_offset, field.m_bit, index == field.m_onIndex);
            return;
        }
        case ECodec::kPatternList: {
            const int index = std::max(FindEntry(field, text), 0);
            byte = static_cast<std::uint8_t>((byte & ~(3 << field.m_bit)) | (index << field.m_bit));
            return;
        }
        case ECodec::kCheck:
            SetBit(image, field.m_offset, field.m_bit,
                   kOn.m_en == text || kOn.m_zh == text ? !field.m_inverted : field.m_inverted);
            return;
        case ECodec::kByteFlag:
            byte = kOn.m_en == text || kOn.m_zh == text ? 1 : 0;
            return;
        case ECodec::kPassword:
        case ECodec::kText:
            WriteText(image, field.m_offset, field.m_length, text);
            return;
        case ECodec::kDtmfSpeed:
            byte = static_cast<std::uint8_t>((byte & 0xFC) |
                                             DtmfSpeedCode(NormaliseDtmfSpeed(LeadingInt(text))));
            return;
        case ECodec::kDtmfDelay:
            byte = static_cast<std::uint8_t>(NormaliseDtmfDelay(LeadingInt(text)) / 50);
            return;
        case ECodec::kDtmfTime:
            byte = static_cast<std::uint8_t>(NormaliseDtmfDigitTime(LeadingInt(text)) / 50);
            return;
        case ECodec::kGroupCode:
            // An empty text (the list closed without a selection) is stored as "Off".
            byte = text.empty() || kOff.m_en == text || kOff.m_zh == text
                       ? std::uint8_t{0xFF}
                       : static_cast<std::uint8_t>(text[0]);
            return;
        case ECodec::kToneTime: {
            const double seconds = LeadingNumber(text);
            byte = TwoToneDisplayTime(seconds);
            image[field.m_radioOffset] = TwoToneRadioTime(seconds);
            return;
        }
        case ECodec::kToneSteps: {
            const std::uint16_t steps = TwoToneSteps(LeadingNumber(text));
            WriteBe16(image, field.m_offset, steps);
            WriteBe16(image, field.m_radioOffset, steps);
            return;
        }
        case ECodec::kToneFreq:
            if (field.m_optional && text.empty()) {
                WriteBe16(image, field.m_offset, 0xFFFF);
                WriteBe16(image, field.m_radioOffset, 0x0000);
                return;
            }
            WriteBe16(image, field.m_offset, ToneDisplayValue(LeadingNumber(text)));
            WriteBe16(image, field.m_radioOffset,
                      ToneRadioDivisor(LeadingNumber(text), field.m_constant));
            return;
        case ECodec::kSideKey:
            byte = SideKeyByte(byte, std::max(FindEntry(field, text), 0));
            return;
        case ECodec::kSquelch:
            byte = SquelchByte(text, field.m_default);
            return;
        case ECodec::kModel: {
            auto it = std::find(g_modelList.begin(), g_modelList.end(), text);
            byte = it == g_modelList.end() ? std::uint8_t{0xFF}
                                           : static_cast<std::uint8_t>(it - g_modelList.begin());
            return;
        }
        case ECodec::kBand: {
            const auto dash = text.find('-');
            const int low = LeadingInt(text);
            const int high = dash == std::string::npos ? 0 : LeadingInt(text.substr(dash + 1));
            WriteBand(image, field.m_bit, low, high);
            return;
        }
    }
}

std::string ValidValues(const CField& field) {
    switch (field.m_codec) {
        case ECodec::kByteList:
        case ECodec::kBitList:
        case ECodec::kPatternList:
        case ECodec::kSideKey:
        case ECodec::kGroupCode: {
            if (field.m_entries.size() > 12) {
                return "\"" + field.m_entries.front().m_en + "\" or " + field.m_entries[1].m_en +
                       " to " + field.m_entries.back().m_en;
            }
            std::string list;
            for (const CChoice& choice : field.m_entries) {
                list += (list.empty() ? "\"" : ", \"") + choice.m_en + "\"";
            }
            return list;
        }
        case ECodec::kSquelch:
            return "an integer from -55 to 54";
        case ECodec::kCheck:
        case ECodec::kByteFlag:
            return "\"On\" (checked) or \"Off\"";
        case ECodec::kPassword:
            return "up to 6 digits";
        case ECodec::kText:
            return "up to " + FormatInt(field.m_length) + " of " + CharsetText(field.m_charset);
        case ECodec::kDtmfSpeed:
            return "6, 8, 10 or 15 digits per second (other numbers are rounded down to these)";
        case ECodec::kDtmfDelay:
            return "0 to 1000 milliseconds in steps of 50";
        case ECodec::kDtmfTime:
            return "0, 100, 500 or 1000 milliseconds";
        case ECodec::kToneTime:
        case ECodec::kToneSteps:
            switch (field.m_time) {
                case ETimeKind::kInterval:
                    return "0.0 to 2.0 seconds";
                case ETimeKind::kRise:
                    return "0.10 to 1.00 seconds in steps of 0.05";
                default:
                    return "0.5 to 10.0 seconds";
            }
        case ECodec::kToneFreq:
            return std::string(field.m_optional ? "empty, or " : "") + "288.5 to 3106.0 Hz";
        case ECodec::kModel: {
            if (g_modelList.empty()) {
                return "a model of [Setup] Type1..Type19 (the list is empty)";
            }
            std::string list;
            for (const std::string& model : g_modelList) {
                list += (list.empty() ? "\"" : ", \"") + model + "\"";
            }
            return list;
        }
        case ECodec::kBand:
            return "LOW-HIGH in whole MHz, 0 to 999, with LOW not above HIGH";
    }
    return {};
}

std::expected<std::string, std::string> ParseFieldValue(const CField& field,
                                                        const std::string& value, bool chinese) {
    auto invalid = [&]() -> std::expected<std::string, std::string> {
        return std::unexpected("invalid value \"" + value + "\" for " + field.m_key + " (" +
                               field.m_label + "); valid values: " + ValidValues(field) + ".");
    };
    switch (field.m_codec) {
        case ECodec::kByteList:
        case ECodec::kBitList:
        case ECodec::kPatternList:
        case ECodec::kSideKey:
        case ECodec::kGroupCode:
        case ECodec::kSquelch: {
            const int index = FindEntry(field, value);
            if (index < 0) {
                return invalid();
            }
            return field.m_entries[index].Get(chinese);
        }
        case ECodec::kCheck:
        case ECodec::kByteFlag:
            if (kOn.m_en == value || kOn.m_zh == value) {
                return kOn.Get(chinese);
            }
            if (kOff.m_en == value || kOff.m_zh == value) {
                return kOff.Get(chinese);
            }
            return invalid();
        case ECodec::kPassword:
            // Only digits survive the next opening of the dialog and the radio's check.
            if (value.size() > static_cast<std::size_t>(field.m_length) ||
                !std::all_of(value.begin(), value.end(),
                             [](char c) { return AllowedChar(ECharset::kDigits, c); })) {
                return invalid();
            }
            return value;
        case ECodec::kText: {
            const std::string upper = Upper(value);
            if (upper.size() > static_cast<std::size_t>(field.m_length) ||
                !std::all_of(upper.begin(), upper.end(),
                             [&](char c) { return AllowedChar(field.m_charset, c); })) {
                return invalid();
            }
            return upper;
        }
        case ECodec::kDtmfSpeed:
        case ECodec::kDtmfDelay:
        case ECodec::kDtmfTime: {
            if (value.empty() || value.size() > MaxChars(field) ||
                !std::all_of(value.begin(), value.end(),
                             [](char c) { return AllowedChar(ECharset::kDigits, c); })) {
                return invalid();
            }
            const int number = LeadingInt(value);
            const int normal = field.m_codec == ECodec::kDtmfSpeed ? NormaliseDtmfSpeed(number)
                               : field.m_codec == ECodec::kDtmfDelay
                                   ? NormaliseDtmfDelay(number)
                                   : NormaliseDtmfDigitTime(number);
            return FormatInt(normal);
        }
        case ECodec::kToneTime:
        case ECodec::kToneSteps:
            if (value.empty() || value.size() > MaxChars(field) || !IsDecimalText(value)) {
                return invalid();
            }
            switch (field.m_time) {
                case ETimeKind::kInterval:
                    return ClampTwoToneInterval(value, field.m_decode);
                case ETimeKind::kRise:
                    return ClampTwoToneRise(value);
                default:
                    return ClampTwoToneDelay(value);
            }
        case ECodec::kToneFreq:
            if (field.m_optional && value.empty()) {
                return value;
            }
            if (value.empty() || value.size() > MaxChars(field) || !IsDecimalText(value)) {
                return invalid();
            }
            return ClampTwoToneFrequency(value);
        case ECodec::kModel:
            if (std::find(g_modelList.begin(), g_modelList.end(), value) == g_modelList.end()) {
                return invalid();
            }
            return value;
        case ECodec::kBand: {
            const auto dash = value.find('-');
            if (dash == std::string::npos || dash == 0 || dash + 1 == value.size()) {
                return invalid();
            }
            const std::string low = value.substr(0, dash);
            const std::string high = value.substr(dash + 1);
            auto digits = [](const std::string& s) {
                return s.size() <= 3 &&
                       std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
            };
            if (!digits(low) || !digits(high)) {
                return invalid();
            }
            if (LeadingInt(high) < LeadingInt(low)) {
                return std::unexpected(std::string("Frequency input error") + " (" + field.m_key +
                                       " = " + value + ": the lower limit is above the upper).");
            }
            return FormatInt(LeadingInt(low)) + "-" + FormatInt(LeadingInt(high));
        }
    }
    return invalid();
}

std::expected<void, std::string> ApplySettings(CMemoryImage& image,
                                               const std::vector<CSettingChange>& changes) {
    // The texts as the dialogs' controls would hold them after the user's entries.
    std::map<const CField*, std::string> entered;
    std::set<std::pair<EPage, int>> pages;
    for (const CSettingChange& change : changes) {
        const CField* field = FindField(change.m_key);
        if (field == nullptr) {
            return std::unexpected("unknown key \"" + change.m_key +
                                   "\"; `lh740ctl show FILE` lists the keys.");
        }
        auto text = ParseFieldValue(*field, change.m_value, false);
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
            texts.emplace_back(field,
                               it != entered.end() ? it->second : LoadField(*field, result, false));
        }
        for (const auto& [field, text] : texts) {
            // Bands not entered keep their bytes: odd bytes from a radio survive.
            if (field->m_codec == ECodec::kBand && !entered.contains(field)) {
                continue;
            }
            StoreField(*field, result, text);
        }
    }
    image = result;
    return {};
}
