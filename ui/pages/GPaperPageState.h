#pragma once
// What the Paper page's controls share: the tab the source, type and back
// cover controls edit (kept in composite 283, never stored with a
// configuration) and whether the first page differs.
#include <cstdint>

class GUIModel;

namespace GPaperPageState {

inline constexpr int16_t kAllPagesTab = 0; // or the first page
inline constexpr int16_t kOtherPagesTab = 1;
inline constexpr int16_t kBackCoverTab = 2;
// Back cover modes (920).
inline constexpr int16_t kNoBackCover = 0;
inline constexpr int16_t kBackCoverFromFirstPage = 1;
inline constexpr int16_t kBackCoverAlternate = 2;
// The automatic source.
inline constexpr int16_t kAutomaticSource = 19;

int16_t SelectedTab(GUIModel* model);
bool FirstPageDiffers(GUIModel* model);
int16_t BackCoverMode(GUIModel* model);
// The source and type ids the tab edits: 258/261, 263/262, 921/973.
uint32_t SourceIdOfTab(int16_t tab);
uint32_t TypeIdOfTab(int16_t tab);
// 263 := 258 and 262 := 261 (recorded).
void CopyFirstPageToOtherPages(GUIModel* model);

} // namespace GPaperPageState
