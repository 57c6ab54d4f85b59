#pragma once
// The rules builder of the document sheet: it makes every availability
// rule with the sheet's UI model and adds it there, in the order the rules
// run. The rendering-mode rule only for a PCL 5 writer (kind 788, asked of
// the printer configuration through GetWriterKind). The pages-per-sheet
// rule, made with the Finishing page, comes last: it judges what every
// other rule has left, and lays out the page while it exists.
#include "ui/framework/GPropertyPage.h"

class GUIModel;
class MPersistentObject;

// printerConfiguration: the configuration of the sheet's printer node;
// finishingPage: the page the pages-per-sheet rule lays out (null: none).
void BuildAvailabilityRules(GUIModel* model, MPersistentObject* printerConfiguration,
                            GPropertyPage* finishingPage);
