#pragma once

namespace ordavin::ui {

// Sets up the application (name, profile store, icon) and runs the main window until it
// closes; returns the exit code.
int RunApplication(int argc, char** argv);

// The application's icon at 16, 32 and 48 pixels.
void InstallApplicationIcon();

}  // namespace ordavin::ui
