#include "ui/OrdavinApp.h"

int main(int argc, char** argv) { return ordavin::ui::RunOrdavinApp(argc, argv); }
