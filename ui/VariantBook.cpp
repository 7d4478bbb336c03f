#include "ui/VariantBook.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <stdexcept>
#include <vector>

#include "calc/fix_quality.h"
#include "calc/resection.h"
#include "calc/variant.h"
#include "ui/WindowFont.h"
#include "ui/Zadaha.h"

using pothenot::Field;
using pothenot::Role;

namespace {

// Variants are written with a decimal comma, and so are their answers.
constexpr std::string_view kSeparator = ",";

constexpr int kKeyColumns = 3;
constexpr qreal kKeyPoints = 8.5;

// What the key says of one variant.
struct Answer {
  std::uint32_t number;
  pothenot::TWorksheet worked;  // the variant after Calculate
  pothenot::FixQuality fix;
};

QString Label(Field field) {
  switch (field) {
    case Field::EPA:
      return QStringLiteral("(PA)");
    case Field::EPD:
      return QStringLiteral("(PD)");
    default:
      return QString::fromUtf8(pothenot::Info(field).quantity);
  }
}

std::vector<Field> Results() {
  std::vector<Field> results;
  for (std::size_t i = 0; i < pothenot::kFieldCount; ++i)
    if (pothenot::Fields()[i].role == Role::Result) results.push_back(static_cast<Field>(i));
  return results;
}

QString Number(double value, int decimals) {
  return QString::number(value, 'f', decimals).replace(u'.', QString::fromUtf8(kSeparator));
}

QString GeometryVerdict(pothenot::Geometry geometry) {
  switch (geometry) {
    case pothenot::Geometry::Reliable:
      return QStringLiteral("надёжная засечка");
    case pothenot::Geometry::Weak:
      return QStringLiteral("слабая засечка");
    case pothenot::Geometry::Dangerous:
      return QStringLiteral("опасная засечка");
  }
  return {};
}

// The judgement of one variant in two lines: the exact station and the
// geometry, then M and the control.
QStringList FixLines(const pothenot::FixQuality& fix) {
  return {
      QStringLiteral("Станция без округлений: Xp = %1, Yp = %2 · угол засечки %3° — %4")
          .arg(Number(fix.Xp, 3), Number(fix.Yp, 3), Number(fix.cutAngle, 1),
               GeometryVerdict(fix.geometry)),
      QStringLiteral("M = %1 м при m_β = %2″ · δε = %3″, допуск 2σ = %4″ — %5")
          .arg(Number(fix.stationError, 3), Number(TVariantBook::kAngleErrorSeconds, 0),
               Number(fix.controlDiscrepancy, 1), Number(2 * fix.controlSigma, 1),
               fix.controlPassed ? QStringLiteral("контроль выполнен")
                                 : QStringLiteral("контроль не выполнен")),
  };
}

QFont KeyFont(bool bold) {
  QFont font = pothenot::WindowFont();
  font.setPointSizeF(kKeyPoints);
  font.setBold(bold);
  return font;
}

// One variant's block of the key: its number, the results in columns of
// label and text, then the judgement. Returns the height it took.
qreal PaintAnswer(QPainter& painter, const QRectF& area, const Answer& answer) {
  const QFontMetricsF metrics(KeyFont(false), painter.device());
  const qreal line = metrics.height();
  painter.setFont(KeyFont(true));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft,
                   QStringLiteral("Вариант %1").arg(answer.number));

  painter.setFont(KeyFont(false));
  const std::vector<Field> results = Results();
  const auto rows = static_cast<int>((results.size() + kKeyColumns - 1) / kKeyColumns);
  const qreal column = area.width() / kKeyColumns;
  const qreal gap = line * 0.8;
  for (std::size_t i = 0; i < results.size(); ++i) {
    const auto col = static_cast<int>(i) / rows;
    const auto row = static_cast<int>(i) % rows;
    const QRectF cell(area.left() + col * column, area.top() + (row + 1.2) * line, column - gap,
                      line);
    painter.drawText(cell, Qt::AlignLeft, Label(results[i]));
    painter.drawText(cell, Qt::AlignRight, QString::fromUtf8(answer.worked.text(results[i])));
  }
  const QRectF below(area.left(), area.top() + (rows + 1.5) * line, area.width(), area.height());
  const QRectF rest = TPaperPage::Lines(painter, below, FixLines(answer.fix), kKeyPoints);
  return rest.top() - area.top() + line;
}

// How tall one block is on this device: the title, the rows of results and
// the two lines of the judgement (none of which wraps at the page's width).
qreal AnswerHeight(QPainter& painter) {
  const qreal line = QFontMetricsF(KeyFont(false), painter.device()).height();
  const auto rows = static_cast<qreal>((Results().size() + kKeyColumns - 1) / kKeyColumns);
  return (rows + 1.5 + 2 * 1.25 + 1) * line;
}

void PaintKey(QPainter& painter, QPagedPaintDevice& device, const std::vector<Answer>& answers) {
  const QRectF page = TPaperPage::Area(device);
  const QString title =
      QStringLiteral("Ключ: варианты %1–%2").arg(answers.front().number).arg(answers.back().number);
  QRectF area = TPaperPage::Header(painter, page, title);
  const qreal height = AnswerHeight(painter);
  for (const Answer& answer : answers) {
    if (area.height() < height) {
      device.newPage();
      area = TPaperPage::Header(painter, page, title);
    }
    area.setTop(area.top() + PaintAnswer(painter, area, answer));
  }
}

}  // namespace

void TVariantBook::Fill(pothenot::TWorksheet& sheet, const pothenot::TWorksheet& variant) {
  for (std::size_t i = 0; i < pothenot::kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    switch (pothenot::Info(field).role) {
      case Role::Given:
        sheet.setText(field, variant.text(field));
        break;
      case Role::Result:
        sheet.setText(field, "");
        break;
      case Role::Mirror:
        break;  // follows Xa or Ya
    }
  }
}

TPaperPage::Outcome TVariantBook::WritePdf(std::uint32_t first, int count, const QString& path,
                                           const std::function<bool(int done)>& progress) {
  if (count < 1 || count > kMaxCount || first < 1 ||
      first + static_cast<std::uint32_t>(count) - 1 > 999999)
    throw std::invalid_argument("TVariantBook: no such range of variants");

  // The sheets are drawn by a problem window of their own, never shown: the
  // user's window keeps its worksheet.
  TForm2 form;
  return TPaperPage::WritePdf(
      path, QStringLiteral("Задача Потенота: варианты"),
      [&](QPainter& painter, QPagedPaintDevice& device) {
        std::vector<Answer> answers;
        const QRectF page = TPaperPage::Area(device);
        for (int i = 0; i < count; ++i) {
          const std::uint32_t number = first + static_cast<std::uint32_t>(i);
          const pothenot::TWorksheet variant = pothenot::MakeVariant(number);
          Fill(form.worksheet(), variant);
          if (i > 0) device.newPage();
          TPaperPage::Sheet(
              painter, TPaperPage::Header(painter, page, QStringLiteral("Вариант %1").arg(number)),
              form.sheetPanel());

          pothenot::TWorksheet worked = variant;
          pothenot::Calculate(worked, kSeparator);
          answers.push_back(Answer{number, std::move(worked),
                                   pothenot::AssessFix(variant, kSeparator, kAngleErrorSeconds)});
          if (!progress(i + 1)) return false;
        }
        device.newPage();
        PaintKey(painter, device, answers);
        return true;
      });
}
