#include "ui/Application.h"

int main(int argc, char** argv) { return ordavin::ui::RunApplication(argc, argv); }
