#include "editors/FieldCodecs.h"

#include <algorithm>

#include "channels/Bands.h"
#include "editors/EditorRules.h"
#include "util/Number.h"
#include "util/Text.h"

namespace {

const CChoice kOn = {"On", "开"};
const CChoice kOff = {"Off", "关"};

bool IsOn(const std::string& text) {
    return kOn.m_en == text || kOn.m_zh == text;
}

bool IsOff(const std::string& text) {
    return kOff.m_en == text || kOff.m_zh == text;
}

bool Bit(const CMemoryImage& image, std::size_t offset, int bit) {
    return (image[offset] >> bit) & 1;
}

void SetBit(CMemoryImage& image, std::size_t offset, int bit, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    image[offset] = static_cast<std::uint8_t>(on ? image[offset] | mask : image[offset] & ~mask);
}

// The entry whose English or Chinese text is `text`, or -1 (no selection).
int FindEntry(const CField& field, const std::string& text) {
    const auto& entries = field.m_entries;
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const CChoice& entry) {
        return entry.m_en == text || entry.m_zh == text;
    });
    return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
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

bool AllAllowed(ECharset charset, const std::string& text) {
    return std::all_of(text.begin(), text.end(), [&](char c) { return AllowedChar(charset, c); });
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

// "a", "b", "c" as a list of quoted texts.
std::string QuotedList(const std::vector<std::string>& texts) {
    std::string list;
    for (const std::string& text : texts) {
        list += (list.empty() ? "\"" : ", \"") + text + "\"";
    }
    return list;
}

// Lists: the entries are the values, in either language.
class CListCodec : public CFieldCodec {
public:
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        const int index = FindEntry(field, value);
        if (index < 0) {
            return Invalid(field, value, context);
        }
        return field.m_entries[index].Get(context.m_bChinese);
    }
    std::string ValidValues(const CField& field, const CFieldContext&) const override {
        if (field.m_entries.size() > 12) {
            return "\"" + field.m_entries.front().m_en + "\" or " + field.m_entries[1].m_en +
                   " to " + field.m_entries.back().m_en;
        }
        std::vector<std::string> texts;
        for (const CChoice& choice : field.m_entries) {
            texts.push_back(choice.m_en);
        }
        return QuotedList(texts);
    }
};

// The whole byte is the index; an index outside the list shows the first entry.
class CByteListCodec : public CListCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        const std::uint8_t byte = image[field.m_offset];
        return EntryText(field, byte < field.m_entries.size() ? byte : 0, context.m_bChinese);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        const int index = FindEntry(field, text);
        image[field.m_offset] = static_cast<std::uint8_t>(index < 0 ? 0 : index);
    }
};

// One bit; m_onIndex is the entry a set bit means.
class CBitListCodec : public CListCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        const bool set = Bit(image, field.m_offset, field.m_bit);
        return EntryText(field, set ? field.m_onIndex : 1 - field.m_onIndex, context.m_bChinese);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        // Anything but the first entry, and no selection, counts as the second entry.
        const int index = FindEntry(field, text) == 0 ? 0 : 1;
        SetBit(image, field.m_offset, field.m_bit, index == field.m_onIndex);
    }
};

// Two bits from m_bit; a pattern without an entry shows the first.
class CPatternListCodec : public CListCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        const int pattern = (image[field.m_offset] >> field.m_bit) & 3;
        const int index = pattern < static_cast<int>(field.m_entries.size()) ? pattern : 0;
        return EntryText(field, index, context.m_bChinese);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        const int index = std::max(FindEntry(field, text), 0);
        std::uint8_t& byte = image[field.m_offset];
        byte = static_cast<std::uint8_t>((byte & ~(3 << field.m_bit)) | (index << field.m_bit));
    }
};

class CSideKeyCodec : public CListCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        return EntryText(field, SideKeyIndex(image[field.m_offset]), context.m_bChinese);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        std::uint8_t& byte = image[field.m_offset];
        byte = SideKeyByte(byte, std::max(FindEntry(field, text), 0));
    }
};

// One character, or 0xFF for "Off".
class CGroupCodeCodec : public CListCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        const std::uint8_t byte = image[field.m_offset];
        if (byte == 0xFF) {
            return kOff.Get(context.m_bChinese);
        }
        return byte == 0 ? std::string() : std::string(1, static_cast<char>(byte));
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        // An empty text (the list closed without a selection) is stored as "Off".
        image[field.m_offset] =
            text.empty() || IsOff(text) ? std::uint8_t{0xFF} : static_cast<std::uint8_t>(text[0]);
    }
};

