#include "rw/RWCRegex.h"

#include <cstring>

#include "rw/RWCString.h"
#include "rw/RWDefs.h"
#include "rw/RWErrorHandler.h"

namespace {
constexpr uint16_t kEnd = 0x8000;
constexpr uint16_t kEndAnchor = 0x8024;
constexpr uint16_t kAny = 0x802E;
constexpr uint16_t kClass = 0x805B;
constexpr uint16_t kStartAnchor = 0x805E;
constexpr uint16_t kStar = 0x802A;
constexpr uint16_t kPlus = 0x802B;
constexpr uint16_t kOptional = 0x803F;
constexpr size_t kClassWords = 16;

bool IsRepetition(uint16_t entry) {
    return entry == kStar || entry == kPlus || entry == kOptional;
}

bool IsAnchor(uint16_t entry) {
    return entry == kStartAnchor || entry == kEndAnchor;
}

bool IsRepetitionByte(char c) {
    return c == '*' || c == '+' || c == '?';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsOctal(char c) {
    return c >= '0' && c <= '7';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The value of a backslash escape whose letter is e; -1 when e is no
// escape letter.
int EscapeLetter(char e) {
    switch (e) {
    case 'b':
    case 'B':
        return 8;
    case 'e':
    case 'E':
        return 27;
    case 'f':
    case 'F':
        return 12;
    case 'n':
    case 'N':
        return 10;
    case 'r':
    case 'R':
        return 13;
    case 's':
    case 'S':
        return 32;
    case 't':
    case 'T':
        return 9;
    default:
        return -1;
    }
}
} // namespace

// Turns pattern bytes into program entries, left to right.
class RWCRegex::Compiler {
public:
    Compiler(std::array<uint16_t, kProgramEntries>& program, const char* pattern, size_t size)
        : program_(program), pattern_(pattern), size_(size) {}

    StatusType Run();

private:
    // One byte of the pattern as a literal or a class member: the byte
    // itself, or what a backslash escape stands for.
    uint8_t ReadByte(size_t& i) const;
    StatusType CompileClass(size_t& i);
    StatusType CompileRepetition(size_t& i);
    // Whether a "*" or "?" at i should apply to the identical item that
    // follows it instead of the one before.
    bool AppliesToNextItem(size_t i) const;
    // Where the class starting at i ends (one past "]"), or size_ when it
    // is not closed.
    size_t ClassEnd(size_t i) const;
    void Emit(uint16_t entry) { program_[used_++] = entry; }

    std::array<uint16_t, kProgramEntries>& program_;
    const char* pattern_;
    size_t size_;
    size_t used_ = 0;
    size_t lastItem_ = RW_NPOS; // where the last item starts
    size_t lastClassStart_ = 0; // the last class's pattern text
    size_t lastClassEnd_ = 0;
};

uint8_t RWCRegex::Compiler::ReadByte(size_t& i) const {
    const char c = pattern_[i++];
    if (c != '\\') return static_cast<uint8_t>(c);
    if (i >= size_) return '\\';
    const char e = pattern_[i++];
    if (int value = EscapeLetter(e); value >= 0) return static_cast<uint8_t>(value);
    if (e == 'x') {
        int value = 0, digits = 0;
        while (digits < 2 && i < size_ && HexValue(pattern_[i]) >= 0) {
            value = value * 16 + HexValue(pattern_[i++]);
            ++digits;
        }
        return digits == 0 ? 'x' : static_cast<uint8_t>(value);
    }
    if (e == '^') {
        if (i < size_ && IsLetter(pattern_[i])) {
            const char letter = pattern_[i++];
            const char upper = letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter;
            return static_cast<uint8_t>(upper - 64);
        }
        return '^';
    }
    if (IsOctal(e)) {
        int value = e - '0';
        for (int digits = 1; digits < 3 && i < size_ && IsOctal(pattern_[i]); ++digits)
            value = value * 8 + (pattern_[i++] - '0');
        return static_cast<uint8_t>(value & 0xFF);
    }
    return static_cast<uint8_t>(e);
}

size_t RWCRegex::Compiler::ClassEnd(size_t i) const {
    size_t j = i + 1;
    if (j < size_ && pattern_[j] == '^') ++j;
    while (j < size_ && pattern_[j] != ']') {
        ReadByte(j);
    }
    return j < size_ ? j + 1 : size_;
}

RWCRegex::StatusType RWCRegex::Compiler::CompileClass(size_t& i) {
    if (used_ + 1 + kClassWords + 1 > kProgramEntries) return TOOLONG;
    const size_t start = i;
    uint16_t set[kClassWords] = {};
    auto add = [&set](unsigned b) { set[b >> 4] = static_cast<uint16_t>(set[b >> 4] | (1u << (b & 15))); };
    size_t j = i + 1;
    bool negate = false;
    if (j < size_ && pattern_[j] == '^') {
        negate = true;
        ++j;
    }
    for (;;) {
        if (j >= size_) return ILLEGAL; // no closing bracket
        if (pattern_[j] == ']') {
            ++j;
            break;
        }
        const uint8_t low = ReadByte(j);
        if (j + 1 < size_ && pattern_[j] == '-' && pattern_[j + 1] != ']') {
            ++j;
            const uint8_t high = ReadByte(j);
            const unsigned from = low < high ? low : high;
            const unsigned to = low < high ? high : low;
            for (unsigned b = from; b <= to; ++b)
                add(b);
        } else {
            add(low);
        }
    }
    lastItem_ = used_;
    Emit(kClass);
    for (uint16_t word : set)
        Emit(negate ? static_cast<uint16_t>(~word) : word);
    lastClassStart_ = start;
    lastClassEnd_ = j;
    i = j;
    return OK;
}

bool RWCRegex::Compiler::AppliesToNextItem(size_t i) const {
    const size_t next = i + 1;
    if (next >= size_) return false;
    size_t after;
    if (program_[lastItem_] == kClass) {
        if (pattern_[next] != '[') return false;
        after = ClassEnd(next);
        const size_t length = lastClassEnd_ - lastClassStart_;
        if (after - next != length || std::memcmp(pattern_ + next, pattern_ + lastClassStart_, length) != 0)
            return false;
    } else {
        if (static_cast<uint8_t>(pattern_[next]) != (program_[lastItem_] & 0xFF)) return false;
        after = next + 1;
    }
    // A repetition right behind the identical item belongs to it: moving
    // this one there would make a repetition of a repetition.
    return after >= size_ || !IsRepetitionByte(pattern_[after]);
}

RWCRegex::StatusType RWCRegex::Compiler::CompileRepetition(size_t& i) {
    const char c = pattern_[i];
    if (lastItem_ == RW_NPOS || IsAnchor(program_[lastItem_]) || IsRepetition(program_[lastItem_]))
        return TOOLONG;
    const uint16_t entry = c == '*' ? kStar : c == '+' ? kPlus : kOptional;
    if (c != '+' && AppliesToNextItem(i)) {
        // a* followed by a compiles as a, then a repeated: the entry goes
        // behind the previous item and the next item follows it.
        Emit(entry);
        lastItem_ = used_ - 1;
    } else {
        for (size_t k = used_; k > lastItem_; --k)
            program_[k] = program_[k - 1];
        program_[lastItem_] = entry;
        ++used_;
    }
    ++i;
    return OK;
}

RWCRegex::StatusType RWCRegex::Compiler::Run() {
    program_.fill(kEnd);
    if (size_ == 0 || IsRepetitionByte(pattern_[0])) return ILLEGAL;
    size_t i = 0;
    while (i < size_) {
        // Room for one more entry and the end entry.
        if (used_ + 2 > kProgramEntries) return TOOLONG;
        const char c = pattern_[i];
        StatusType status = OK;
        if (c == '$' && i + 1 == size_) {
            lastItem_ = used_;
            Emit(kEndAnchor);
            ++i;
        } else if (c == '^' && used_ == 0) {
            lastItem_ = used_;
            Emit(kStartAnchor);
            ++i;
        } else if (c == '.') {
            lastItem_ = used_;
            Emit(kAny);
            ++i;
        } else if (c == '[') {
            status = CompileClass(i);
        } else if (IsRepetitionByte(c)) {
            status = CompileRepetition(i);
        } else {
            lastItem_ = used_;
            Emit(ReadByte(i));
        }
        if (status != OK) {
            program_[used_] = kEnd;
            return status;
        }
    }
    program_[used_] = kEnd;
    return OK;
}

// Runs a compiled program over one string.
class RWCRegex::Matcher {
public:
    Matcher(const std::array<uint16_t, kProgramEntries>& program, const char* text, size_t size, size_t start)
        : program_(program), text_(text), size_(size), start_(start) {}

    // The end of a match of the program from pc at position p, or RW_NPOS.
    size_t MatchFrom(size_t pc, size_t p) const;

private:
    bool MatchItem(size_t pc, size_t p) const;
    size_t Width(size_t pc) const { return program_[pc] == kClass ? 1 + kClassWords : 1; }
    size_t Consumed(size_t pc) const { return IsAnchor(program_[pc]) ? 0 : 1; }
    size_t Repeat(size_t pc, size_t p) const;

    const std::array<uint16_t, kProgramEntries>& program_;
    const char* text_;
    size_t size_;
    size_t start_;
};

bool RWCRegex::Matcher::MatchItem(size_t pc, size_t p) const {
    const uint16_t entry = program_[pc];
    if (entry == kEndAnchor) return p == size_;
    if (entry == kStartAnchor) return p == start_;
    if (p >= size_) return false;
    const auto byte = static_cast<uint8_t>(text_[p]);
    if (entry < 256) return byte == entry;
    if (entry == kAny) return byte != '\n';
    if (entry == kClass) return ((program_[pc + 1 + (byte >> 4)] >> (byte & 15)) & 1) != 0;
    return false;
}

size_t RWCRegex::Matcher::Repeat(size_t pc, size_t p) const {
    const size_t item = pc + 1;
    const size_t rest = item + Width(item);
    if (program_[pc] == kPlus) {
        if (!MatchItem(item, p)) return RW_NPOS;
        ++p;
    }
    const size_t begin = p;
    while (p < size_ && MatchItem(item, p))
        ++p;
    if (program_[rest] == kEnd) return p;
    for (size_t q = p;; --q) {
        const size_t end = MatchFrom(rest, q);
        if (end != RW_NPOS) return end;
        if (q == begin) return RW_NPOS;
    }
}

size_t RWCRegex::Matcher::MatchFrom(size_t pc, size_t p) const {
    while (pc < kProgramEntries) {
        const uint16_t entry = program_[pc];
        if (entry == kEnd) return p;
        if (entry == kStar || entry == kPlus) return Repeat(pc, p);
        if (entry == kOptional) {
            const size_t item = pc + 1;
            if (MatchItem(item, p)) p += Consumed(item);
            pc = item + Width(item);
            continue;
        }
        if (!MatchItem(pc, p)) return RW_NPOS;
        p += Consumed(pc);
        pc += Width(pc);
    }
    return RW_NPOS; // unreachable for a compiled program, which always ends
}

RWCRegex::RWCRegex(const char* pattern) {
    Compile(pattern, pattern != nullptr ? std::strlen(pattern) : 0);
}

RWCRegex::RWCRegex(const RWCString& pattern) {
    Compile(pattern.Data(), pattern.Length());
}

RWCRegex& RWCRegex::operator=(const char* pattern) {
    Compile(pattern, pattern != nullptr ? std::strlen(pattern) : 0);
    return *this;
}

RWCRegex& RWCRegex::operator=(const RWCString& pattern) {
    Compile(pattern.Data(), pattern.Length());
    return *this;
}

void RWCRegex::Compile(const char* pattern, size_t size) {
    status_ = Compiler(program_, pattern, size).Run();
    valid_ = status_ == OK;
}

RWCRegex::StatusType RWCRegex::Status() {
    const StatusType status = status_;
    status_ = OK;
    return status;
}

size_t RWCRegex::Index(const RWCString& string, size_t* length, size_t start) const {
    return Index(string.Data(), string.Length(), length, start);
}

size_t RWCRegex::Index(const char* text, size_t size, size_t* length, size_t start) const {
    if (!valid_) RWThrowCatalog<RWInternalError>(RWTOOL_BADRE());
    if (length != nullptr) *length = 0;
    if (start > size) return RW_NPOS;
    const Matcher matcher(program_, text, size, start);
    const size_t last = program_[0] == kStartAnchor ? start : size;
    for (size_t p = start; p <= last; ++p) {
        const size_t end = matcher.MatchFrom(0, p);
        if (end != RW_NPOS) {
            if (length != nullptr) *length = end - p;
            return p;
        }
    }
    return RW_NPOS;
}
