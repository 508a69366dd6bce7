#include "ui/DetailsWindow.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "network/PowerSplit.h"
#include "resources/Strings.h"
#include "texts/CheckTexts.h"
#include "texts/EngineeringNotation.h"
#include "texts/ErrorText.h"
#include "ui/SchematicView.h"

namespace ordavin::ui {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The power table's columns.
constexpr std::array<const char*, 4> kPowerColumns{"Resistor", "Value", "Current", "Power"};

// Wide enough for the longest text a field takes, as "0.0125" or "1000".
constexpr int kFieldCharacters = 10;

QLineEdit* FieldWithLabel(QGridLayout* grid, int row, const char* name, const QString& label,
                          const QString& note, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * kFieldCharacters +
                      2 * edit->fontMetrics().height() / 3);
  edit->setAccessibleName(label);
  auto* caption = new QLabel(label, parent);
  caption->setBuddy(edit);
  grid->addWidget(caption, row, 0);
  grid->addWidget(edit, row, 1);
  grid->addWidget(new QLabel(note, parent), row, 2);
  grid->setColumnStretch(3, 1);
  return edit;
}

QString Capitalised(const char* text) {
  QString s = QString::fromUtf8(text);
  if (!s.isEmpty()) s[0] = s[0].toUpper();
  return s;
}

}  // namespace

DetailsWindow::DetailsWindow(const CheckedResult& result, QWidget* parent)
    : QDialog(parent), m_result(result), m_exchange(this) {
  setObjectName(QStringLiteral("detailsWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Details: %1, rank %2")
                     .arg(m_result.IsDivider() ? QStringLiteral("divider")
                                               : QStringLiteral("target resistance"))
                     .arg(m_result.rank));

  auto* heading = new QLabel(this);
  heading->setObjectName(QStringLiteral("detailsHeading"));
  const WorstCase nominal = WorstCaseOf(m_result, 0);
  heading->setText(QStringLiteral("Rank %1: %2 %3, error %4 (target %5)")
                       .arg(m_result.rank)
                       .arg(QLatin1String(FigureName(m_result)),
                            Text(FormatFigure(m_result, nominal.band.nominal)),
                            Text(FormatError(nominal.lowestError)),
                            Text(FormatFigure(m_result, m_result.target))));

  m_schematic = new SchematicView(this);
  m_schematic->SetResult(m_result);
  auto* schematicGroup = new QGroupBox(QStringLiteral("Schematic"), this);
  auto* schematicLayout = new QVBoxLayout(schematicGroup);
  schematicLayout->addWidget(m_schematic, 0, Qt::AlignCenter);

  auto* checks = new QVBoxLayout;
  checks->addWidget(BuildWorstCase());
  checks->addWidget(BuildPower());
  checks->addStretch();

  auto* body = new QHBoxLayout;
  body->addWidget(schematicGroup);
  body->addLayout(checks, 1);

  auto* buttons = new QDialogButtonBox(this);
  auto* calculate = buttons->addButton(QStringLiteral("Calculate"), QDialogButtonBox::ApplyRole);
  calculate->setObjectName(QStringLiteral("calculateButton"));
  calculate->setDefault(true);
  auto* copy =
      buttons->addButton(QString::fromUtf8(resources::kCopy), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("copyButton"));
  copy->setAutoDefault(false);
  QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
  close->setAutoDefault(false);
  connect(calculate, &QPushButton::clicked, this, &DetailsWindow::Calculate);
  connect(copy, &QPushButton::clicked, this, &DetailsWindow::Copy);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetMinimumSize);

  m_exchange.AddNumber(m_partToleranceEdit, &m_fieldPartTolerance,
                       check_fields::kPartToleranceRange);
  m_exchange.AddNumber(m_voltageEdit, &m_fieldVoltage, check_fields::kVoltageRange);
  m_exchange.Load();
  ShowFigures();
}

QWidget* DetailsWindow::BuildWorstCase() {
  auto* group = new QGroupBox(QStringLiteral("Worst case"), this);
  auto* grid = new QGridLayout(group);
  m_partToleranceEdit =
      FieldWithLabel(grid, 0, "partToleranceEdit", QStringLiteral("Part tolerance"),
                     QStringLiteral("(0.01 means 1%)"), group);
  auto* figures = new QGridLayout;
  figures->addWidget(new QLabel(Capitalised(FigureName(m_result)), group), 0, 1);
  figures->addWidget(new QLabel(QStringLiteral("Error"), group), 0, 2);
  const std::array<const char*, 3> names{"Nominal", "Lowest", "Highest"};
  for (std::size_t k = 0; k < names.size(); ++k) {
    const int row = static_cast<int>(k) + 1;
    figures->addWidget(new QLabel(QLatin1String(names[k]), group), row, 0);
    auto* figure = new QLabel(group);
    auto* error = new QLabel(group);
    figure->setObjectName(QStringLiteral("band%1Figure").arg(QLatin1String(names[k])));
    error->setObjectName(QStringLiteral("band%1Error").arg(QLatin1String(names[k])));
    figure->setTextInteractionFlags(Qt::TextSelectableByMouse);
    error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures->addWidget(figure, row, 1);
    figures->addWidget(error, row, 2);
    m_bandFigures.push_back(figure);
    m_bandErrors.push_back(error);
  }
  figures->setColumnStretch(3, 1);
  grid->addLayout(figures, 1, 0, 1, 4);
  m_sentence = new QLabel(group);
  m_sentence->setObjectName(QStringLiteral("bandSentence"));
  m_sentence->setWordWrap(true);
  grid->addWidget(m_sentence, 2, 0, 1, 4);
  return group;
}

