#include "text/hzspell.h"

#include "text/hzspell_tables.h"

#include <QStringEncoder>
#include <array>
#include <cstdint>

namespace {

constexpr int kColumns = 191; // trail bytes 0x40..0xFE

constexpr int cellOf(unsigned lead, unsigned trail) {
    return static_cast<int>((lead - 0x81) * kColumns + (trail - 0x40));
}

// The kept single bytes: bit k stands for code 0x20 + k.
constexpr std::uint32_t kKeptAscii[3] = {0xD7FF6F7Eu, 0x6FFFFFFFu, 0x07FFFFFEu};

constexpr bool keptAscii(unsigned c) {
    if (c < 0x20 || c > 0x7F)
        return false;
    const unsigned k = c - 0x20;
    return (kKeptAscii[k / 32] >> (k % 32)) & 1u;
}

// Full-width forms of row 0xA3 that keep their ASCII letter: ( ) digits
// capitals [ ] small letters.
constexpr bool keptFullWidth(unsigned c) {
    return c == 0x28 || c == 0x29 || (c >= 0x30 && c <= 0x39) || (c >= 0x41 && c <= 0x5B) || c == 0x5D ||
           (c >= 0x61 && c <= 0x7A);
}

// Row 0xA2, trail bytes 0xA1..0xFE: the number a numbered symbol stands
// for, as a length byte and up to two digits.
struct NumberEntry {
    std::uint8_t length;
    char digits[2];
};
constexpr std::array<NumberEntry, 94> numberTable() {
    std::array<NumberEntry, 94> t{};
    const auto fill = [&t](unsigned fromTrail, int count) {
        for (int i = 1; i <= count; ++i) {
            NumberEntry &e = t[fromTrail - 0xA1 + i - 1];
            if (i < 10) {
                e = {1, {static_cast<char>('0' + i), 0}};
            } else {
                e = {2, {static_cast<char>('0' + i / 10), static_cast<char>('0' + i % 10)}};
            }
        }
    };
    fill(0xA1, 10); // ⅰ to ⅹ
    fill(0xB1, 20); // ⒈ to ⒛
    fill(0xC5, 20); // ⑴ to ⒇
    fill(0xD9, 10); // ① to ⑩
    fill(0xE5, 10); // ㈠ to ㈩
    fill(0xF1, 12); // Ⅰ to Ⅻ
    return t;
}
constexpr std::array<NumberEntry, 94> kNumbers = numberTable();

// Row 0xA6: Greek letters, capitals at 0xA1..0xB8 and small at 0xC1..0xD8.
constexpr const char *kGreek[24] = {"a", "b", "g", "d", "e", "z", "e", "th", "i",  "k",  "l",  "m",
                                    "n", "x", "o", "p", "r", "s", "t", "u",  "ph", "kh", "ps", "o"};

// The reading of a double-byte code (lead >= 0x81, trail >= 0x40) as a
// pointer and length into constant data; length 0 is none.
struct Reading {
    const char *text = nullptr;
    int length = 0;
};

constexpr Reading readingOf(unsigned lead, unsigned trail) {
    if (lead == 0xFF || trail == 0xFF) // no GBK code
        return {};
    switch (lead) {
    case 0xA2: {
        if (trail < 0xA1)
            return {};
        const NumberEntry &e = kNumbers[trail - 0xA1];
        return {e.digits, e.length};
    }
    case 0xA3:
        // The ASCII letter itself; the code table below holds them.
        return {};
    case 0xA6: {
        const char *g = trail >= 0xA1 && trail <= 0xB8   ? kGreek[trail - 0xA1]
                        : trail >= 0xC1 && trail <= 0xD8 ? kGreek[trail - 0xC1]
                                                         : nullptr;
        if (!g)
            return {};
        return {g, g[1] ? 2 : 1};
    }
    default: {
        const unsigned short n = HzSpellTables::kGrid[cellOf(lead, trail)];
        if (n == 0)
            return {};
        const char *s = HzSpellTables::kSyllables[n];
        return {s + 1, s[0]};
    }
    }
}

constexpr char fullWidthLetter(unsigned trail) {
    const unsigned c = trail - 0x80u;
    return keptFullWidth(c) ? static_cast<char>(c) : 0;
}

// The initial of every double-byte code and of every single byte, as
// constant data, so the initials of a text are one table read per character.
constexpr std::array<char, 126 * kColumns> initialGrid() {
    std::array<char, 126 * kColumns> cells{};
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            char initial = 0;
            if (lead == 0xA3) {
                initial = fullWidthLetter(trail);
            } else if (const Reading r = readingOf(lead, trail); r.length > 0) {
                initial = r.text[0];
            }
            cells[cellOf(lead, trail)] = initial;
        }
    }
    return cells;
}
constexpr std::array<char, 126 *kColumns> kInitials = initialGrid();

constexpr std::array<char, 256> singleByteTable() {
    std::array<char, 256> t{};
    for (unsigned c = 0; c < 256; ++c)
        t[c] = keptAscii(c) ? static_cast<char>(c) : 0;
    return t;
}
constexpr std::array<char, 256> kSingle = singleByteTable();

} // namespace

bool IsGbkLeadByte(unsigned char b) {
    return b >= 0x81;
}

std::string PinyinOfChar(const char *p, int count) {
    if (count <= 0 || !p)
        return {};
    const auto lead = static_cast<unsigned char>(p[0]);
    if (count >= 2 && lead >= 0x81 && static_cast<unsigned char>(p[1]) >= 0x40) {
        const auto trail = static_cast<unsigned char>(p[1]);
        if (lead == 0xA3) {
            const char c = trail == 0xFF ? 0 : fullWidthLetter(trail);
            return c ? std::string(1, c) : std::string();
        }
        const Reading r = readingOf(lead, trail);
        return std::string(r.text ? r.text : "", static_cast<size_t>(r.length));
    }
    // A single byte; a lead byte without a proper trail byte is never kept.
    return kSingle[lead] ? std::string(1, kSingle[lead]) : std::string();
}

std::string InitialOfChar(const char *p, int count) {
    const std::string r = PinyinOfChar(p, count);
    return r.empty() ? std::string() : r.substr(0, 1);
}

std::string PinyinInitials(std::string_view text) {
    std::string out(text.size(), '\0');
    char *o = out.data();
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x81 || i + 1 == n) {
            // A lone lead byte at the end is no character and yields nothing.
            if (const char k = kSingle[c])
                *o++ = k;
            ++i;
            continue;
        }
        // A lead byte takes its next byte along, even one that is no trail byte.
        const unsigned char t = s[i + 1];
        i += 2;
        if (t < 0x40 || t == 0xFF || c == 0xFF)
            continue;
        if (const char k = kInitials[static_cast<size_t>(cellOf(c, t))])
            *o++ = k;
    }
    out.resize(static_cast<size_t>(o - out.data()));
    return out;
}

QString PinyinInitials(const QString &text) {
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        // Some character has no GBK code: encode one character at a time and
        // leave those out, so no stand-in '?' reaches the initials.
        bytes.clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QStringEncoder one("GBK");
            const QByteArray b = one.encode(QStringView(text).mid(i, len));
            if (!one.hasError())
                bytes += b;
            i += len;
        }
    }
    return QString::fromLatin1(PinyinInitials(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}
