#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Where every radio-wide setting lives in the image and which bytes each value gives,
// written down from the radio's memory map on its own, so that a field declared at the
// wrong place, with a wrong bit or a wrong constant, disagrees with it.

// `length` bytes from `offset`; of each, the bits in `mask` belong to the field.
struct CPlace {
    std::size_t m_offset;
    int m_length;
    std::uint8_t m_mask;
};

// A value as the user enters it (and as `show` gives it back) and the bytes it stores,
// over all places of the field in order; only the masked bits count.
struct CPlaceValue {
    std::string m_text;
    std::vector<std::uint8_t> m_bytes;
};

struct CFieldPlaces {
    std::string m_key;
    std::vector<CPlace> m_places;
    std::vector<CPlaceValue> m_values;
};

// The model names the table's product.model values use (the first two of Program.ini).
inline const std::vector<std::string>& FieldPlaceModels() {
    static const std::vector<std::string> models = {"LH-740 V (136-174 MHz)",
                                                    "LH-740 U (400-480 MHz)"};
    return models;
}

inline const std::vector<CFieldPlaces>& AllFieldPlaces() {
    static const std::vector<CFieldPlaces> table = [] {
        std::vector<CFieldPlaces> t;
        using V = std::vector<CPlaceValue>;
        // A whole byte holding the index of the entry.
        auto list = [&](std::string key, std::size_t at, std::vector<std::string> entries) {
            V values;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                values.push_back({entries[i], {static_cast<std::uint8_t>(i)}});
            }
            t.push_back({std::move(key), {{at, 1, 0xFF}}, std::move(values)});
        };
        auto bits = [&](std::string key, std::size_t at, std::uint8_t mask, V values) {
            t.push_back({std::move(key), {{at, 1, mask}}, std::move(values)});
        };
        // Characters one byte each, 0xFF after the end.
        auto text = [&](std::string key, std::size_t at, int length,
                        std::vector<std::string> texts) {
            V values;
            for (const std::string& s : texts) {
                std::vector<std::uint8_t> bytes(s.begin(), s.end());
                bytes.resize(static_cast<std::size_t>(length), 0xFF);
                values.push_back({s, bytes});
            }
            t.push_back({std::move(key), {{at, length, 0xFF}}, std::move(values)});
        };
        auto numbers = [](int first, int last, int factor) {
            std::vector<std::string> texts;
            for (int n = first; n <= last; ++n) {
                texts.push_back(std::to_string(n * factor));
            }
            return texts;
        };
        auto with = [](std::string first, std::vector<std::string> rest) {
            rest.insert(rest.begin(), std::move(first));
            return rest;
        };

        list("options.tot", 0x1260, with("Off", numbers(1, 9, 30)));
        list("options.squelch", 0x1261, numbers(0, 9, 1));
        list("options.vox", 0x1262, with("Off", numbers(1, 9, 1)));
        list("options.step", 0x1263, {"5", "6.25", "10", "12.5", "25"});
        list("options.tot_prealert", 0x1264, with("Off", numbers(1, 9, 1)));
        list("options.priority", 0x12A9, with("None", numbers(1, 128, 1)));
        bits("options.alarm", 0x1265, 0x02, {{"On", {0x02}}, {"Off", {0x00}}});
        bits("options.key_lock", 0x1265, 0x04, {{"Auto", {0x00}}, {"Manual", {0x04}}});
        bits("options.beep", 0x1265, 0x08, {{"On", {0x08}}, {"Off", {0x00}}});
        bits("options.stopwatch", 0x1265, 0x10, {{"On", {0x10}}, {"Off", {0x00}}});
        bits("options.scan_mode", 0x1265, 0x60, {{"TO", {0x00}}, {"CO", {0x20}}, {"SE", {0x40}}});
        bits("options.power_on_style", 0x1266, 0x0C,
             {{"Off", {0x00}}, {"Voltage", {0x04}}, {"Message", {0x08}}});
        bits("options.back_light", 0x1266, 0x30,
             {{"Off", {0x00}}, {"Auto", {0x10}}, {"On", {0x20}}});
        bits("options.back_light_color", 0x1266, 0xC0,
             {{"Light 1", {0x00}}, {"Light 2", {0x40}}, {"Light 3", {0x80}}});
        bits("options.display_mode", 0x1267, 0x03,
             {{"CHANNEL", {0}}, {"NAME", {1}}, {"FREQ.CH", {2}}, {"FREQ", {3}}});
        bits("options.battery_saver", 0x12A8, 0x01, {{"On", {0x01}}, {"Off", {0x00}}});
        bits("options.keypad_lock", 0x12A8, 0x80, {{"On", {0x00}}, {"Off", {0x80}}});
        bits("options.msk_type", 0x12AB, 0x01, {{"MSK-I", {0x01}}, {"MSK-II", {0x00}}});
        bits("options.repeater_msk_invert", 0x12AB, 0x02, {{"On", {0x02}}, {"Off", {0x00}}});
        text("options.password", 0x17D2, 6, {"123456", "1234", "09", ""});

        bits("dtmf.speed", 0x1308, 0x03, {{"6", {0}}, {"8", {1}}, {"10", {2}}, {"15", {3}}});
        bits("dtmf.first_delay", 0x1309, 0xFF, {{"0", {0}}, {"250", {5}}, {"1000", {20}}});
        bits("dtmf.first_time", 0x130A, 0xFF,
             {{"0", {0}}, {"100", {2}}, {"500", {10}}, {"1000", {20}}});
        bits("dtmf.star_hash_time", 0x130B, 0xFF,
             {{"0", {0}}, {"100", {2}}, {"500", {10}}, {"1000", {20}}});
        bits("dtmf.side_tone", 0x12A8, 0x40, {{"On", {0x40}}, {"Off", {0x00}}});
        text("dtmf.id_code", 0x1320, 10, {"0123456789", "AB", ""});
        bits("dtmf.group_code", 0x132F, 0xFF,
             {{"Off", {0xFF}},
              {"A", {'A'}},
              {"B", {'B'}},
              {"C", {'C'}},
              {"D", {'D'}},
              {"*", {'*'}},
              {"#", {'#'}}});
        bits("dtmf.stun", 0x12A8, 0x10, {{"On", {0x10}}, {"Off", {0x00}}});
        bits("dtmf.stun_type", 0x12A8, 0x20,
             {{"Tx inhibit", {0x20}}, {"Transceiver inhibit", {0x00}}});
        text("dtmf.stun_code", 0x1338, 10, {"0123456789", "*#ABCD", ""});
        const std::size_t calls[] = {0x1380, 0x1398, 0x13B0, 0x13C8, 0x13E0,
                                     0x13F8, 0x1410, 0x1428, 0x1440};
        for (int n = 1; n <= 9; ++n) {
            text("dtmf.call." + std::to_string(n), calls[n - 1], 16,
                 {"0123456789ABCD*#", "12", ""});
        }

        // 2-Tone: display copy, then radio copy. Times: tenths of seconds and 50 ms steps;
        // interval and rise: one 16-bit big-endian 50 ms value in both copies.
        auto time = [&](std::string key, std::size_t display, std::size_t radio, V values) {
            t.push_back(
                {std::move(key), {{display, 1, 0xFF}, {radio, 1, 0xFF}}, std::move(values)});
        };
        auto steps = [&](std::string key, std::size_t display, std::size_t radio, V values) {
            t.push_back(
                {std::move(key), {{display, 2, 0xFF}, {radio, 2, 0xFF}}, std::move(values)});
        };
        const V delays = {{"0.5", {5, 10}}, {"10.0", {100, 200}}, {"2.3", {23, 46}}};
        time("2tone.first_delay", 0x1620, 0x17A0, delays);
        time("2tone.second_delay", 0x1621, 0x17A1, delays);
        time("2tone.long_delay", 0x1622, 0x17A2, delays);
        steps("2tone.interval", 0x1623, 0x17A3,
              {{"1.0", {0, 20, 0, 20}}, {"0.0", {0, 0, 0, 0}}, {"2.0", {0, 40, 0, 40}}});
        steps("2tone.rise_delay", 0x1625, 0x17A5,
              {{"0.10", {0, 2, 0, 2}}, {"1.00", {0, 20, 0, 20}}, {"0.55", {0, 11, 0, 11}}});
        bits("2tone.short_beep", 0x1627, 0xFF, {{"On", {1}}, {"Off", {0}}});
        // Tones: display frequency x 10, radio 111957 (encode) or 895658 (decode) / frequency,
        // rounded half up; both 16-bit big-endian. 292.7 and 327.9 lie where a constant off by
        // one rounds the other way.
        const V encodeTones = {{"2000.0", {0x4E, 0x20, 0x00, 0x38}},
                               {"288.5", {0x0B, 0x45, 0x01, 0x84}},
                               {"292.7", {0x0B, 0x6F, 0x01, 0x7E}},
                               {"", {0xFF, 0xFF, 0x00, 0x00}}};
        for (int m = 1; m <= 32; ++m) {
            const std::size_t at = static_cast<std::size_t>((m - 1) / 4 * 24 + (m - 1) % 4 * 4);
            for (int tone = 0; tone < 2; ++tone) {
                steps("2tone.encode." + std::to_string(m) + ".tone" + std::to_string(tone + 1),
                      0x1500 + at + 2 * tone, 0x1680 + at + 2 * tone, encodeTones);
            }
        }
        const V decodeTones = {{"2000.0", {0x4E, 0x20, 0x01, 0xC0}},
                               {"1000.0", {0x27, 0x10, 0x03, 0x80}},
                               {"3106.0", {0x79, 0x54, 0x01, 0x20}},
                               {"327.9", {0x0C, 0xCF, 0x0A, 0xAB}}};
        const V intervals = {{"1.0", {10, 20}}, {"0.0", {0, 0}}, {"2.0", {20, 40}}};
        const std::size_t slots[] = {0x15C0, 0x15C8, 0x15D8, 0x15E0,
                                     0x15F0, 0x15F8, 0x1608, 0x1610};
        const std::size_t radioSlots[] = {0x1740, 0x1748, 0x1758, 0x1760,
                                          0x1770, 0x1778, 0x1788, 0x1790};
        for (int k = 1; k <= 8; ++k) {
            const std::string p = "2tone.decode." + std::to_string(k) + ".";
            const std::size_t d = slots[k - 1];
            const std::size_t r = radioSlots[k - 1];
            steps(p + "a", d, r, decodeTones);
            steps(p + "b", d + 2, r + 2, decodeTones);
            time(p + "first_delay", d + 4, r + 4, delays);
            time(p + "second_delay", d + 5, r + 5, delays);
            time(p + "interval", d + 6, r + 6, intervals);
            time(p + "long_delay", d + 7, r + 7, delays);
        }

        // MSK: 4 characters each, packed through the 16 transferred bytes of each row.
        const std::size_t msk[] = {0x12C0, 0x12C4, 0x12C8, 0x12CC, 0x12D8,
                                   0x12DC, 0x12E0, 0x12E4, 0x12F0, 0x12F4};
        text("msk.id", msk[0], 4, {"12AF", "0", ""});
        for (int n = 1; n <= 9; ++n) {
            text("msk.call." + std::to_string(n), msk[n], 4, {"BEEF", "12A", ""});
        }

        bits("key.side", 0x12AA, 0x03,
             {{"Option Singalling Call", {3}},
              {"Emergency Call", {2}},
              {"Send 1750Hz Singal", {1}},
              {"Squelch Off Momentary", {0}}});

        // Squelch tuning: the value plus 64.
        const V squelch = {{"-55", {9}}, {"54", {118}}, {"0", {64}}, {"-23", {41}}};
        bits("squelch.v_wide", 6126, 0xFF, squelch);
        bits("squelch.v_narrow", 6127, 0xFF, squelch);
        bits("squelch.u_wide", 6128, 0xFF, squelch);
        bits("squelch.u_narrow", 6129, 0xFF, squelch);

        bits("product.model", 6097, 0xFF,
             {{FieldPlaceModels()[0], {0}}, {FieldPlaceModels()[1], {1}}});
        // Hundreds and tens of low and high, then the units of low (high nibble) and high.
        t.push_back({"product.band1",
                     {{6120, 3, 0xFF}},
                     {{"136-174", {0x13, 0x17, 0x64}}, {"400-470", {0x40, 0x47, 0x00}}}});
        t.push_back({"product.band2",
                     {{6123, 3, 0xFF}},
                     {{"350-520", {0x35, 0x52, 0x00}}, {"123-989", {0x12, 0x98, 0x39}}}});
        return t;
    }();
    return table;
}
