#include "channels/Codecs.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "channels/ChannelTable.h"
#include "settings/Language.h"
#include "util/Gbk.h"
#include "util/Number.h"

namespace {

constexpr const CText& kNone = kNoneText;

constexpr const char* kQtTones[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

constexpr int kDqtCodes[] = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
    116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
    225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
    325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
    452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
    627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};
static_assert(std::size(kQtTones) == 50 && std::size(kDqtCodes) == 105);

std::vector<std::string> BuildToneList(bool chinese) {
    std::vector<std::string> list;
    list.reserve(kToneCount);
    list.emplace_back(kNone.Get(chinese));
    for (const char* qt : kQtTones) {
        list.emplace_back(qt);
    }
    for (const char suffix : {'N', 'I'}) {
        for (int code : kDqtCodes) {
            char text[16];
            std::snprintf(text, sizeof text, "D%03d%c", code, suffix);
            list.emplace_back(text);
        }
    }
    return list;
}

int ClampToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

}  // namespace

std::uint8_t FromBcd(std::uint8_t b) {
    return static_cast<std::uint8_t>((b >> 4) * 10 + (b & 0x0F));
}

std::uint8_t ToBcd(int n) {
    return static_cast<std::uint8_t>((n / 10) * 16 + n % 10);
}

double TextToDouble(const std::string& text) {
    return LeadingDouble(text);
}

int TextToInt(const std::string& text) {
    return static_cast<int>(std::clamp<long>(LeadingLong(text), INT_MIN, INT_MAX));
}

int ParseFrequency(const std::string& text) {
    const long long count = DecimalTimesPowerOfTen(TextToDouble(text), 5);
    return static_cast<int>(std::clamp<long long>(count, INT_MIN, INT_MAX));
}

std::string FormatFrequencyCount(int count) {
    return FormatFixed(count / 100000.0, 3, 5);
}

bool IsFrequencyAbsent(std::span<const std::uint8_t, 4> bytes) {
    return bytes[3] == 0x00 || bytes[3] == 0xFF;
}

std::string FormatFrequency(std::span<const std::uint8_t, 4> bytes) {
    if (IsFrequencyAbsent(bytes)) {
        return {};
    }
    const int v = ((FromBcd(bytes[3]) * 100 + FromBcd(bytes[2])) * 100 + FromBcd(bytes[1])) * 100 +
                  FromBcd(bytes[0]);
    return FormatFrequencyCount(v);
}

CFreqBytes EncodeFrequency(int count) {
    if (count == 0) {
        return {0xFF, 0xFF, 0xFF, 0xFF};
    }
    int v = count;
    CFreqBytes bytes{};
    bytes[3] = ToBcd(v / 1000000);
    v %= 1000000;
    bytes[2] = ToBcd(v / 10000);
    v %= 10000;
    bytes[1] = ToBcd(v / 100);
    bytes[0] = ToBcd(v % 100);
    return bytes;
}

CToneBytes ParseTone(const std::string& text) {
    if (text.find('D') != std::string::npos) {
        const std::string rest = text.substr(1);
        const int n = TextToInt(rest);
        const int base = rest.find('N') != std::string::npos ? 0x80 : 0xC0;
        return {ToBcd(n % 100), static_cast<std::uint8_t>(n / 100 + base)};
    }
    const int v = ClampToInt(std::ceil(TextToDouble(text) * 10.0));
    if (v == 0) {
        return {0xFF, 0xFF};
    }
    return {ToBcd(v % 100), ToBcd(v / 100)};
}

std::string FormatTone(CToneBytes tone, bool chinese) {
    const std::uint8_t h = tone.m_high;
    char text[32];
    if (h == 0x00 || h == 0xFF) {
        return kNone.Get(chinese);
    }
    if (h < 0x80) {
        return FormatFixed((FromBcd(h) * 100 + FromBcd(tone.m_low)) / 10.0, 3, 1);
    }
    const bool inverted = h >= 0xC0;
    const int d = h - (inverted ? 0xC0 : 0x80);
    const int n = d * 100 + FromBcd(tone.m_low);
    std::snprintf(text, sizeof text, inverted ? "%s%dI" : "%s%dN", d == 0 ? "D0" : "D", n);
    return text;
}

