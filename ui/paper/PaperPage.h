// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>

#include "ui/common/SafeFile.h"

class QPagedPaintDevice;
class QPainter;
class QWidget;

/// The pages the program puts on paper: A4 portrait, a small header, the
/// worksheet as on screen, lines of text. Shared by the printed sheet and the
/// class set of variants, for the printer and for PDF files alike.
namespace pothenot::paper {

/// A4 portrait with 15 mm margins.
QPageLayout pageLayout();

/// The printable area of the device's page, in the painter's coordinates
/// (device pixels, the origin at the top left margin).
QRectF pageArea(const QPagedPaintDevice& device);

/// Draws the header — the program's title, today's date and, when given,
/// the sheet's `title` («Вариант 17 — Иванов И.») — with a rule under it;
/// returns the area below.
QRectF paintHeader(QPainter& painter, const QRectF& area, const QString& title);

/// The worksheet panel as it stands on screen, with its own layout, drawn
/// into the top of `area` as vector graphics and real text, scaled to fit:
/// its boxes and texts only, without its buttons, focus, selection or text
/// cursor, which are the same again afterwards. A panel that was never shown
/// is laid out first.
void paintPanel(QPainter& painter, const QRectF& area, QWidget* panel);

/// Lines of text from the top of `area`, `points` high; returns the area below them.
QRectF paintLines(QPainter& painter, const QRectF& area, const QStringList& lines,
                  qreal points = 10);

/// The file name the user chose, with ".pdf" added when it does not end so.
QString pdfPath(const QString& chosen);

/// Writing a PDF went one of three ways.
using Outcome = safeFile::Outcome;
/// Paints a PDF with `paint` (which returns false to cancel) and writes it
/// to `path` only once it is whole: a failure or a cancel leaves whatever
/// was there before untouched. Asks nothing: the command asks first.
Outcome writePdf(const QString& path, const QString& title,
                 const std::function<bool(QPainter&, QPagedPaintDevice&)>& paint);

}  // namespace pothenot::paper
