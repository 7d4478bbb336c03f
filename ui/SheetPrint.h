#pragma once

#include <QString>

#include "ui/PaperPage.h"

class QPagedPaintDevice;
class QPainter;
class TForm2;

/// The problem window's sheet on paper: page 1 the worksheet as on screen,
/// page 2 what the givens are worth as a fix (or why they fix no station).
class TSheetPrint {
 public:
  /// m_β of the printed judgement, arc seconds.
  static constexpr double kAngleErrorSeconds = 5.0;

  /// Paints both pages into a painter that is active on `device`. `variant`
  /// goes into the header ("Вариант 17"), or nothing when it is empty.
  static void Paint(QPainter& painter, QPagedPaintDevice& device, TForm2& form,
                    const QString& variant);

  /// Writes both pages to a PDF file at `path`.
  static TPaperPage::Outcome WritePdf(TForm2& form, const QString& path, const QString& variant);
};
