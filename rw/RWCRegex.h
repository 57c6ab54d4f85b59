#pragma once
// A small regular-expression engine over narrow strings. A pattern is
// compiled once into a program of 256 16-bit entries, which is searched for
// in a string: the leftmost match, with greedy repetition.
//
// Program entries:
//   0..255   this byte literally
//   0x8000   end of the program
//   0x8024   end anchor ("$" as the last pattern byte)
//   0x802E   any byte except newline (".")
//   0x805B   character class, followed by 16 entries forming a 256-bit set
//            (bit b % 16 of entry b / 16 for byte b)
//   0x805E   start anchor ("^" before anything else)
//   0x802A   the following item zero or more times ("*")
//   0x802B   the following item one or more times ("+")
//   0x803F   the following item zero times or once ("?")
//
// A pattern that does not compile is never matched: Index raises BADRE for
// it, also after Status has reported (and reset) the status, and its
// program always ends inside the 256 entries.
#include <array>
#include <cstddef>
#include <cstdint>

class RWCString;

class RWCRegex {
public:
    enum StatusType : int {
        OK = 0,
        ILLEGAL = 1,  // empty, begins with a repetition, or an unclosed class
        NOMEMORY = 2, // no program buffer (cannot happen: the program is a member)
        TOOLONG = 3,  // the program is full, or a repetition repeats nothing it may
    };

    static constexpr size_t kProgramEntries = 256;

    explicit RWCRegex(const char* pattern);
    explicit RWCRegex(const RWCString& pattern);
    RWCRegex(const RWCRegex& other) = default;
    RWCRegex& operator=(const RWCRegex& other) = default;
    // Compiles a new pattern in place of the old one.
    RWCRegex& operator=(const char* pattern);
    RWCRegex& operator=(const RWCString& pattern);

    // The compilation status; reading it resets the reported status to OK
    // (an invalid pattern stays invalid).
    StatusType Status();

    // The leftmost match at or after start: its offset, and its length in
    // *length (when given). RW_NPOS and length 0 when there is none or when
    // start lies beyond the string. An invalid pattern raises BADRE.
    size_t Index(const RWCString& string, size_t* length = nullptr, size_t start = 0) const;
    size_t Index(const char* text, size_t size, size_t* length, size_t start) const;

    // The compiled program (for inspection).
    const std::array<uint16_t, kProgramEntries>& Program() const { return program_; }

private:
    class Compiler;
    class Matcher;

    void Compile(const char* pattern, size_t size);

    std::array<uint16_t, kProgramEntries> program_{};
    StatusType status_ = OK;
    bool valid_ = false;
};
