#pragma once

#include <QListWidget>
#include <cstdint>
#include <span>
#include <vector>

class QMenu;

namespace ordavin::ui {

// The available values with a check box each, in full-set order; position j is full-set
// value j. A context menu ticks all, unticks all or inverts the ticks.
class ValueChecklist final : public QListWidget {
  Q_OBJECT

 public:
  explicit ValueChecklist(QWidget* parent = nullptr);

  // Replaces every entry with these values, all ticked.
  void Fill(std::span<const double> values);

  // 0 unticked, 1 ticked, 2 indeterminate, as a run reads them.
  int GetCheck(int index) const;
  void SetCheck(int index, int state);
  std::vector<std::int32_t> CheckStates() const;

  void OnSelectAll();
  void OnDeselectAll();
  void OnInvertSelection();

  // The selection menu, with its commands wired to this list.
  QMenu* CreateSelectionMenu(QWidget* parent);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace ordavin::ui
