#include "tools/printerdesc/DescriptionLexer.h"

#include <utility>

#include "tools/printerdesc/DescriptionError.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool IsDelimiter(char c) {
    return IsBlank(c) || c == '\n' || c == ';' || c == '{' || c == '}' || c == '"' || c == '#';
}

bool IsWordByte(char c) {
    return c > ' ' && c < 127;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

DescriptionLexer::DescriptionLexer(std::string file, const std::string& text)
    : file_(std::move(file)), text_(text) {}

std::vector<DescriptionToken> DescriptionLexer::Tokens() {
    std::vector<DescriptionToken> tokens;
    do {
        tokens.push_back(Next());
    } while (tokens.back().kind != DescriptionToken::Kind::EndOfFile);
    return tokens;
}

void DescriptionLexer::SkipBlanksAndComment() {
    while (position_ < text_.size() && IsBlank(text_[position_])) {
        ++position_;
    }
    if (position_ < text_.size() && text_[position_] == '#') {
        while (position_ < text_.size() && text_[position_] != '\n') {
            ++position_;
        }
    }
}

DescriptionToken DescriptionLexer::Next() {
    SkipBlanksAndComment();
    if (position_ >= text_.size()) {
        return {DescriptionToken::Kind::EndOfFile, "", line_};
    }
    const char c = text_[position_];
    DescriptionToken token{DescriptionToken::Kind::End, std::string(1, c), line_};
    switch (c) {
    case '\n':
        ++position_;
        ++line_;
        return token;
    case ';':
        ++position_;
        return token;
    case '{':
        ++position_;
        token.kind = DescriptionToken::Kind::OpenBlock;
        return token;
    case '}':
        ++position_;
        token.kind = DescriptionToken::Kind::CloseBlock;
        return token;
    case '"':
        return Quoted();
    default:
        return Word();
    }
}

DescriptionToken DescriptionLexer::Quoted() {
    DescriptionToken token{DescriptionToken::Kind::String, "", line_};
    ++position_; // the opening quote
    while (true) {
        if (position_ >= text_.size() || text_[position_] == '\n') {
            Fail("unterminated text");
        }
        const char c = text_[position_++];
        if (c == '"') {
            return token;
        }
        token.text += c == '\\' ? Escape() : c;
    }
}

char DescriptionLexer::Escape() {
    if (position_ >= text_.size()) {
        Fail("unterminated text");
    }
    const char c = text_[position_++];
    switch (c) {
    case '"':
    case '\\':
        return c;
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'x': {
        const int high = position_ < text_.size() ? HexDigit(text_[position_]) : -1;
        const int low = position_ + 1 < text_.size() ? HexDigit(text_[position_ + 1]) : -1;
        if (high < 0 || low < 0) {
            Fail("\\x needs two hexadecimal digits");
        }
        position_ += 2;
        return static_cast<char>(high * 16 + low);
    }
    default:
        Fail(std::string("unknown escape \\") + c);
    }
}

DescriptionToken DescriptionLexer::Word() {
    DescriptionToken token{DescriptionToken::Kind::Word, "", line_};
    while (position_ < text_.size() && !IsDelimiter(text_[position_])) {
        const char c = text_[position_];
        if (!IsWordByte(c)) {
            Fail("unexpected byte 0x" + std::string(1, "0123456789ABCDEF"[(c >> 4) & 15]) +
                 std::string(1, "0123456789ABCDEF"[c & 15]));
        }
        token.text += c;
        ++position_;
    }
    return token;
}

void DescriptionLexer::Fail(const std::string& problem) const {
    throw DescriptionError(file_, line_, problem);
}
