// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paper/VariantBook.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <stdexcept>
#include <vector>

#include "calc/fix_quality.h"
#include "calc/number_text.h"
#include "calc/resection.h"
#include "calc/sheet_file.h"
#include "calc/variant.h"
#include "ui/common/Title.h"
#include "ui/common/WindowFont.h"
#include "ui/drawing/FixReport.h"
#include "ui/sheet/Zadaha.h"

namespace pothenot::paper {

namespace {

// MakeVariant writes its texts, as the built-in example is written, with a
// decimal comma; the key takes the desktop's separator like every page.
constexpr std::string_view kSeparator = ",";

constexpr int kKeyColumns = 3;
constexpr qreal kKeyPoints = 8.5;

// What the key says of one variant.
struct Answer {
  std::uint32_t number;
  TWorksheet worked;  // the variant after Calculate
  FixQuality fix;
};

QString label(Field field) {
  switch (field) {
    case Field::EPA:
      return QStringLiteral("(PA)");
    case Field::EPD:
      return QStringLiteral("(PD)");
    default:
      return QString::fromUtf8(Info(field).quantity);
  }
}

// The results in the order Calculate writes them, which is the order a
// reader of the sheet meets them in (a, b, Xb − Xa, …, ε выч., δε): heard
// from a run on the built-in example, whose results are all empty before it.
const std::vector<Field>& resultFields() {
  static const std::vector<Field> written = [] {
    std::vector<Field> order;
    TWorksheet example;
    example.setObserver([&order](std::string_view name) {
      if (const auto field = FieldByName(name); field && Info(*field).role == Role::Result)
        order.push_back(*field);
    });
    Calculate(example, kSeparator);
    return order;
  }();
  return written;
}

// As the drawing's text writes numbers ("0,0", never "-0,0").
QString decimalText(double value, int decimals) {
  return pothenot::decimalText(value, decimals, QString::fromStdString(TForm2::decimalSeparator()));
}

QString geometryVerdict(Geometry geometry) {
  switch (geometry) {
    case Geometry::Reliable:
      return QStringLiteral("надёжная засечка");
    case Geometry::Weak:
      return QStringLiteral("слабая засечка");
    case Geometry::Dangerous:
      return QStringLiteral("опасная засечка");
  }
  return {};
}

// The judgement of one variant in two lines: the exact station and the
// geometry, then M and the control.
QStringList fixLines(const FixQuality& fix) {
  return {
      QStringLiteral("Станция без округлений: Xp = %1, Yp = %2 · угол засечки %3° — %4")
          .arg(decimalText(fix.Xp, 3), decimalText(fix.Yp, 3), decimalText(fix.cutAngle, 1),
               geometryVerdict(fix.geometry)),
      QStringLiteral("M = %1 м при m_β = %2″ · δε = %3″, допуск 2σ = %4″ — %5")
          .arg(decimalText(fix.stationError, 3), decimalText(kDefaultAngleErrorSeconds, 0),
               decimalText(fix.controlDiscrepancy, 1), decimalText(2 * fix.controlSigma, 1),
               fix.controlPassed ? QStringLiteral("контроль выполнен")
                                 : QStringLiteral("контроль не выполнен")),
  };
}

QFont keyFont(bool bold) {
  QFont font = windowFont();
  font.setPointSizeF(kKeyPoints);
  font.setBold(bold);
  return font;
}

// One variant's block of the key: its number, the results in columns of
// label and text, then the judgement. Returns the height it took.
qreal paintAnswer(QPainter& painter, const QRectF& area, const Answer& answer) {
  const QFontMetricsF metrics(keyFont(false), painter.device());
  const qreal line = metrics.height();
  painter.setFont(keyFont(true));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft,
                   QStringLiteral("Вариант %1").arg(answer.number));

