// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/paper/PaperPage.h"

class QPagedPaintDevice;
class QPainter;
class TForm2;

namespace pothenot {
class DrawingCommand;
class MethodsCommand;
}  // namespace pothenot

/// The problem window's sheet on paper: page 1 the worksheet as on screen,
/// page 2 what the givens are worth as a fix (or why they fix no station),
/// page 3, while the methods window is open, what it shows.
namespace pothenot::paper {

/// Paints the pages into a painter that is active on `device`. Page 2 is the
/// figure drawn afresh from the sheet and `drawing`'s station, at the m_β and
/// in the view of the drawing window when it is open, else at the default m_β.
/// Page 3 is what the window of `methods` shows, when there is one and it is
/// open; no page 3 otherwise. `title` goes into the header («Вариант 17 —
/// Иванов И.»), or nothing when it is empty.
void paintSheet(QPainter& painter, QPagedPaintDevice& device, TForm2& form,
                const DrawingCommand& drawing, const QString& title,
                const MethodsCommand* methods = nullptr);

/// Writes the pages to a PDF file at `path`.
Outcome writeSheetPdf(TForm2& form, const DrawingCommand& drawing, const QString& path,
                      const QString& title, const MethodsCommand* methods = nullptr);

}  // namespace pothenot::paper