class CSquelchCodec : public CListCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        return SquelchText(image[field.m_offset], field.m_default);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        image[field.m_offset] = SquelchByte(text, field.m_default);
    }
    std::string ValidValues(const CField&, const CFieldContext&) const override {
        return "an integer from " + FormatInt(kSquelchMin) + " to " + FormatInt(kSquelchMax);
    }
};

// Check boxes: "On" or "Off".
class CSwitchCodec : public CFieldCodec {
public:
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        if (IsOn(value)) {
            return kOn.Get(context.m_bChinese);
        }
        if (IsOff(value)) {
            return kOff.Get(context.m_bChinese);
        }
        return Invalid(field, value, context);
    }
    std::string ValidValues(const CField&, const CFieldContext&) const override {
        return "\"On\" (checked) or \"Off\"";
    }
};

// One bit; m_inverted: a clear bit means checked.
class CCheckCodec : public CSwitchCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        const bool checked = Bit(image, field.m_offset, field.m_bit) != field.m_inverted;
        return (checked ? kOn : kOff).Get(context.m_bChinese);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        SetBit(image, field.m_offset, field.m_bit,
               IsOn(text) ? !field.m_inverted : field.m_inverted);
    }
};

// The whole byte: checked when not 0, stored 1 or 0.
class CByteFlagCodec : public CSwitchCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        return (image[field.m_offset] != 0 ? kOn : kOff).Get(context.m_bChinese);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        image[field.m_offset] = IsOn(text) ? 1 : 0;
    }
};

// Texts of m_length bytes ending at the first 0xFF.
class CTextCodec : public CFieldCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        return ReadText(image, field.m_offset, field.m_length);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        WriteText(image, field.m_offset, field.m_length, text);
    }
    // Upper case, in the field's characters.
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        const std::string upper = Upper(value);
        if (upper.size() > static_cast<std::size_t>(field.m_length) ||
            !AllAllowed(field.m_charset, upper)) {
            return Invalid(field, value, context);
        }
        return upper;
    }
    std::string ValidValues(const CField& field, const CFieldContext&) const override {
        return "up to " + FormatInt(field.m_length) + " of " + CharsetText(field.m_charset);
    }
};

// The password: digits only, the text ending at the first byte that is no digit.
class CPasswordCodec : public CTextCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
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
    // Only digits survive the next opening of the dialog and the radio's check.
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        if (value.size() > static_cast<std::size_t>(field.m_length) ||
            !AllAllowed(ECharset::kDigits, value)) {
            return Invalid(field, value, context);
        }
        return value;
    }
    std::string ValidValues(const CField& field, const CFieldContext&) const override {
        return "up to " + FormatInt(field.m_length) + " digits";
    }
};

// The DTMF encode edits: digits, as many as the edit takes, normalised as leaving the edit does.
class CDtmfNumberCodec : public CFieldCodec {
public:
    CDtmfNumberCodec(int (*normalise)(int), std::size_t maxChars, const char* valid)
        : m_normalise(normalise), m_maxChars(maxChars), m_valid(valid) {}

    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        if (value.empty() || value.size() > m_maxChars || !AllAllowed(ECharset::kDigits, value)) {
            return Invalid(field, value, context);
        }
        return FormatInt(m_normalise(LeadingInt(value)));
    }
    std::string ValidValues(const CField&, const CFieldContext&) const override { return m_valid; }

protected:
    int (*m_normalise)(int);

private:
    std::size_t m_maxChars;
    const char* m_valid;
};

// Bits 0-1: the digits per second.
class CDtmfSpeedCodec : public CDtmfNumberCodec {
public:
    CDtmfSpeedCodec()
        : CDtmfNumberCodec(
              NormaliseDtmfSpeed, 2,
              "6, 8, 10 or 15 digits per second (other numbers are rounded down to these)") {}

    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        return FormatInt(DtmfSpeedOfCode(image[field.m_offset] & 3));
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        std::uint8_t& byte = image[field.m_offset];
        byte =
            static_cast<std::uint8_t>((byte & 0xFC) | DtmfSpeedCode(m_normalise(LeadingInt(text))));
    }
};

// The byte times 50 ms, masked with 0x1F when read.
class CDtmfStepsCodec : public CDtmfNumberCodec {
public:
    using CDtmfNumberCodec::CDtmfNumberCodec;

    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        return FormatInt((image[field.m_offset] & 0x1F) * 50);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        image[field.m_offset] = static_cast<std::uint8_t>(m_normalise(LeadingInt(text)) / 50);
    }
};

