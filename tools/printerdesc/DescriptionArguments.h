#pragma once
// Reads the arguments of one statement, with the checks and messages every
// kind shares: counts, numbers in range, quoted texts, lengths with units.
// Arguments are counted from 1 (word 0 is the kind). Every failure throws a
// DescriptionError that names the statement's line.
#include <cstdint>
#include <string>

#include "tools/printerdesc/DescriptionStatement.h"

class DescriptionArguments {
public:
    explicit DescriptionArguments(const DescriptionStatement& statement) : statement_(statement) {}

    size_t Count() const { return statement_.ArgumentCount(); }
    // Fails unless there are between least and most arguments.
    void ExpectCount(size_t least, size_t most) const;
    void ExpectNoBlock() const;
    void ExpectBlock() const;

    // A whole number (decimal, or hexadecimal after 0x, optionally negative)
    // between low and high; what names it in the message.
    int64_t Integer(size_t index, int64_t low, int64_t high, const char* what) const;
    // An attribute id (0 to 0xFFFFFFFF).
    uint32_t Id(size_t index) const;
    // A quoted text.
    const std::string& Text(size_t index) const;
    // A bare word.
    const std::string& Word(size_t index) const;
    bool IsWord(size_t index, const char* word) const;
    // A length with its unit ("8.5in", "210mm", "12pt", "500um"), in
    // micrometres, rounded half up; at most 6 decimals; not negative.
    int64_t Length(size_t index) const;
    // Bytes written as hexadecimal digits in a quoted text (blanks allowed
    // between bytes).
    std::string HexBytes(size_t index) const;

    [[noreturn]] void Fail(const std::string& problem) const;

private:
    const DescriptionToken& Token(size_t index) const;

    const DescriptionStatement& statement_;
};
