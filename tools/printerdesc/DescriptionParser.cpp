#include "tools/printerdesc/DescriptionParser.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "tools/printerdesc/DescriptionError.h"
#include "tools/printerdesc/DescriptionLexer.h"

namespace {

constexpr int kMaxIncludeDepth = 16;

using Kind = DescriptionToken::Kind;

} // namespace

std::vector<DescriptionStatement> DescriptionParser::ParseFile(const std::string& path) {
    return Parse(path, ReadFile(path, path, 0), 0);
}

std::vector<DescriptionStatement> DescriptionParser::ParseText(const std::string& file,
                                                               const std::string& text) {
    return Parse(file, text, 0);
}

std::vector<DescriptionStatement> DescriptionParser::Parse(const std::string& file, const std::string& text,
                                                           int depth) {
    DescriptionParser parser(file, DescriptionLexer(file, text).Tokens(), depth);
    return parser.Statements(false);
}

std::string DescriptionParser::ReadFile(const std::string& path, const std::string& from, int line) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw DescriptionError(from, line, "cannot read \"" + path + "\"");
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

DescriptionParser::DescriptionParser(std::string file, std::vector<DescriptionToken> tokens, int depth)
    : file_(std::move(file)), tokens_(std::move(tokens)), depth_(depth) {}

std::vector<DescriptionStatement> DescriptionParser::Statements(bool inBlock) {
    std::vector<DescriptionStatement> statements;
    while (true) {
        const DescriptionToken& token = Peek();
        if (token.kind == Kind::End) {
            ++position_;
        } else if (token.kind == Kind::CloseBlock) {
            if (!inBlock) Fail(token.line, "\"}\" without a block to close");
            ++position_;
            return statements;
        } else if (token.kind == Kind::EndOfFile) {
            if (inBlock) Fail(token.line, "the file ends inside a block");
            return statements;
        } else {
            DescriptionStatement statement = Statement();
            if (statement.Kind() == "include") {
                Include(statement, statements);
            } else {
                statements.push_back(std::move(statement));
            }
        }
    }
}

DescriptionStatement DescriptionParser::Statement() {
    DescriptionStatement statement;
    statement.file = file_;
    statement.line = Peek().line;
    if (Peek().kind != Kind::Word) {
        Fail(Peek().line, "a statement must begin with a word, not " +
                              std::string(Peek().kind == Kind::String ? "a quoted text" : "\"{\""));
    }
    while (Peek().kind == Kind::Word || Peek().kind == Kind::String) {
        statement.words.push_back(tokens_[position_++]);
    }
    if (Peek().kind == Kind::OpenBlock) {
        ++position_;
        statement.hasBlock = true;
        statement.children = Statements(true);
    }
    const Kind next = Peek().kind;
    if (next != Kind::End && next != Kind::CloseBlock && next != Kind::EndOfFile) {
        Fail(Peek().line, "a statement goes on after its block");
    }
    return statement;
}

void DescriptionParser::Include(const DescriptionStatement& statement,
                                std::vector<DescriptionStatement>& into) const {
    if (statement.ArgumentCount() != 1 || statement.words[1].kind != Kind::String || statement.hasBlock) {
        Fail(statement.line, "include takes one quoted file name");
    }
    if (depth_ >= kMaxIncludeDepth) {
        Fail(statement.line, "includes nest deeper than 16 files");
    }
    const std::filesystem::path folder = std::filesystem::path(file_).parent_path();
    const std::string path = (folder / statement.words[1].text).string();
    std::vector<DescriptionStatement> included =
        Parse(path, ReadFile(path, file_, statement.line), depth_ + 1);
    for (DescriptionStatement& child : included) {
        into.push_back(std::move(child));
    }
}

void DescriptionParser::Fail(int line, const std::string& problem) const {
    throw DescriptionError(file_, line, problem);
}
