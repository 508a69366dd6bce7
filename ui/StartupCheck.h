#pragma once

#include <chrono>
#include <ostream>
#include <span>

namespace ordavin::ui {

class MainWindow;

// ordavin --startup-check: the window opens as usual on the series of the working directory;
// once it is on screen, its title, the series its chooser lists and the series it loaded are
// written out and the program quits, leaving the profile as it was. An installed copy is
// tried this way with nobody at the screen.

// Whether the arguments (argv without the program name) ask for the check.
bool AsksStartupCheck(std::span<char* const> arguments);

// Shows the window, waits until it is on screen (at most limit), writes what it shows to out
// and hides it again. Returns 0 when it was shown with a series loaded, otherwise 1 and the
// reason on err.
int CheckStartup(MainWindow& window, std::ostream& out, std::ostream& err,
                 std::chrono::milliseconds limit);

// The whole check, in a running QApplication: boxes would wait for a click that never comes,
// so their texts go to err; then the window is made and checked.
int RunStartupCheck(std::ostream& out, std::ostream& err);

}  // namespace ordavin::ui
