#pragma once

// The window's layouts in dialog units (a quarter of the dialog font's average character
// width across, an eighth of its height down), as the templates place them.
namespace ordavin::resources {

struct DlgRect {
  int x;
  int y;
  int w;
  int h;
};

// The main window.
namespace main_window {
inline constexpr DlgRect kSize{0, 0, 589, 393};
inline constexpr DlgRect kParametersGroup{1, 0, 472, 222};
inline constexpr DlgRect kTabControl{5, 9, 461, 207};
inline constexpr DlgRect kValuesGroup{477, 0, 108, 222};
inline constexpr DlgRect kValueList{482, 11, 96, 175};
inline constexpr DlgRect kStatusText{480, 192, 100, 8};
inline constexpr DlgRect kSeriesLabel{480, 210, 48, 8};
inline constexpr DlgRect kSeriesCombo{534, 204, 48, 89};
inline constexpr DlgRect kResultsGroup{0, 222, 583, 168};
inline constexpr DlgRect kResultsList{6, 234, 576, 150};
}  // namespace main_window

// The about box.
namespace about_box {
inline constexpr DlgRect kSize{0, 0, 170, 63};
inline constexpr DlgRect kIcon{14, 14, 21, 20};
inline constexpr DlgRect kText{42, 14, 114, 8};
inline constexpr DlgRect kOkButton{113, 42, 50, 14};
}  // namespace about_box

// The divider page.
namespace divider_page {
inline constexpr DlgRect kSize{0, 0, 466, 194};
inline constexpr DlgRect kSeriesLabel{7, 15, 75, 8};
inline constexpr DlgRect kSeriesMin{84, 12, 48, 12};
inline constexpr DlgRect kSeriesTo{138, 13, 11, 8};
inline constexpr DlgRect kSeriesMax{150, 12, 48, 12};
inline constexpr DlgRect kSeriesEnabled{204, 14, 41, 10};
inline constexpr DlgRect kParallelLabel{7, 32, 75, 8};
inline constexpr DlgRect kParallelMin{84, 30, 48, 12};
inline constexpr DlgRect kParallelTo{138, 31, 11, 8};
inline constexpr DlgRect kParallelMax{150, 30, 48, 12};
inline constexpr DlgRect kParallelEnabled{204, 32, 41, 10};
inline constexpr DlgRect kSourceLabel{7, 50, 75, 8};
inline constexpr DlgRect kSource{84, 48, 48, 12};
inline constexpr DlgRect kLoadLabel{7, 68, 75, 8};
inline constexpr DlgRect kLoad{84, 66, 48, 12};
inline constexpr DlgRect kFactorLabel{7, 86, 75, 8};
inline constexpr DlgRect kFactor{84, 84, 48, 12};
inline constexpr DlgRect kToleranceLabel{7, 104, 75, 8};
inline constexpr DlgRect kTolerance{84, 102, 48, 12};
inline constexpr DlgRect kToleranceNote{140, 104, 100, 8};
inline constexpr DlgRect kUpperLabel{7, 122, 75, 8};
inline constexpr DlgRect kUpperCount{84, 120, 30, 56};
inline constexpr DlgRect kUpperMode{120, 120, 42, 30};
inline constexpr DlgRect kLowerLabel{7, 140, 75, 8};
inline constexpr DlgRect kLowerCount{84, 138, 30, 61};
inline constexpr DlgRect kLowerMode{120, 138, 42, 30};
inline constexpr DlgRect kMaxResultsLabel{7, 158, 75, 8};
inline constexpr DlgRect kMaxResults{84, 156, 48, 12};
inline constexpr DlgRect kAttenuatorGroup{247, 7, 103, 84};
inline constexpr DlgRect kAttenuationLabel{253, 25, 23, 8};
inline constexpr DlgRect kAttenuation{278, 23, 48, 12};
inline constexpr DlgRect kAttenuatorButton{257, 66, 81, 14};
inline constexpr DlgRect kRegulatorGroup{354, 7, 102, 95};
inline constexpr DlgRect kUOutLabel{363, 26, 22, 8};
inline constexpr DlgRect kUOut{387, 24, 48, 12};
inline constexpr DlgRect kURefLabel{363, 43, 22, 8};
inline constexpr DlgRect kURef{387, 41, 48, 12};
inline constexpr DlgRect kUGndLabel{363, 60, 22, 8};
inline constexpr DlgRect kUGnd{387, 59, 48, 12};
inline constexpr DlgRect kRegulatorButton{366, 78, 84, 14};
inline constexpr DlgRect kOptimizeButton{378, 150, 78, 18};
inline constexpr DlgRect kStatusLine{6, 174, 330, 12};
inline constexpr DlgRect kProgressBar{340, 174, 116, 12};
}  // namespace divider_page

// The target-resistance page.
namespace target_page {
inline constexpr DlgRect kSize{0, 0, 466, 194};
inline constexpr DlgRect kTargetLabel{6, 14, 57, 8};
inline constexpr DlgRect kTarget{84, 12, 66, 12};
inline constexpr DlgRect kToleranceLabel{6, 32, 62, 8};
inline constexpr DlgRect kTolerance{84, 31, 66, 12};
inline constexpr DlgRect kCountLabel{6, 68, 64, 8};
inline constexpr DlgRect kCount{84, 66, 66, 68};
inline constexpr DlgRect kMaxResultsLabel{6, 86, 72, 8};
inline constexpr DlgRect kMaxResults{84, 84, 66, 12};
inline constexpr DlgRect kOptimizeButton{378, 150, 78, 18};
inline constexpr DlgRect kConnectionLabel{6, 50, 37, 8};
inline constexpr DlgRect kConnection{84, 48, 66, 68};
inline constexpr DlgRect kStatusLine{6, 174, 330, 12};
inline constexpr DlgRect kProgressBar{340, 174, 116, 12};
}  // namespace target_page

}  // namespace ordavin::resources
