#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <set>
#include <string>
#include <vector>

#include "network/CheckedResult.h"
#include "support/NetworkFixtures.h"
#include "texts/EngineeringNotation.h"
#include "ui/SchematicLayout.h"

namespace ordavin::ui {
namespace {

Network Flat(Connection connection, const std::vector<double>& values) {
  return ordavin::testing::FlatNetwork(connection, values);
}

CheckedResult Divider(Network upper, Network lower, double source, double load) {
  CheckedResult result;
  result.kind = CheckedResult::Kind::Divider;
  result.divider.upper = std::move(upper);
  result.divider.lower = std::move(lower);
  result.divider.sourceResistance = source;
  result.divider.loadConductance = load == 0 ? 0 : 1 / load;
  return result;
}

CheckedResult Target(Network network) {
  CheckedResult result;
  result.network = std::move(network);
  return result;
}

struct NamedResult {
  const char* name;
  CheckedResult result;
};

std::vector<NamedResult> Results() {
  const Network mixed =
      Connect(Connection::Series,
              {Resistor(1000), Connect(Connection::Parallel, {Flat(Connection::Series, {220, 470}),
                                                              Resistor(4.7), Resistor(1e6)})});
  return {
      {"1 + 1, bare", Divider(Resistor(10000), Resistor(4700), 0, 0)},
      {"2 parallel + 2 series, source and load",
       Divider(Flat(Connection::Parallel, {20000, 750000}), Flat(Connection::Series, {5.1, 16000}),
               100, 47000)},
      {"4 parallel + 4 parallel, source and load",
       Divider(Flat(Connection::Parallel, {1e6, 2.2e6, 3.3, 4.7}),
               Flat(Connection::Parallel, {0.22, 10, 100, 1e9}), 1e12, 1e3)},
      {"4 series + 4 parallel, load only",
       Divider(Flat(Connection::Series, {1, 2, 3, 4}), Flat(Connection::Parallel, {5, 6, 7, 8}), 0,
               99)},
      {"5 parallel", Target(Flat(Connection::Parallel, {100, 220, 470, 1000, 2200}))},
      {"5 series", Target(Flat(Connection::Series, {1.5, 33, 1200, 4.7e6, 0.1}))},
      {"mixed", Target(mixed)},
  };
}

bool Overlap(const QRectF& a, const QRectF& b) { return a.intersects(b); }

// Whether an axis-parallel segment passes through the inside of a rectangle.
bool Crosses(const QLineF& wire, const QRectF& rect) {
  const QRectF span = QRectF(wire.p1(), wire.p2()).normalized().adjusted(-0.01, -0.01, 0.01, 0.01);
  return span.intersects(rect.adjusted(0.5, 0.5, -0.5, -0.5));
}

bool Touches(const std::vector<QLineF>& wires, QPointF point) {
  for (const QLineF& wire : wires) {
    for (const QPointF end : {wire.p1(), wire.p2()}) {
      if (QLineF(end, point).length() < 0.01) return true;
    }
  }
  return false;
}

void CheckLayout(const NamedResult& named, const QFont& font) {
  SCOPED_TRACE(std::string(named.name) + " at " + std::to_string(font.pointSizeF()) + " pt");
  const CheckedResult& result = named.result;
  const SchematicLayout layout = LayOutSchematic(result, QFontMetricsF(font));
  const QRectF page(QPointF(0, 0), layout.size);

  // Every resistor once, named and valued; source and load only when they are there.
  const std::vector<const Network*> resistors = ResistorsOf(result);
  std::set<int> drawn;
  int extras = 0;
  for (const SchematicLayout::Resistor& r : layout.resistors) {
    if (r.index < 0) {
      ++extras;
      continue;
    }
    ASSERT_LT(static_cast<std::size_t>(r.index), resistors.size());
    EXPECT_TRUE(drawn.insert(r.index).second) << "R" << r.index + 1 << " drawn twice";
    EXPECT_EQ(r.designator, QStringLiteral("R%1").arg(r.index + 1));
    EXPECT_EQ(r.value.toStdString(),
              FormatResistance(resistors[static_cast<std::size_t>(r.index)]->ohms));
  }
  EXPECT_EQ(drawn.size(), resistors.size());
  const int expectedExtras =
      result.IsDivider() ? int{result.divider.HasSource()} + int{result.divider.HasLoad()} : 0;
  EXPECT_EQ(extras, expectedExtras);
  EXPECT_EQ(layout.terminals.size(), 2U);

  // Labels are wide enough for their text and overlap nothing: no other label, no body, no
  // terminal, no wire.
  const QFontMetricsF metrics(font);
  std::vector<QRectF> labels;
  std::vector<QRectF> bodies;
  for (const SchematicLayout::Resistor& r : layout.resistors) {
    labels.push_back(r.label);
    bodies.push_back(r.body);
    EXPECT_GE(r.label.width(), metrics.horizontalAdvance(r.value)) << r.designator.toStdString();
    EXPECT_GE(r.label.height(), 2 * metrics.height() - 1);
    // Each body hangs on wires at the middle of its top and bottom edges.
    EXPECT_TRUE(Touches(layout.wires, QPointF(r.body.center().x(), r.body.top())));
    EXPECT_TRUE(Touches(layout.wires, QPointF(r.body.center().x(), r.body.bottom())));
  }
  for (const SchematicLayout::Terminal& t : layout.terminals) {
    labels.push_back(t.label);
    bodies.push_back(
        QRectF(t.centre.x() - t.radius, t.centre.y() - t.radius, 2 * t.radius, 2 * t.radius));
  }
  for (std::size_t a = 0; a < labels.size(); ++a) {
    EXPECT_TRUE(page.contains(labels[a])) << a;
    for (std::size_t b = a + 1; b < labels.size(); ++b) {
      EXPECT_FALSE(Overlap(labels[a], labels[b])) << a << " and " << b;
    }
    for (std::size_t b = 0; b < bodies.size(); ++b) {
      EXPECT_FALSE(Overlap(labels[a], bodies[b])) << "label " << a << ", body " << b;
    }
    for (const QLineF& wire : layout.wires) {
      EXPECT_FALSE(Crosses(wire, labels[a])) << "label " << a;
    }
  }
  for (const QLineF& wire : layout.wires) {
    EXPECT_TRUE(wire.p1().x() == wire.p2().x() || wire.p1().y() == wire.p2().y())
        << "a slanted wire";
    EXPECT_TRUE(page.contains(wire.p1()) && page.contains(wire.p2()));
    for (const QRectF& body : bodies) EXPECT_FALSE(Crosses(wire, body));
  }
}

TEST(SchematicLayoutTest, EveryResistorIsDrawnOnceAndNoLabelOverlapsAnything) {
  QFont font = QApplication::font();
  for (const NamedResult& named : Results()) {
    CheckLayout(named, font);
    // Twice the size, as on a screen of twice the density.
    QFont large = font;
    large.setPointSizeF(font.pointSizeF() * 2);
    CheckLayout(named, large);
  }
}

TEST(SchematicLayoutTest, ParallelPartsStandSideBySideAndSeriesPartsInAColumn) {
  const SchematicLayout parallel = LayOutSchematic(Target(Flat(Connection::Parallel, {1, 2, 3})),
                                                   QFontMetricsF(QApplication::font()));
  ASSERT_EQ(parallel.resistors.size(), 3U);
  for (std::size_t k = 1; k < 3; ++k) {
    EXPECT_EQ(parallel.resistors[k].body.top(), parallel.resistors[0].body.top());
    EXPECT_GT(parallel.resistors[k].body.left(), parallel.resistors[k - 1].label.right());
  }
  const SchematicLayout series = LayOutSchematic(Target(Flat(Connection::Series, {1, 2, 3})),
                                                 QFontMetricsF(QApplication::font()));
  for (std::size_t k = 1; k < 3; ++k) {
    EXPECT_EQ(series.resistors[k].body.center().x(), series.resistors[0].body.center().x());
    EXPECT_GT(series.resistors[k].body.top(), series.resistors[k - 1].body.bottom());
  }
  // The load stands beside the lower network, the output to the right of everything.
  const SchematicLayout divider =
      LayOutSchematic(Divider(Resistor(1), Resistor(2), 3, 4), QFontMetricsF(QApplication::font()));
  ASSERT_EQ(divider.resistors.size(), 4U);
  const auto byDesignator = [&divider](const char* name) {
    for (const auto& r : divider.resistors) {
      if (r.designator == QLatin1String(name)) return r;
    }
    throw std::runtime_error(name);
  };
  EXPECT_LT(byDesignator("Rs").body.bottom(), byDesignator("R1").body.top());
  EXPECT_LT(byDesignator("R1").body.bottom(), byDesignator("R2").body.top());
  EXPECT_EQ(byDesignator("RL").body.top(), byDesignator("R2").body.top());
  EXPECT_GT(byDesignator("RL").body.left(), byDesignator("R2").label.right());
  EXPECT_EQ(divider.terminals[1].text, QStringLiteral("Uout"));
  EXPECT_GT(divider.terminals[1].centre.x(), byDesignator("RL").label.right());
}

}  // namespace
}  // namespace ordavin::ui
