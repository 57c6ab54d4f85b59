#pragma once
// The controls every tab ends with: the common About control (11525) and
// the two page-wide feature tips (1013, 1015).
class GDialog;
class GUIModel;

void AddPageTrailer(GDialog& page, GUIModel* model);
