#pragma once

#include "version/Version.h"

// The window's fixed texts.
namespace ordavin::resources {

inline constexpr const char* kAppName = "Ordavin";
inline constexpr const char* kAboutMenuEntry = "&About Ordavin...";
inline constexpr const char* kAboutTitle = "About Ordavin";
inline constexpr const char* kDividerTab = "Resistor divider optimizer";
inline constexpr const char* kTargetTab = "Target resistance optimizer";
inline constexpr const char* kOptimizeText = "Optimize!";
inline constexpr const char* kAbortText = "Abort!";
// Follows the progress text once the straightforward engine has taken over; the status
// line's tool tip gives the reason.
inline constexpr const char* kSlowerSearchMark = " (slower search)";
inline constexpr const char* kCantQuitMessage = "Can't quit, optimizer is running!";
inline constexpr const char* kProfileSection = "DividerOptimizerConfig";
inline constexpr const char* kProfileFactorEntry = "df";

// The value list's context menu.
inline constexpr const char* kSelectAll = "Select all";
inline constexpr const char* kDeselectAll = "Deselect all";
inline constexpr const char* kInvertSelection = "Invert selection";

}  // namespace ordavin::resources
