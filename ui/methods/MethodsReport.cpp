// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/methods/MethodsReport.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "ui/common/FixedText.h"

namespace pothenot {

namespace {

// Nine significant digits in fixed notation, at most eight decimals, three at
// least, never a power of ten; a value that shows as zero has no sign. Near
// the danger circle a step that is zero but for rounding noise reads
// "0,00000004" or "0,00000000", not "3,83803895e-08" or "-0,00000000".
QString numberText(double v, const QString& separator) {
  if (std::isinf(v)) return QStringLiteral("∞");
  const double size = std::abs(v);
  const int whole = size < 1 ? 1 : int(std::floor(std::log10(size))) + 1;
  return fixedText(v, std::clamp(9 - whole, 3, 8), separator);
}

QString escaped(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped();
}

double distance(const MethodSolution& m, StationXY p) {
  return std::hypot(*m.Xp - p.X, *m.Yp - p.Y);
}

}  // namespace

QString methodsReport(const std::vector<MethodSolution>& methods,
                      const std::optional<StationXY>& exact, const QString& separator) {
  // Without the exact station, the first method that solves stands for it.
  std::optional<StationXY> reference = exact;
  for (const MethodSolution& m : methods)
    if (!reference && m.Xp) reference = StationXY{*m.Xp, *m.Yp};

  QStringList agree, apart, failing;
  for (const MethodSolution& m : methods) {
    const QString title = escaped(m.title);
    if (!m.Xp)
      failing << title;
    else if (distance(m, *reference) <= kMethodsAgree)
      agree << title;
    else
      apart << title;
  }
  const QString against =
      exact ? QStringLiteral("с точной станцией") : QStringLiteral("между собой");
  QString summary;
  if (agree.size() == int(methods.size())) {
    summary = "Все способы дают одну станцию: они согласны " + against + " до 1 мм.";
  } else if (agree.isEmpty() && apart.isEmpty()) {
    summary = "Ни один способ не решает эту фигуру: " + escaped(methods.front().failure);
  } else {
    if (!agree.isEmpty()) summary += "Согласны " + against + " до 1 мм: " + agree.join(", ") + ". ";
    if (!apart.isEmpty()) summary += "Расходятся больше чем на 1 мм: " + apart.join(", ") + ". ";
    if (!failing.isEmpty()) summary += "Не решают эту фигуру: " + failing.join(", ") + ".";
  }

  auto num = [&](double v) { return numberText(v, separator); };
  QString html = "<p><b>" + summary + "</b></p>";
  if (exact) {
    html += "<p>Точная станция (как на чертеже): X = " + num(exact->X) + ", Y = " + num(exact->Y) +
            "</p>";
  }
  for (const MethodSolution& m : methods) {
    html += "<h3>" + escaped(m.title) + "</h3>";
    if (!m.steps.empty()) {
      html += "<table cellspacing='0' cellpadding='2'>";
      for (const MethodStep& s : m.steps) {
        html += "<tr><td width='70'>" + escaped(s.name) + "</td><td>= " + escaped(s.formula) +
                "</td><td align='right'>&nbsp;&nbsp;" + num(s.value) + "</td></tr>";
      }
      html += "</table>";
    }
    if (m.Xp) {
      html += "<p>Станция: X = " + num(*m.Xp) + ", Y = " + num(*m.Yp);
      if (exact) {
        const QString mm = QString::number(distance(m, *exact) * 1000, 'f', 3);
        html += "; от точной станции " + QString(mm).replace(u'.', separator) + " мм";
      }
      html += "</p>";
    } else {
      html += "<p style='color:#b00000'>Не решает: " + escaped(m.failure) + "</p>";
    }
  }
  return html;
}

QString methodsUnreadable(const QString& why) {
  return "<p><b>Способы решения не применить.</b></p><p>" + why.toHtmlEscaped() + "</p>";
}

}  // namespace pothenot
