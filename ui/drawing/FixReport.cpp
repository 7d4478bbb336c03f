// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/drawing/FixReport.h"

#include <cmath>

#include "ui/common/FixedText.h"

namespace pothenot {

namespace {

// The most the worksheet's cuts can cost the station, metres. The sheet cuts
// coordinates and the K's to the centimetre, and a, b and C to five decimals,
// which turns the position circles as an angle error of a second or two
// would. So 10 cm plus the station's error for 10″: the built-in example's
// cuts cost 13 mm of 0.16 m; near the danger circle, where the station moves
// most with the angles, the cuts cost metres and the bound grows with them.
double cutsCanCost(const Figure& figure) {
  return 0.1 + 10 * figure.fix->stationError / figure.angleErrorSeconds;
}

// The station is near the danger circle when it is closer to it than this
// share of the radius: a fifth, as the surveyor's rule of thumb has it.
constexpr double kNearShare = 0.2;

// The verdict on the geometry, by the cut angle alone: how near the station is
// to the danger circle is said by its distance, beside that.
QString verdict(const FixQuality& f) {
  switch (f.geometry) {
    case pothenot::Geometry::Reliable:
      return "надёжная: круги положения пересекаются под углом не меньше 30°.";
    case pothenot::Geometry::Weak:
      return "слабая: круги положения пересекаются под углом меньше 30°, ошибки углов заметно "
             "сдвигают станцию.";
    case pothenot::Geometry::Dangerous:
      return "опасная: круги положения пересекаются под углом меньше 10°, засечка ненадёжна — "
             "возьмите другую тройку пунктов.";
  }
  return {};
}

}  // namespace

QString decimalText(double value, int decimals, const QString& separator) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  if (std::abs(value) >= 1e15) {
    // "9.64e+299": the mantissa rounded, then its power of ten.
    const QString e = QString::number(value, 'e', 2);
    const qsizetype at = e.indexOf(u'e');
    static constexpr char16_t kSuperscript[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString power;
    for (const QChar digit : QString::number(e.mid(at + 1).toInt()))
      power += QChar(kSuperscript[digit.digitValue()]);
    return e.left(at).replace(u'.', separator) + QStringLiteral("·10") + power;
  }
  return fixedText(value, decimals, separator);
}

QString fixReport(const Figure& figure, const QString& separator) {
  auto num = [&](double v, int decimals) { return decimalText(v, decimals, separator); };
  QString out;
  if (!figure.fix) {
    out += "Станцию найти нельзя.\n" + QString::fromStdString(figure.problem) + "\n";
    out += "На чертеже только известные пункты.\n";
  } else {
    const FixQuality& f = *figure.fix;
    out += "Станция P без округлений:\n  X = " + num(f.Xp, 3) + "   Y = " + num(f.Yp, 3) + "\n";
    if (!figure.station) out += "  Станция не нарисована: она дальше 10¹² м от начала координат.\n";
    if (figure.sheetStation) {
      const MapPoint s = *figure.sheetStation;
      const double mm = std::hypot(s.x - f.Xp, s.y - f.Yp) * 1000;
      out += "Станция по листу:\n  X = " + num(s.x, 2) + "   Y = " + num(s.y, 2) + "\n";
      if (mm <= cutsCanCost(figure) * 1000) {
        out += "  разница " + num(mm, 0) + " мм — столько стоят округления листа\n";
      } else {
        out += "  разница " + num(mm / 1000, 3) + " м, а обрезания листа стоят не больше " +
               num(cutsCanCost(figure), 3) + " м: Xp, Yp листа не следуют из его данных\n";
      }
    } else {
      out += "Станция по листу: не вычислена для этих данных (кнопка «Вычислить»).\n";
    }
    if (figure.dangerIsLine()) {
      out += "\nОпасный круг: A, B и C на одной прямой, круг стал этой прямой.\n";
      out +=
          "  станция от неё в " + num(std::hypot(f.Xp - f.circleX, f.Yp - f.circleY), 2) + " м\n";
    } else {
      out += "\nОпасный круг (через A, B и C):\n  центр X = " + num(f.circleX, 2) +
             "   Y = " + num(f.circleY, 2) + ",   R = " + num(f.circleRadius, 2) + " м\n";
      if (!figure.circleDrawable()) out += "  Он так велик, что нарисован прямой через A, B и C.\n";
      out +=
          "  станция от него в " + num(f.circleShare * f.circleRadius, 2) + " м, это " +
          num(f.circleShare, 3) + " радиуса\n  станция " +
          (f.circleShare < kNearShare ? "близко к нему: ближе " : "не близко к нему: не ближе ") +
          num(kNearShare, 1) + " радиуса\n";
    }
    out += "Угол пересечения кругов положения: " + num(f.cutAngle, 1) + "°\n";
    out += "Геометрия " + verdict(f) + "\n";
    out += "\nТочность при mβ = " + num(figure.angleErrorSeconds, 1) + "″:\n";
    out += "  M = " + num(f.stationError, 3) + " м — средняя квадратическая ошибка станции\n";
    out += "Контроль по пункту D:\n  δε = " + num(f.controlDiscrepancy, 1) +
           "″, допуск 2σ = " + num(2 * f.controlSigma, 1) + "″\n";
    out += f.controlPassed ? "  Контроль выполнен: |δε| не больше 2σ.\n"
                           : "  Контроль не выполнен: |δε| больше 2σ — ошибка в измерениях "
                             "или в координатах.\n";
  }
  if (!figure.missing.empty())
    out += "\n" + QString::fromStdString(figure.missing).trimmed() + "\n";
  return out;
}

}  // namespace pothenot
