#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "ui/ValueChecklist.h"

namespace ordavin::ui {
namespace {

TEST(ValueChecklistTest, FillsAllTickedInOrder) {
  ValueChecklist list;
  const double values[] = {10, 220.00000000000003, 4700, 10};
  list.Fill(values);
  ASSERT_EQ(list.count(), 4);
  EXPECT_EQ(list.item(0)->text(), QString::fromUtf8("10.00 \u2126"));
  EXPECT_EQ(list.item(1)->text(), QString::fromUtf8("220.00 \u2126"));
  EXPECT_EQ(list.item(2)->text(), QString::fromUtf8("4.70 k\u2126"));
  EXPECT_EQ(list.item(3)->text(), QString::fromUtf8("10.00 \u2126"));
  EXPECT_EQ(list.CheckStates(), (std::vector<std::int32_t>{1, 1, 1, 1}));
  EXPECT_TRUE(list.item(0)->textAlignment() & Qt::AlignRight);
  list.SetCheck(1, 0);
  list.Fill(values);
  EXPECT_EQ(list.GetCheck(1), 1);
}

TEST(ValueChecklistTest, MenuCommands) {
  ValueChecklist list;
  const double values[] = {1, 2, 3};
  list.Fill(values);
  QMenu* menu = list.CreateSelectionMenu(&list);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), "Select all");
  EXPECT_EQ(actions[1]->text(), "Deselect all");
  EXPECT_TRUE(actions[2]->isSeparator());
  EXPECT_EQ(actions[3]->text(), "Invert selection");

  list.SetCheck(1, 0);
  list.SetCheck(2, 2);
  actions[3]->trigger();
  EXPECT_EQ(list.CheckStates(), (std::vector<std::int32_t>{0, 1, 0}));
  actions[3]->trigger();
  EXPECT_EQ(list.CheckStates(), (std::vector<std::int32_t>{1, 0, 1}));
  actions[1]->trigger();
  EXPECT_EQ(list.CheckStates(), (std::vector<std::int32_t>{0, 0, 0}));
  actions[0]->trigger();
  EXPECT_EQ(list.CheckStates(), (std::vector<std::int32_t>{1, 1, 1}));
  actions[3]->trigger();
  actions[3]->trigger();
  EXPECT_EQ(list.CheckStates(), (std::vector<std::int32_t>{1, 1, 1}));
}

TEST(ValueChecklistTest, CommandsOnAnEmptyListDoNothing) {
  ValueChecklist list;
  list.OnSelectAll();
  list.OnDeselectAll();
  list.OnInvertSelection();
  EXPECT_EQ(list.count(), 0);
  EXPECT_TRUE(list.CheckStates().empty());
}

}  // namespace
}  // namespace ordavin::ui
