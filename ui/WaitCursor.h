#pragma once

namespace ordavin::ui {

// The wait cursor, shown until every Begin has had its End.
class WaitCursor {
 public:
  static void Begin();
  static void End();
  // How many Begins are still open; 0 when the normal cursor shows.
  static int Depth();
};

}  // namespace ordavin::ui