// The 2-Tone time edits: a plain decimal, clamped as leaving the edit does (m_time decides).
class CTwoToneTimeCodec : public CFieldCodec {
public:
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        const std::size_t maxChars = field.m_time == ETimeKind::kInterval ? 3 : 4;
        if (value.empty() || value.size() > maxChars || !IsPlainDecimal(value)) {
            return Invalid(field, value, context);
        }
        switch (field.m_time) {
            case ETimeKind::kInterval:
                return ClampTwoToneInterval(value, field.m_decode);
            case ETimeKind::kRise:
                return ClampTwoToneRise(value);
            default:
                return ClampTwoToneDelay(value);
        }
    }
    std::string ValidValues(const CField& field, const CFieldContext&) const override {
        switch (field.m_time) {
            case ETimeKind::kInterval:
                return "0.0 to 2.0 seconds";
            case ETimeKind::kRise:
                return "0.10 to 1.00 seconds in steps of 0.05";
            default:
                return "0.5 to 10.0 seconds";
        }
    }
};

// Display tenths at m_offset, radio 50 ms steps at m_radioOffset.
class CToneTimeCodec : public CTwoToneTimeCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        return FormatNumber("%2.1f", image[field.m_offset] / 10.0);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        const double seconds = LeadingNumber(text);
        image[field.m_offset] = TwoToneDisplayTime(seconds);
        image[field.m_radioOffset] = TwoToneRadioTime(seconds);
    }
};

// 16-bit 50 ms steps in both copies.
class CToneStepsCodec : public CTwoToneTimeCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        const char* format = field.m_time == ETimeKind::kRise ? "%3.2f" : "%2.1f";
        return FormatNumber(format, ReadBe16(image, field.m_offset) / 20.0);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        const std::uint16_t steps = TwoToneSteps(LeadingNumber(text));
        WriteBe16(image, field.m_offset, steps);
        WriteBe16(image, field.m_radioOffset, steps);
    }
};

// Display tenths of hertz, radio divisor m_constant; m_optional: the edit may be empty.
class CToneFreqCodec : public CFieldCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        if (field.m_optional && image[field.m_offset] == 0xFF &&
            image[field.m_offset + 1] == 0xFF) {
            return {};
        }
        return FormatNumber("%4.1f", ReadBe16(image, field.m_offset) / 10.0);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        if (field.m_optional && text.empty()) {
            WriteBe16(image, field.m_offset, 0xFFFF);
            WriteBe16(image, field.m_radioOffset, 0x0000);
            return;
        }
        WriteBe16(image, field.m_offset, ToneDisplayValue(LeadingNumber(text)));
        WriteBe16(image, field.m_radioOffset,
                  ToneRadioDivisor(LeadingNumber(text), field.m_constant));
    }
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        if (field.m_optional && value.empty()) {
            return value;
        }
        if (value.empty() || value.size() > 6 || !IsPlainDecimal(value)) {
            return Invalid(field, value, context);
        }
        return ClampTwoToneFrequency(value);
    }
    std::string ValidValues(const CField& field, const CFieldContext&) const override {
        return std::string(field.m_optional ? "empty, or " : "") + "288.5 to 3106.0 Hz";
    }
};

// The model index at 6097, from the model list.
class CModelCodec : public CFieldCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext& context) const override {
        const std::uint8_t byte = image[field.m_offset];
        const auto& models = context.m_models;
        return byte < models.size() ? models[byte] : std::string();
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext& context) const override {
        const auto& models = context.m_models;
        auto it = std::find(models.begin(), models.end(), text);
        image[field.m_offset] = it == models.end() ? std::uint8_t{0xFF}
                                                   : static_cast<std::uint8_t>(it - models.begin());
    }
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        const auto& models = context.m_models;
        if (std::find(models.begin(), models.end(), value) == models.end()) {
            return Invalid(field, value, context);
        }
        return value;
    }
    std::string ValidValues(const CField&, const CFieldContext& context) const override {
        if (context.m_models.empty()) {
            return "a model of [Setup] Type1..Type19 (the list is empty)";
        }
        return QuotedList(context.m_models);
    }
};

