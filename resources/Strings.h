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

// The window program's own command line, answered before any window opens.
inline constexpr const char* kProgramName = "ordavin";
inline constexpr const char* kCommandLineHelp =
    R"(Usage: ordavin [--help] [--version]

Picks standard resistor values by exhaustive search, in a window. The series chooser lists
the *.SER files of the working directory. ordavin-cli runs the same searches from a
terminal or a script.

Options:
  --help           Print this help and exit
  --version        Print the program's name and version and exit
  --startup-check  Open the window, write its title, the series it lists and the one it
                   loaded, and quit; exit code 1 when it was not shown or loaded nothing

The toolkit's own options, such as -platform offscreen, are accepted too.
)";

// ordavin --startup-check: the option and its report.
inline constexpr const char* kStartupCheckOption = "--startup-check";
inline constexpr const char* kStartupWindow = "Window: ";
inline constexpr const char* kStartupSeries = "Series: ";
inline constexpr const char* kStartupNone = "none";
inline constexpr const char* kStartupLoaded = "Loaded: ";
inline constexpr const char* kStartupValuesListed = " values listed";
inline constexpr const char* kStartupNotShown = "The window did not come on screen.";
inline constexpr const char* kStartupNothingLoaded = "No series was loaded.";

// The value list's context menu.
inline constexpr const char* kSelectAll = "Select all";
inline constexpr const char* kDeselectAll = "Deselect all";
inline constexpr const char* kInvertSelection = "Invert selection";

// The results list's context menu (with kSelectAll) and its save.
inline constexpr const char* kCopy = "Copy";
inline constexpr const char* kSaveAsCsv = "Save as CSV...";
inline constexpr const char* kDetails = "Details...";
inline constexpr const char* kSaveCsvTitle = "Save results as CSV";
inline constexpr const char* kCsvFilter = "CSV files (*.csv);;All files (*)";
inline constexpr const char* kDividerCsvName = "divider-results.csv";
inline constexpr const char* kTargetCsvName = "target-results.csv";
// %1 the file, %2 the system's reason.
inline constexpr const char* kSaveFailedMessage = "Could not save %1: %2";

}  // namespace ordavin::resources
