#include "util/Gbk.h"

#include <iconv.h>

namespace {

// One iconv conversion descriptor for the duration of a call.
class CIconv {
public:
    CIconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CIconv() {
        if (Ok()) {
            iconv_close(m_cd);
        }
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts exactly `in` as one unit; false when it is not a complete valid sequence.
    bool Convert(const char* in, std::size_t inLen, std::string& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* src = const_cast<char*>(in);
        std::size_t srcLeft = inLen;
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        if (iconv(m_cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
            srcLeft != 0) {
            return false;
        }
        out.assign(buffer, dst);
        return true;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence starting with `lead`, or 0 for a byte that cannot start one.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// Length of the character at `pos`: a whole sequence when its continuation bytes are there,
// else 1 (the invalid byte alone).
std::size_t CharLength(const std::string& text, std::size_t pos) {
    const std::size_t len = Utf8SequenceLength(static_cast<unsigned char>(text[pos]));
    if (len == 0 || pos + len > text.size()) {
        return 1;
    }
    for (std::size_t i = 1; i < len; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) {
            return 1;
        }
    }
    return len;
}

}  // namespace

std::string GbkToUtf8(std::span<const std::uint8_t> bytes) {
    CIconv cd("UTF-8", "GBK");
    std::string result;
    std::string piece;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            result += static_cast<char>(b);
            ++i;
            continue;
        }
        if (cd.Ok() && i + 1 < bytes.size()) {
            const char pair[2] = {static_cast<char>(b), static_cast<char>(bytes[i + 1])};
            if (cd.Convert(pair, 2, piece)) {
                result += piece;
                i += 2;
                continue;
            }
        }
        if (cd.Ok()) {
            const char single = static_cast<char>(b);
            if (cd.Convert(&single, 1, piece)) {
                result += piece;
                ++i;
                continue;
            }
        }
        result += '?';
        ++i;
    }
    return result;
}

std::string GbkToUtf8(std::string_view bytes) {
    return GbkToUtf8(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::vector<std::uint8_t> Utf8ToGbk(const std::string& text, std::size_t maxBytes) {
    CIconv cd("GBK", "UTF-8");
    std::vector<std::uint8_t> result;
    std::string piece;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = CharLength(text, pos);
        const unsigned char lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80) {
            piece.assign(1, static_cast<char>(lead));
        } else if (!(len > 1 && cd.Ok() && cd.Convert(text.data() + pos, len, piece))) {
            piece = "?";
        }
        if (result.size() + piece.size() > maxBytes) {
            break;
        }
        result.insert(result.end(), piece.begin(), piece.end());
        pos += len;
    }
    return result;
}

std::size_t GbkLength(const std::string& text) {
    // No character takes more bytes in GBK than in UTF-8.
    return Utf8ToGbk(text, text.size()).size();
}
