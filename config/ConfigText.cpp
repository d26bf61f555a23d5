#include "config/ConfigText.h"

#include <algorithm>
#include <array>
#include <limits>

namespace belegbote {

namespace {

// Plain byte tests: the configuration is single-byte text whatever the locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsContinuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes the parser stops at, as flags: one table look-up per byte keeps the
// scan of a large file fast.
enum ByteClass : std::uint8_t {
    Plain = 0,
    Blank = 1,       // blank, tab
    LineBreak = 2,   // CR, LF
    Equals = 4,      // ends a key
    CloseGroup = 8,  // ends a group name
};

constexpr std::array<std::uint8_t, 256> ByteClasses = [] {
    std::array<std::uint8_t, 256> classes{};
    classes[' '] = classes['\t'] = Blank;
    classes['\r'] = classes['\n'] = LineBreak;
    classes['='] = Equals;
    classes[']'] = CloseGroup;
    return classes;
}();

std::uint8_t ClassOf(char c) {
    return ByteClasses[static_cast<unsigned char>(c)];
}

// A cursor over the content; it never looks at a byte past the end.
class LineScanner {
public:
    explicit LineScanner(std::string_view content)
        : pos_(content.data()), end_(content.data() + content.size()) {}

    bool AtEnd() const { return pos_ == end_; }
    char Peek() const { return *pos_; }
    void Step() { ++pos_; }

    // Blanks, tabs and any run of CR and LF: empty lines yield nothing.
    void SkipToNextLine() { SkipWhile(Blank | LineBreak); }
    void SkipBlanks() { SkipWhile(Blank); }

    // The text up to the next line break, a byte of class `stops`, or the
    // end; the stop byte stays.
    std::string_view TakeUntil(std::uint8_t stops) {
        const char* start = pos_;
        stops |= LineBreak;
        while (pos_ != end_ && (ClassOf(*pos_) & stops) == 0) {
            ++pos_;
        }
        return std::string_view(start, static_cast<std::size_t>(pos_ - start));
    }
    std::string_view TakeRestOfLine() { return TakeUntil(LineBreak); }

private:
    void SkipWhile(std::uint8_t classes) {
        while (pos_ != end_ && (ClassOf(*pos_) & classes) != 0) {
            ++pos_;
        }
    }

    const char* pos_;
    const char* end_;
};

std::string_view TrimBlanksAtEnd(std::string_view text) {
    std::size_t length = text.size();
    while (length > 0 && IsBlank(text[length - 1])) {
        --length;
    }
    return text.substr(0, length);
}

ConfigEntry ParseComment(LineScanner& scan) {
    scan.Step();  // ';'
    if (!scan.AtEnd() && scan.Peek() == ' ') {
        scan.Step();
    }
    return ConfigEntry{EntryKind::Comment, scan.TakeRestOfLine(), {}};
}

ConfigEntry ParseGroupHeader(LineScanner& scan) {
    scan.Step();  // '['
    ConfigEntry entry{EntryKind::Group, scan.TakeUntil(CloseGroup), {}};
    scan.TakeRestOfLine();  // whatever follows the ']'
    return entry;
}

ConfigEntry ParseValueLine(LineScanner& scan) {
    ConfigEntry entry{EntryKind::Value, TrimBlanksAtEnd(scan.TakeUntil(Equals)), {}};
    if (!scan.AtEnd() && scan.Peek() == '=') {
        scan.Step();
        scan.SkipBlanks();
        entry.value = scan.TakeRestOfLine();
    }
    return entry;
}

// The low bits of the lead byte followed by the low six bits of the next.
char TwoByteSequence(unsigned char lead, unsigned char next) {
    const unsigned codePoint = ((lead & 0x1Fu) << 6) | (next & 0x3Fu);
    return codePoint < 256 ? static_cast<char>(codePoint) : '?';
}

// Lead byte plus the continuation bytes directly after it, at most `most`.
std::size_t SequenceLength(std::string_view text, std::size_t lead, std::size_t most) {
    std::size_t length = 1;
    while (length <= most && IsContinuation(static_cast<unsigned char>(text[lead + length]))) {
        ++length;
    }
    return length;
}

// Every line holding more than blanks and tabs yields one entry. Counting
// first lets the list be allocated once: for a large file, growing it step
// by step costs more than the parse itself.
std::size_t CountEntries(std::string_view content) {
    std::size_t count = 0;
    bool lineHasText = false;
    for (char c : content) {
        const std::uint8_t byteClass = ClassOf(c);
        if (byteClass == LineBreak) {
            lineHasText = false;
        } else if (!lineHasText && byteClass != Blank) {
            lineHasText = true;
            ++count;
        }
    }
    return count;
}

}  // namespace

std::vector<ConfigEntry> ParseConfigText(std::string_view content) {
    std::vector<ConfigEntry> entries;
    entries.reserve(CountEntries(content));
    LineScanner scan(content);
    for (scan.SkipToNextLine(); !scan.AtEnd(); scan.SkipToNextLine()) {
        switch (scan.Peek()) {
            case ';': entries.push_back(ParseComment(scan)); break;
            case '[': entries.push_back(ParseGroupHeader(scan)); break;
            default: entries.push_back(ParseValueLine(scan)); break;
        }
    }
    return entries;
}

std::int32_t ParseNumber(std::string_view value) {
    std::size_t pos = 0;
    while (pos < value.size() &&
           (IsBlank(value[pos]) || value[pos] == '\v' || value[pos] == '\f')) {
        ++pos;
    }
    bool negative = false;
    if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) {
        negative = value[pos] == '-';
        ++pos;
    }
    // Growth stops just past the largest magnitude a 32-bit result can hold.
    constexpr std::int64_t Ceiling = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; pos < value.size() && IsDigit(value[pos]); ++pos) {
        if (magnitude <= Ceiling) {
            magnitude = magnitude * 10 + (value[pos] - '0');
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-std::min(magnitude, Ceiling));
    }
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(magnitude, std::numeric_limits<std::int32_t>::max()));
}

std::string Utf8ToSingleByte(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        const std::size_t following = utf8.size() - pos - 1;
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            pos += 1;
        } else if (lead >= 0xC0 && lead <= 0xDF && following >= 1) {
            const auto next = static_cast<unsigned char>(utf8[pos + 1]);
            const bool paired = IsContinuation(next);
            out.push_back(paired ? TwoByteSequence(lead, next) : '?');
            pos += paired ? 2 : 1;
        } else if (lead >= 0xE0 && lead <= 0xEF && following >= 2) {
            out.push_back('?');
            pos += SequenceLength(utf8, pos, 2);
        } else if (lead >= 0xF0 && lead <= 0xF7 && following >= 3) {
            out.push_back('?');
            pos += SequenceLength(utf8, pos, 3);
        } else {
            pos += 1;  // stray continuation, 0xF8 and up, or a cut-off sequence
        }
    }
    return out;
}

std::string SingleByteToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace belegbote