  painter.setFont(keyFont(false));
  const std::vector<Field>& results = resultFields();
  const auto rows = static_cast<int>((results.size() + kKeyColumns - 1) / kKeyColumns);
  const qreal column = area.width() / kKeyColumns;
  const qreal gap = line * 0.8;
  for (std::size_t i = 0; i < results.size(); ++i) {
    const auto col = static_cast<int>(i) / rows;
    const auto row = static_cast<int>(i) % rows;
    const QRectF cell(area.left() + col * column, area.top() + (row + 1.2) * line, column - gap,
                      line);
    painter.drawText(cell, Qt::AlignLeft, label(results[i]));
    painter.drawText(cell, Qt::AlignRight, QString::fromUtf8(answer.worked.text(results[i])));
  }
  const QRectF below(area.left(), area.top() + (rows + 1.5) * line, area.width(), area.height());
  const QRectF rest = paintLines(painter, below, fixLines(answer.fix), kKeyPoints);
  return rest.top() - area.top() + line;
}

// How tall one block is on this device: the title, the rows of results and
// the two lines of the judgement (none of which wraps at the page's width).
qreal answerHeight(QPainter& painter) {
  const qreal line = QFontMetricsF(keyFont(false), painter.device()).height();
  const auto rows = static_cast<qreal>((resultFields().size() + kKeyColumns - 1) / kKeyColumns);
  return (rows + 1.5 + 2 * 1.25 + 1) * line;
}

void paintKey(QPainter& painter, QPagedPaintDevice& device, const std::vector<Answer>& answers) {
  const QRectF page = pageArea(device);
  const QString title =
      QStringLiteral("Ключ: варианты %1–%2").arg(answers.front().number).arg(answers.back().number);
  QRectF area = paintHeader(painter, page, title);
  const qreal height = answerHeight(painter);
  for (const Answer& answer : answers) {
    if (area.height() < height) {
      device.newPage();
      area = paintHeader(painter, page, title);
    }
    area.setTop(area.top() + paintAnswer(painter, area, answer));
  }
}

}  // namespace

void fillVariant(TWorksheet& sheet, const TWorksheet& variant) {
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    const auto field = static_cast<Field>(i);
    switch (Info(field).role) {
      case Role::Given:
        sheet.setText(field, WithSeparator(variant.text(field), TForm2::decimalSeparator()));
        break;
      case Role::Result:
        sheet.setText(field, "");
        break;
      case Role::Mirror:
        break;  // follows Xa or Ya
    }
  }
}

Outcome writeClassSet(std::uint32_t first, int count, const QString& path,
                      const std::function<bool(int done)>& progress) {
  if (count < 1 || count > kMaxClassCount || first < kFirstVariant ||
      first + static_cast<std::uint32_t>(count) - 1 > kLastVariant)
    throw std::invalid_argument("writeClassSet: no such range of variants");

  // Each page is the problem window's own form, so that a sheet on paper
  // cannot differ from the sheet on screen; the window is built for that and
  // never shown, and the user's window keeps its worksheet.
  TForm2 form;
  return writePdf(
      path, kProgramTitle + QStringLiteral(": варианты"),
      [&](QPainter& painter, QPagedPaintDevice& device) {
        std::vector<Answer> answers;
        const QRectF page = pageArea(device);
        for (int i = 0; i < count; ++i) {
          const std::uint32_t number = first + static_cast<std::uint32_t>(i);
          const TWorksheet variant = MakeVariant(number);
          fillVariant(form.worksheet(), variant);
          if (i > 0) device.newPage();
          paintPanel(painter, paintHeader(painter, page, QStringLiteral("Вариант %1").arg(number)),
                     form.sheetPanel());

          TWorksheet worked = variant;
          fillVariant(worked, variant);  // its givens with the desktop's separator
          Calculate(worked, TForm2::decimalSeparator());
          answers.push_back(Answer{number, std::move(worked),
                                   AssessFix(variant, kSeparator, kDefaultAngleErrorSeconds)});
          if (!progress(i + 1)) return false;
        }
        device.newPage();
        paintKey(painter, device, answers);
        return progress(count + 1);
      });
}

QStringList sheetFilePaths(std::uint32_t first, int count, const QString& folder) {
  const QString last = QString::number(first + static_cast<std::uint32_t>(count) - 1);
  const QDir dir(folder);
  QStringList paths;
  for (int i = 0; i < count; ++i)
    paths << dir.filePath(
        QStringLiteral("Вариант %1.pothenot")
            .arg(first + static_cast<std::uint32_t>(i), int(last.size()), 10, QLatin1Char('0')));
  return paths;
}

Outcome writeSheetFiles(std::uint32_t first, int count, const QString& folder) {
  if (!QDir().mkpath(folder))
    return Outcome{
        Outcome::Failed,
        QStringLiteral("Не удалось создать папку «%1».").arg(QDir::toNativeSeparators(folder))};
  const QStringList paths = sheetFilePaths(first, count, folder);
  for (int i = 0; i < count; ++i) {
    const std::uint32_t number = first + static_cast<std::uint32_t>(i);
    // The variant as MakeVariant gives it: its givens, with a comma, and empty results.
    const SheetFile file{MakeVariant(number), std::string(kSeparator), number, {}};
    const Outcome outcome =
        safeFile::write(paths[i], QByteArray::fromStdString(WriteSheetFile(file)));
    if (outcome.status != Outcome::Written) return outcome;
  }
  return Outcome{Outcome::Written, {}};
}

}  // namespace pothenot::paper
