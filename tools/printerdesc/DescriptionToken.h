#pragma once
// One token of a printer description (see DescriptionLexer.h for the syntax).
#include <string>

struct DescriptionToken {
    enum class Kind {
        Word,       // a kind name, a number, a length ("8.5in"), a keyword
        String,     // a quoted text, escapes resolved
        OpenBlock,  // {
        CloseBlock, // }
        End,        // end of a statement: a line break or ;
        EndOfFile,
    };
    Kind kind = Kind::EndOfFile;
    std::string text;
    int line = 0;
};
