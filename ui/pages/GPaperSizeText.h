#pragma once
// The text beside the Paper page's size list: the size the pages are
// printed on ("8.5 by 11 inches", "216 by 279 mm."), in the page's units.
// The printed-on size is the other paper when printing on another size,
// else the booklet paper (turned) with booklet printing, else the paper;
// with 2 or 6 pages per sheet the sheet lies the other way, so the height
// comes first.
#include <cstdint>

#include "rw/RWWString.h"

class GUIModel;

namespace GPaperSizeText {

// unit: 0 inches, 3 millimetres; empty when the size has no media.
RWWString Describe(GUIModel* model, uint32_t unit);
// A number of inches as "%1.2f" with its trailing zeros and point dropped,
// the point written as separator.
RWWString Inches(double inches, const RWWString& separator);

} // namespace GPaperSizeText
