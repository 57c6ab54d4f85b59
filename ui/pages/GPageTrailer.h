#pragma once
// The controls every tab ends with: the common About control (11525) and
// the two page-wide feature tips (1013, 1015); and the feature tip beside
// an option, which the tabs place among their options.
#include <cstdint>

class GDialog;
class GUIModel;
struct GControlHelpPair;

void AddPageTrailer(GDialog& page, GUIModel* model);

// A tip over the rules' pair (levelId, messageId) for the icon of table,
// which must outlive the page; iconKind as GFeatureTipWrapper names them.
void AddFeatureTip(GDialog& page, GUIModel* model, const GControlHelpPair* table, uint32_t levelId,
                   uint32_t messageId, uint16_t iconKind);
