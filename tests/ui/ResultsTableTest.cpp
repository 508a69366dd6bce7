#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>
#include <atomic>

#include "divider/StraightforwardDividerEngine.h"
#include "support/ValueFixtures.h"
#include "target/StraightforwardTargetEngine.h"
#include "ui/ResultsTable.h"

namespace ordavin::ui {
namespace {

using ::ordavin::testing::SetValues;

std::vector<QString> Column(const QTableWidget& list, int c) {
  std::vector<QString> texts;
  for (int r = 0; r < list.rowCount(); ++r) texts.push_back(list.item(r, c)->text());
  return texts;
}

TEST(ResultsTableTest, DividerSortingByEveryColumnAndBack) {
  ValueSet set;
  SetValues(set, {1000, 2200, 4700, 10000});
  StraightforwardDividerEngine engine(set);
  DividerParameters p;
  p.targetFactor = 0.4;
  p.tolerance = 5;
  p.maxResults = 8;
  engine.SetParameters(p);
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  QTableWidget list;
  ResultsTable table(&list);
  table.SortByColumn(7);  // nothing shown yet
  table.ShowDivider(engine);
  ASSERT_EQ(list.rowCount(), 8);
  EXPECT_EQ(list.columnWidth(7), 80);
  table.SortByColumn(7);
  std::vector<QString> factors = Column(list, 7);
  EXPECT_TRUE(std::is_sorted(
      factors.begin(), factors.end(),
      [](const QString& a, const QString& b) { return a.toDouble() < b.toDouble(); }));
  table.SortByColumn(7);
  EXPECT_EQ(Column(list, 7), factors);
  table.SortByColumn(8);
  const std::vector<QString> errors = Column(list, 8);
  EXPECT_TRUE(errors.front().startsWith("-"));
  table.SortByColumn(0);
  EXPECT_EQ(Column(list, 0),
            (std::vector<QString>{"1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 "}));
  EXPECT_EQ(table.RecordCount(), 8u);
  table.Clear();
  EXPECT_EQ(table.RecordCount(), 0u);
  EXPECT_EQ(list.rowCount(), 0);
}

TEST(ResultsTableTest, ACutCellShowsItsTextAsToolTipAndAColumnFitsOnDoubleClick) {
  ValueSet set;
  SetValues(set, {1000, 2200, 4700, 10000});
  StraightforwardDividerEngine engine(set);
  DividerParameters p;
  p.targetFactor = 0.4;
  p.tolerance = 5;
  p.upperCount = 3;
  p.lowerCount = 3;
  engine.SetParameters(p);
  std::atomic<bool> abort{false};
  engine.Optimize(abort);
  QTableWidget list;
  list.resize(900, 300);
  ResultsTable table(&list);
  table.ShowDivider(engine);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  constexpr int kRu = DividerColumn::Ru;
  QTableWidgetItem* ru = list.item(0, kRu);
  ASSERT_GT(ru->text().size(), 20);  // three resistors: wider than the column
  EXPECT_EQ(ru->toolTip(), ru->text());
  EXPECT_EQ(list.item(0, DividerColumn::Rank)->toolTip(), "");

  // A double-click on the column's right edge fits it to its texts; the tips go.
  QHeaderView* header = list.horizontalHeader();
  const int edge = header->sectionViewportPosition(kRu) + header->sectionSize(kRu) - 1;
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(edge, header->height() / 2));
  EXPECT_GT(list.columnWidth(kRu), 120);
  for (int r = 0; r < list.rowCount(); ++r) EXPECT_EQ(list.item(r, kRu)->toolTip(), "") << r;

  // Narrowed by dragging, or by the program, the cut cells get their tips back.
  EXPECT_EQ(header->sectionResizeMode(kRu), QHeaderView::Interactive);
  list.setColumnWidth(kRu, 30);
  EXPECT_EQ(list.item(0, kRu)->toolTip(), list.item(0, kRu)->text());
  // Sorting moves the tips with their cells.
  table.SortByColumn(DividerColumn::RuTotal);
  for (int r = 0; r < list.rowCount(); ++r) {
    EXPECT_EQ(list.item(r, kRu)->toolTip(), list.item(r, kRu)->text()) << r;
  }
}

TEST(ResultsTableTest, MixedRowsShowParenthesesAndSortByTotal) {
  ValueSet set;
  SetValues(set, {220, 470, 1000});
  StraightforwardTargetEngine target(set);
  target.SetParameters({1150, 0.2, ConnectionMode::Mixed, 20, 3});
  std::atomic<bool> abort{false};
  target.Optimize(abort);
  QTableWidget list;
  ResultsTable table(&list);
  table.ShowTarget(target);
  ASSERT_GT(list.rowCount(), 2);
  // 1 k + (220 || 470) = 1149.855 is the best of three.
  EXPECT_EQ(list.item(0, 1)->text(),
            QString::fromUtf8("1.00 k\u2126+(220.00 \u2126||470.00 \u2126)"));
  // By total, lowest first: 1 k + (220 || 220) = 1110 lies below the best row.
  table.SortByColumn(2);
  EXPECT_NE(Column(list, 0).front(), "1 ");
  table.SortByColumn(0);
  EXPECT_EQ(list.item(0, 0)->text(), "1 ");
  EXPECT_EQ(list.item(0, 1)->text(),
            QString::fromUtf8("1.00 k\u2126+(220.00 \u2126||470.00 \u2126)"));
}

TEST(ResultsTableTest, TheComparatorFollowsTheLastTableBuilt) {
  ValueSet set;
  SetValues(set, {100, 220, 470});
  StraightforwardDividerEngine divider(set);
  DividerParameters p;
  p.targetFactor = 0.5;
  p.tolerance = 5;
  divider.SetParameters(p);
  StraightforwardTargetEngine target(set);
  target.SetParameters({150, 10, ConnectionMode::ParallelAndSeries, 10, 2});
  std::atomic<bool> abort{false};
  divider.Optimize(abort);
  target.Optimize(abort);
  QTableWidget list;
  ResultsTable table(&list);
  table.ShowDivider(divider);
  table.ShowTarget(target);
  EXPECT_EQ(table.Kind(), ResultsKind::Target);
  EXPECT_EQ(list.columnCount(), 4);
  EXPECT_EQ(table.RecordCount(), 10u);
  table.SortByColumn(2);  // by total, with the target comparator
  std::vector<QString> totals = Column(list, 2);
  EXPECT_NE(Column(list, 0).front(), "1 ");
  table.SortByColumn(1);
  EXPECT_EQ(Column(list, 2), totals);
  // No match: the columns, no rows.
  target.SetParameters({150, 0, ConnectionMode::ParallelAndSeries, 10, 2});
  target.Optimize(abort);
  table.ShowTarget(target);
  EXPECT_EQ(list.columnCount(), 4);
  EXPECT_EQ(list.rowCount(), 0);
}

}  // namespace
}  // namespace ordavin::ui