// Band m_bit (1 or 2) in the BCD bytes at 6120, as "LOW-HIGH" in MHz.
class CBandCodec : public CFieldCodec {
public:
    std::string Load(const CField& field, const CMemoryImage& image,
                     const CFieldContext&) const override {
        const CBandsMHz bands = DecodeBands(image);
        const bool first = field.m_bit == 1;
        return FormatInt(first ? bands.m_band1Low : bands.m_band2Low) + "-" +
               FormatInt(first ? bands.m_band1High : bands.m_band2High);
    }
    void Store(const CField& field, CMemoryImage& image, const std::string& text,
               const CFieldContext&) const override {
        const auto dash = text.find('-');
        const int low = LeadingInt(text);
        const int high = dash == std::string::npos ? 0 : LeadingInt(text.substr(dash + 1));
        CBandsMHz bands = DecodeBands(image);
        const bool first = field.m_bit == 1;
        (first ? bands.m_band1Low : bands.m_band2Low) = low;
        (first ? bands.m_band1High : bands.m_band2High) = high;
        // Only this band's three bytes: the other band's bytes stay as they are.
        CMemoryImage encoded = image;
        EncodeBands(bands, encoded);
        const std::size_t at = kBandBytesOffset + (field.m_bit - 1) * 3;
        std::copy_n(&encoded[at], 3, &image[at]);
    }
    CResult<std::string> Parse(const CField& field, const std::string& value,
                               const CFieldContext& context) const override {
        const auto dash = value.find('-');
        if (dash == std::string::npos || dash == 0 || dash + 1 == value.size()) {
            return Invalid(field, value, context);
        }
        const std::string low = value.substr(0, dash);
        const std::string high = value.substr(dash + 1);
        auto digits = [](const std::string& s) {
            return s.size() <= 3 && AllAllowed(ECharset::kDigits, s);
        };
        if (!digits(low) || !digits(high)) {
            return Invalid(field, value, context);
        }
        if (LeadingInt(high) < LeadingInt(low)) {
            return std::unexpected(CTexts::Same(std::string("Frequency input error") + " (" +
                                                field.m_key + " = " + value +
                                                ": the lower limit is above the upper)."));
        }
        return FormatInt(LeadingInt(low)) + "-" + FormatInt(LeadingInt(high));
    }
    std::string ValidValues(const CField&, const CFieldContext&) const override {
        return "LOW-HIGH in whole MHz, 0 to 999, with LOW not above HIGH";
    }
};

}  // namespace

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

std::unexpected<CError> CFieldCodec::Invalid(const CField& field, const std::string& value,
                                             const CFieldContext& context) const {
    return std::unexpected<CError>(
        CTexts::Same("invalid value \"" + Printable(value) + "\" for " + field.m_key + " (" +
                     field.m_label + "); valid values: " + ValidValues(field, context) + "."));
}

const CFieldCodec& CodecOf(ECodec codec) {
    static const CByteListCodec byteList;
    static const CBitListCodec bitList;
    static const CPatternListCodec patternList;
    static const CCheckCodec check;
    static const CByteFlagCodec byteFlag;
    static const CPasswordCodec password;
    static const CTextCodec text;
    static const CDtmfSpeedCodec dtmfSpeed;
    static const CDtmfStepsCodec dtmfDelay(NormaliseDtmfDelay, 8,
                                           "0 to 1000 milliseconds in steps of 50");
    static const CDtmfStepsCodec dtmfTime(NormaliseDtmfDigitTime, 4,
                                          "0, 100, 500 or 1000 milliseconds");
    static const CGroupCodeCodec groupCode;
    static const CToneTimeCodec toneTime;
    static const CToneStepsCodec toneSteps;
    static const CToneFreqCodec toneFreq;
    static const CSideKeyCodec sideKey;
    static const CSquelchCodec squelch;
    static const CModelCodec model;
    static const CBandCodec band;
    switch (codec) {
        case ECodec::kByteList:
            return byteList;
        case ECodec::kBitList:
            return bitList;
        case ECodec::kPatternList:
            return patternList;
        case ECodec::kCheck:
            return check;
        case ECodec::kByteFlag:
            return byteFlag;
        case ECodec::kPassword:
            return password;
        case ECodec::kText:
            return text;
        case ECodec::kDtmfSpeed:
            return dtmfSpeed;
        case ECodec::kDtmfDelay:
            return dtmfDelay;
        case ECodec::kDtmfTime:
            return dtmfTime;
        case ECodec::kGroupCode:
            return groupCode;
        case ECodec::kToneTime:
            return toneTime;
        case ECodec::kToneSteps:
            return toneSteps;
        case ECodec::kToneFreq:
            return toneFreq;
        case ECodec::kSideKey:
            return sideKey;
        case ECodec::kSquelch:
            return squelch;
        case ECodec::kModel:
            return model;
        case ECodec::kBand:
            return band;
    }
    return text;
}
