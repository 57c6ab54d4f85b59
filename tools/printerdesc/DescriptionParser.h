#pragma once
// Reads a printer description into statements.
//
//   statement := word { word | "text" } [ "{" { statement } "}" ]  (ended by
//                a line break or ";", or by the block's "}")
//
// "include "path"" is replaced by the statements of that file, read relative
// to the folder of the file that includes it (at most 16 files deep). Every
// statement keeps the file and line it came from.
#include <string>
#include <vector>

#include "tools/printerdesc/DescriptionStatement.h"
#include "tools/printerdesc/DescriptionToken.h"

class DescriptionParser {
public:
    // The top-level statements of the file at path.
    static std::vector<DescriptionStatement> ParseFile(const std::string& path);
    // The same for a text; file names it in messages and includes are read
    // relative to its folder.
    static std::vector<DescriptionStatement> ParseText(const std::string& file, const std::string& text);

private:
    DescriptionParser(std::string file, std::vector<DescriptionToken> tokens, int depth);

    std::vector<DescriptionStatement> Statements(bool inBlock);
    DescriptionStatement Statement();
    void Include(const DescriptionStatement& statement, std::vector<DescriptionStatement>& into) const;
    const DescriptionToken& Peek() const { return tokens_[position_]; }
    [[noreturn]] void Fail(int line, const std::string& problem) const;

    static std::vector<DescriptionStatement> Parse(const std::string& file, const std::string& text,
                                                   int depth);
    static std::string ReadFile(const std::string& path, const std::string& from, int line);

    std::string file_;
    std::vector<DescriptionToken> tokens_;
    size_t position_ = 0;
    int depth_;
};
