#pragma once

namespace ordavin::ui {

// Answers --version and --help without a window; otherwise sets up the application (name,
// profile store, icon) and runs the main window until it closes, or only until it is on
// screen with --startup-check. Returns the exit code.
int RunApplication(int argc, char** argv);

// Names the application for the profile store and the desktop, and installs its icon.
// No display name is set: the toolkit would append it to every window title.
void ConfigureApplication();

// The application's icon at 16, 32 and 48 pixels.
void InstallApplicationIcon();

}  // namespace ordavin::ui
