#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <utility>
#include <vector>

#include "image/MemoryImage.h"
#include "util/Error.h"

// Every radio-wide setting declared once: the key lh740ctl names it by, its place in the
// image, its codec and its list entries. The dialogs, `show`, `set` and the report read
// this table, so they cannot disagree.

// A list entry in both languages.
struct CChoice {
    std::string m_en;
    std::string m_zh;
    const std::string& Get(bool chinese) const { return chinese ? m_zh : m_en; }
};

// How a field's text and bytes convert; each kind is one object (editors/FieldCodecs.h).
enum class ECodec {
    kByteList,     // whole byte = index; an index outside the list shows the first entry
    kBitList,      // one bit; m_onIndex is the entry that a set bit means
    kPatternList,  // two bits from m_bit; a pattern without an entry shows index 0
    kCheck,        // one bit; m_inverted: a clear bit means checked
    kByteFlag,     // whole byte: checked when not 0, stored 1 or 0
    kPassword,     // digits only, 0xFF after the end
    kText,         // m_length bytes ending at the first 0xFF, upper case, m_charset
    kDtmfSpeed,    // bits 0-1, the digits per second
    kDtmfDelay,    // byte x 50 ms, masked with 0x1F when read
    kDtmfTime,     // as the delay, with the four-step rule
    kGroupCode,    // one character or 0xFF = "Off"
    kToneTime,     // display tenths at m_offset, radio 50 ms steps at m_radioOffset
    kToneSteps,    // 16-bit 50 ms steps in both copies
    kToneFreq,     // display tenths of Hz, radio divisor m_constant; m_optional: may be empty
    kSideKey,      // 3 - index in bits 0-1
    kSquelch,      // value + 64, m_default when out of range
    kModel,        // model index at 6097 from the model list
    kBand,         // band m_bit (1 or 2) in the BCD bytes at 6120
};

// The unit a dialog stores at once: every field of the page is written when it is stored.
enum class EPage {
    kOptions,
    kDtmfEncode,
    kDtmfDecode,
    kDtmfCallList,
    kTwoToneEncode,
    kTwoToneDecode,  // one page per slot, m_slot
    kMsk,
    kKey,
    kSquelch,
    kProduct,
};

enum class ECharset { kAny, kDtmf, kHex, kDigits };

// Which of the 2-Tone edits a time is: it decides the clamp and the format.
enum class ETimeKind { kNone, kDelay, kInterval, kRise };

struct CField {
    std::string m_key;
    std::string m_label;  // English label of the dialog, for messages
    EPage m_page = EPage::kOptions;
    int m_slot = 0;
    ECodec m_codec = ECodec::kByteList;
    std::size_t m_offset = 0;
    int m_bit = 0;
    int m_length = 0;
    std::vector<CChoice> m_entries;
    int m_onIndex = 0;
    bool m_inverted = false;
    ECharset m_charset = ECharset::kAny;
    std::size_t m_radioOffset = 0;
    int m_constant = 0;
    bool m_optional = false;
    bool m_decode = false;
    ETimeKind m_time = ETimeKind::kNone;
    std::uint8_t m_default = 0;
};

// The sections of `show`, in the order of the program's navigation tree.
const std::vector<std::string>& SettingSections();
// All fields in dialog order.
const std::vector<CField>& SettingFields();
const CField* FindField(const std::string& key);
// The fields of one dialog page (a 2-Tone decode slot is a page of its own), in dialog order.
std::vector<const CField*> PageFields(EPage page, int slot = 0);
// The part of a key before the first dot.
std::string SectionOf(const CField& field);

// What a field's texts depend on besides the image: the language of list texts, and for the
// model the list of [Setup] Type1..Type19 (empty where the program's settings are not at hand).
struct CFieldContext {
    bool m_bChinese = false;
    std::vector<std::string> m_models;

    CFieldContext(bool chinese = false, std::vector<std::string> models = {})  // NOLINT
        : m_bChinese(chinese), m_models(std::move(models)) {}
};

// The codec of the field's kind does the work of the next four.
// The text the dialog shows on opening.
std::string LoadField(const CField& field, const CMemoryImage& image, const CFieldContext& context);
// Stores a control's text as the dialog does on OK (lenient: whatever the control held).
void StoreField(const CField& field, CMemoryImage& image, const std::string& text,
                const CFieldContext& context = {});
// What a user may enter: the control text after the dialog's normalisation, or an error
// that names the valid values. The context's language chooses the list texts returned.
CResult<std::string> ParseFieldValue(const CField& field, const std::string& value,
                                     const CFieldContext& context);
// A short description of the values a field takes, for messages and --help.
std::string ValidValues(const CField& field, const CFieldContext& context = {});

// Applies KEY=VALUE pairs as a user entering them and pressing OK (or leaving the page):
// every page touched is loaded, changed and stored whole. On error the image is unchanged.
struct CSettingChange {
    std::string m_key;
    std::string m_value;
};
CResult<> ApplySettings(CMemoryImage& image, const std::vector<CSettingChange>& changes,
                        const CFieldContext& context = {});
