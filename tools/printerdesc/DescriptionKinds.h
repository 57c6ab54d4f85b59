#pragma once
// The kinds of thing a printer description names, and the class each becomes
// in the data file. The id table beside the descriptions uses the same
// names, so a test can check a kind against the class of the built object.
#include <cstdint>
#include <string>

#include "rw/RWDefs.h"

// The class id a kind of description statement makes; 0 for words that are
// not kinds of object (printer, set, paper, ...) or are unknown.
RWClassID ClassIdOfKind(const std::string& kind);
// True for every word that may begin a statement somewhere in a description.
bool IsDescriptionKeyword(const std::string& word);
