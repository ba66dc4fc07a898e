#include "CharsetEngine.h"

#include <array>
#include <cstddef>

namespace orvenly::charsets {

namespace {

constexpr uint8_t Bell = 0x07;
constexpr uint8_t Backspace = 0x08;

enum class ByteKind : uint8_t {
    Escape,      // ESC
    Undecided,   // 0x80, 0xA0: a Shift_JIS trail byte, otherwise no text
    ShiftJis,    // lead bytes that EUC-JP never uses
    Euc,         // 0xFD, 0xFE
    Binary,      // control codes no text holds, DEL, 0xFF
    Control,     // text controls and 0x20-0x3F: break an open character of either
    Trail,       // 0x40-0x7E: a Shift_JIS trail byte, not EUC-JP
    SingleShift, // 0x8E
    Kana,        // 0xA1-0xDF
    High,        // 0xE0-0xFC
};

constexpr std::array<ByteKind, 256> makeByteKinds() {
    std::array<ByteKind, 256> kinds{};
    for (int b = 0; b < 256; ++b) {
        ByteKind kind = ByteKind::Binary;
        if (b == Esc) {
            kind = ByteKind::Escape;
        } else if (b == 0x80 || b == 0xA0) {
            kind = ByteKind::Undecided;
        } else if (b == 0x8E) {
            kind = ByteKind::SingleShift;
        } else if (b >= 0x81 && b <= 0x9F) {
            kind = ByteKind::ShiftJis;
        } else if (b == 0xFD || b == 0xFE) {
            kind = ByteKind::Euc;
        } else if ((b >= 0x09 && b <= 0x0D) || b == 0x1A || (b >= 0x20 && b <= 0x3F)) {
            kind = ByteKind::Control;
        } else if (b >= 0x40 && b <= 0x7E) {
            kind = ByteKind::Trail;
        } else if (b >= 0xA1 && b <= 0xDF) {
            kind = ByteKind::Kana;
        } else if (b >= 0xE0 && b <= 0xFC) {
            kind = ByteKind::High;
        }
        kinds[static_cast<std::size_t>(b)] = kind;
    }
    return kinds;
}

constexpr std::array<ByteKind, 256> ByteKinds = makeByteKinds();

} // namespace

bool isJisEscape(QByteArrayView bytes, qsizetype at) {
    const QByteArrayView after = bytes.sliced(at + 1);
    for (const char* escape : {"$B", "$@", "(B", "(J", "(I", "$(D"}) {
        if (after.startsWith(escape)) {
            return true;
        }
    }
    return false;
}

StringCharsetTypeConstants recogniseCharset(QByteArrayView bytes, bool tolerant) {
    const uint8_t* in = bytesOf(bytes);
    bool sjisPending = false;
    bool sjisBroken = false;
    bool eucOpen = false;
    bool eucAfterSS2 = false;
    bool eucBroken = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        ByteKind kind = ByteKinds[in[i]];
        if (tolerant && ((kind == ByteKind::Escape && !isJisEscape(bytes, i)) || in[i] == Bell ||
                         in[i] == Backspace)) {
            kind = ByteKind::Control;
        }
        switch (kind) {
        case ByteKind::Escape:
            return SCS_JIS;
        case ByteKind::Undecided:
            return sjisPending ? SCS_SHIFTJIS : SCS_OCTETSTREAM;
        case ByteKind::ShiftJis:
            return SCS_SHIFTJIS;
        case ByteKind::Euc:
            return eucAfterSS2 ? SCS_OCTETSTREAM : SCS_EUC;
        case ByteKind::Binary:
            return SCS_OCTETSTREAM;
        case ByteKind::Control:
            sjisBroken = sjisBroken || sjisPending;
            eucBroken = eucBroken || eucOpen || eucAfterSS2;
            break;
        case ByteKind::Trail:
            sjisPending = false;
            eucBroken = eucBroken || eucOpen || eucAfterSS2;
            break;
        case ByteKind::SingleShift:
            eucBroken = eucBroken || eucOpen || eucAfterSS2;
            sjisPending = !sjisPending;
            eucAfterSS2 = true;
            eucOpen = true;
            break;
        case ByteKind::Kana:
            sjisPending = false;
            eucAfterSS2 = false;
            eucOpen = !eucOpen;
            break;
        case ByteKind::High:
            eucBroken = eucBroken || eucAfterSS2;
            sjisPending = !sjisPending;
            eucOpen = !eucOpen;
            break;
        }
        if (sjisBroken || eucBroken) {
            if (sjisBroken && eucBroken) {
                return SCS_OCTETSTREAM;
            }
            return sjisBroken ? SCS_EUC : SCS_SHIFTJIS;
        }
    }
    return SCS_UNKNOWN;
}

} // namespace orvenly::charsets
