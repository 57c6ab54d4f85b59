#pragma once
// Splits the text of a printer description into tokens.
//
// Syntax of the text:
//   - "#" starts a comment that runs to the end of the line (outside quotes).
//   - A line break or ";" ends a statement; "{" and "}" open and close a
//     block of statements; everything else is words separated by blanks.
//   - A quoted text runs to the next unescaped quote on the same line; the
//     escapes are \" \\ \n \r \t and \xHH (one byte).
// Bytes outside quotes must be printable ASCII, blanks or tabs: anything else
// is reported with its line, as is an unterminated text.
#include <string>
#include <vector>

#include "tools/printerdesc/DescriptionToken.h"

class DescriptionLexer {
public:
    // file names the text in error messages.
    DescriptionLexer(std::string file, const std::string& text);

    // Every token up to and including the EndOfFile token.
    std::vector<DescriptionToken> Tokens();

private:
    void SkipBlanksAndComment();
    DescriptionToken Next();
    DescriptionToken Quoted();
    DescriptionToken Word();
    char Escape();
    [[noreturn]] void Fail(const std::string& problem) const;

    std::string file_;
    const std::string& text_;
    size_t position_ = 0;
    int line_ = 1;
};
