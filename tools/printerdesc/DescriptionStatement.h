#pragma once
// One statement of a printer description: its words (the first names the
// kind of thing it describes), where it stands, and the statements of its
// block when it has one.
#include <string>
#include <vector>

#include "tools/printerdesc/DescriptionToken.h"

struct DescriptionStatement {
    std::string file;
    int line = 0;
    // The kind word first, then the arguments (words and quoted texts).
    std::vector<DescriptionToken> words;
    bool hasBlock = false;
    std::vector<DescriptionStatement> children;

    const std::string& Kind() const { return words.front().text; }
    size_t ArgumentCount() const { return words.size() - 1; }
};
