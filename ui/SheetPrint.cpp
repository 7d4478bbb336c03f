#include "ui/SheetPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "calc/calc_error.h"
#include "calc/fix_quality.h"
#include "ui/Zadaha.h"

void TSheetPrint::Paint(QPainter& painter, QPagedPaintDevice& device, TForm2& form,
                        const QString& variant) {
  const QRectF area = TPaperPage::Area(device);
  TPaperPage::Sheet(painter, TPaperPage::Header(painter, area, variant), form.sheetPanel());

  device.newPage();
  const std::string separator = TForm2::DecimalSeparator();
  QStringList lines{QStringLiteral("Качество засечки")};
  try {
    const auto fix = pothenot::AssessFix(form.worksheet(), separator, kAngleErrorSeconds);
    lines += TPaperPage::FixLines(fix, QString::fromStdString(separator), kAngleErrorSeconds);
  } catch (const pothenot::CalcError& failure) {
    lines += QString::fromUtf8(failure.what());
  }
  TPaperPage::Lines(painter, TPaperPage::Header(painter, area, variant), lines, 11);
}

TPaperPage::Outcome TSheetPrint::WritePdf(TForm2& form, const QString& path,
                                          const QString& variant) {
  return TPaperPage::WritePdf(path, QStringLiteral("Задача Потенота"),
                              [&](QPainter& painter, QPagedPaintDevice& device) {
                                Paint(painter, device, form, variant);
                                return true;
                              });
}