const std::vector<std::string>& ToneList(bool chinese) {
    static const std::vector<std::string> english = BuildToneList(false);
    static const std::vector<std::string> chineseList = BuildToneList(true);
    return chinese ? chineseList : english;
}

namespace {
std::string FieldText(int column, std::uint8_t byte, bool chinese) {
    return ChoiceText(*FieldOfColumn(column), byte, chinese);
}
void ApplyFieldText(int column, std::uint8_t& byte, const std::string& text) {
    ApplyChoiceText(*FieldOfColumn(column), byte, text);
}
}  // namespace

std::string PowerText(std::uint8_t modeByte, bool chinese) {
    return FieldText(kColPower, modeByte, chinese);
}
std::string BandwidthText(std::uint8_t modeByte, bool chinese) {
    return FieldText(kColBandwidth, modeByte, chinese);
}
std::string ScanAddText(std::uint8_t modeByte, bool chinese) {
    return FieldText(kColScanAdd, modeByte, chinese);
}
std::string PttIdText(std::uint8_t signalByte, bool chinese) {
    return FieldText(kColPttId, signalByte, chinese);
}
std::string BusyLockText(std::uint8_t modeByte, bool chinese) {
    return FieldText(kColBusyLock, modeByte, chinese);
}
std::string OptSignalText(std::uint8_t signalByte, bool chinese) {
    return FieldText(kColOptSignal, signalByte, chinese);
}

void ApplyPowerText(std::uint8_t& modeByte, const std::string& text) {
    ApplyFieldText(kColPower, modeByte, text);
}
void ApplyBandwidthText(std::uint8_t& modeByte, const std::string& text) {
    ApplyFieldText(kColBandwidth, modeByte, text);
}
void ApplyScanAddText(std::uint8_t& modeByte, const std::string& text) {
    ApplyFieldText(kColScanAdd, modeByte, text);
}
void ApplyPttIdText(std::uint8_t& signalByte, const std::string& text) {
    ApplyFieldText(kColPttId, signalByte, text);
}
void ApplyBusyLockText(std::uint8_t& modeByte, const std::string& text) {
    ApplyFieldText(kColBusyLock, modeByte, text);
}
void ApplyOptSignalText(std::uint8_t& signalByte, const std::string& text) {
    ApplyFieldText(kColOptSignal, signalByte, text);
}

void ApplyShiftBits(std::uint8_t& modeByte, const std::string& rxText, const std::string& txText) {
    const double rx = TextToDouble(rxText);
    const double tx = TextToDouble(txText);
    const std::uint8_t bits = tx > rx ? 0x80 : (tx < rx ? 0x40 : 0x00);
    modeByte = static_cast<std::uint8_t>((modeByte & ~kShiftMask) | bits);
}

std::array<std::uint8_t, kNameSize> EncodeName(const std::string& text) {
    std::array<std::uint8_t, kNameSize> bytes;
    bytes.fill(0xFF);
    const auto gbk = Utf8ToGbk(text, kNameSize);
    std::copy(gbk.begin(), gbk.end(), bytes.begin());
    return bytes;
}

std::string DecodeName(std::span<const std::uint8_t, kNameSize> bytes) {
    std::size_t length = 0;
    while (length < bytes.size() && bytes[length] != 0xFF && bytes[length] != 0x00) {
        ++length;
    }
    return GbkToUtf8(bytes.first(length));
}

bool IsEmptyChannel(CConstRecord record) {
    return IsFrequencyAbsent(record.subspan<kRxOffset, 4>()) ||
           IsFrequencyAbsent(record.subspan<kTxOffset, 4>());
}