QWidget* DetailsWindow::BuildPower() {
  auto* group = new QGroupBox(QStringLiteral("Power"), this);
  auto* grid = new QGridLayout(group);
  m_voltageEdit =
      FieldWithLabel(grid, 0, "voltageEdit", QStringLiteral("Voltage"),
                     QStringLiteral("V %1").arg(QLatin1String(VoltagePlace(m_result))), group);
  // At most eight resistors: every row in sight, no scrolling.
  auto* table = new QGridLayout;
  table->setHorizontalSpacing(table->spacing() * 2);
  for (std::size_t c = 0; c < kPowerColumns.size(); ++c) {
    auto* header = new QLabel(QLatin1String(kPowerColumns[c]), group);
    QFont font = header->font();
    font.setUnderline(true);
    header->setFont(font);
    table->addWidget(header, 0, static_cast<int>(c));
  }
  const std::size_t rows = ResistorsOf(m_result).size();
  for (std::size_t r = 0; r < rows; ++r) {
    std::vector<QLabel*> cells;
    for (std::size_t c = 0; c < kPowerColumns.size(); ++c) {
      auto* cell = new QLabel(group);
      cell->setObjectName(QStringLiteral("power%1_%2").arg(r).arg(c));
      cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
      table->addWidget(cell, static_cast<int>(r) + 1, static_cast<int>(c));
      cells.push_back(cell);
    }
    m_powerCells.push_back(std::move(cells));
  }
  table->setColumnStretch(static_cast<int>(kPowerColumns.size()), 1);
  grid->addLayout(table, 1, 0, 1, 4);
  m_totalCurrent = new QLabel(group);
  m_totalCurrent->setObjectName(QStringLiteral("totalCurrent"));
  grid->addWidget(m_totalCurrent, 2, 0, 1, 4);
  return group;
}

bool DetailsWindow::Calculate() {
  if (!m_exchange.Save()) return false;
  m_partTolerance = m_fieldPartTolerance;
  m_voltage = m_fieldVoltage;
  ShowFigures();
  return true;
}

void DetailsWindow::ShowFigures() {
  const WorstCase worst = WorstCaseOf(m_result, m_partTolerance);
  const std::array<double, 3> figures{worst.band.nominal, worst.band.lowest, worst.band.highest};
  for (std::size_t k = 0; k < figures.size(); ++k) {
    m_bandFigures[k]->setText(Text(FormatFigure(m_result, figures[k])));
    m_bandErrors[k]->setText(Text(FormatError((figures[k] - m_result.target) / m_result.target)));
  }
  m_sentence->setText(Text(WorstCaseSentence(m_result, worst)));

  const PowerSplit power = PowerOf(m_result, m_voltage);
  for (std::size_t k = 0; k < power.resistors.size(); ++k) {
    const ResistorPower& r = power.resistors[k];
    const bool hottest = k == power.hottest;
    const std::array<QString, kPowerColumns.size()> texts{
        Text(Designator(k)), Text(FormatResistance(r.ohms)), Text(FormatCurrent(r.current)),
        hottest ? Text(FormatPower(r.power)) + QStringLiteral(" (highest)")
                : Text(FormatPower(r.power))};
    for (std::size_t c = 0; c < texts.size(); ++c) {
      QLabel* cell = m_powerCells[k][c];
      cell->setText(texts[c]);
      QFont font = cell->font();
      font.setBold(hottest);
      cell->setFont(font);
      // The hottest row filled as its body is in the schematic.
      QPalette colours = palette();
      if (hottest) {
        colours.setColor(QPalette::Window, SchematicView::MarkedFill());
        colours.setColor(QPalette::WindowText, Qt::black);
      }
      cell->setPalette(colours);
      cell->setAutoFillBackground(hottest);
    }
  }
  m_schematic->SetMarked(
      power.resistors.empty() ? std::nullopt : std::optional<int>(static_cast<int>(power.hottest)));
  m_totalCurrent->setText(
      QStringLiteral("Total current: %1").arg(Text(FormatCurrent(power.totalCurrent))));
}

QString DetailsWindow::SummaryText() const {
  return Text(CheckSummary(m_result, m_partTolerance, m_voltage));
}

void DetailsWindow::Copy() { QGuiApplication::clipboard()->setText(SummaryText()); }

}  // namespace ordavin::ui
