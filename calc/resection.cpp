#include "calc/resection.h"

#include <string>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/givens.h"
#include "calc/number_text.h"

namespace pothenot {

namespace {

using F = Field;
using Kind = CalcError::Kind;

std::string Name(std::string_view quantity) {
  return "«" + std::string(quantity) + "»";
}

// One run of Calculate: the worksheet, its separator and the quantity being
// computed, so that a fault can say where the worksheet stopped.
class Run {
 public:
  Run(TWorksheet& sheet, std::string_view separator) : sheet_(sheet), separator_(separator) {}

  // From here on a fault is reported as one of `quantity`.
  void Computing(std::string_view quantity) { quantity_ = quantity; }
  void Computing(Field field) { quantity_ = Info(field).quantity; }

  // A quantity stored: rounded to the double that every later step uses.
  static Extended Store(Extended value) { return Extended(value.ToDouble()); }

  void Show(Field field, Extended value) {
    sheet_.setText(field, TextFromNumber(value, separator_));
  }
  void ShowAngle(Field field, Extended degrees) {
    sheet_.setText(field, DegreesToDmsText(degrees, separator_));
  }

  [[noreturn]] void Stop(const CalcError& fault) const {
    const std::string where = Name(quantity_);
    switch (fault.kind()) {
      case Kind::DivisionByZero:
        throw CalcError(fault.kind(), "Деление на ноль при вычислении " + where + ".");
      case Kind::InvalidOperation:
        throw CalcError(fault.kind(), "Недопустимая операция при вычислении " + where +
                                          ": 0/0 или число вне допустимого диапазона.");
      case Kind::Overflow:
        throw CalcError(fault.kind(),
                        "Переполнение при вычислении " + where + ": число слишком велико.");
      case Kind::NotANumber:
        break;
    }
    throw fault;
  }

 private:
  TWorksheet& sheet_;
  std::string_view separator_;
  std::string_view quantity_;
};

void Solve(Run& run, const Givens& g) {
  const auto& [y1g, y1m, y1s, y2g, y2m, y2s, Xb, Xc, Xa, Yb, Yc, Ya, Xd, Yd, e2g, e2m, e2s] = g;

  // 2. Angles in decimal degrees.
  run.Computing("ε изм.");
  const Extended epsMeasured = Run::Store(DmsToDegrees(e2g, e2m, e2s));
  run.Computing("γ1");
  const Extended gamma1 = Run::Store(DmsToDegrees(y1g, y1m, y1s));
  run.Computing("γ2");
  const Extended gamma2 = Run::Store(DmsToDegrees(y2g, y2m, y2s));

  // 3. Cotangents, cut to five decimals.
  run.Computing(F::Ea);
  const Extended a = Run::Store(TruncTo(Cotangent(gamma1), 100000));
  run.Computing(F::Eb);
  const Extended b = Run::Store(TruncTo(Cotangent(gamma2), 100000));
  run.Show(F::Ea, a);
  run.Show(F::Eb, b);

  // 4. Coordinate differences from A, shown uncut.
  run.Computing("разности координат");
  run.Show(F::EXbb, Xb - Xa);
  run.Show(F::EXcc, Xc - Xa);
  run.Show(F::EXcXb, Xc - Xb);
  run.Show(F::EYbb, Yb - Ya);
  run.Show(F::EYcc, Yc - Ya);
  run.Show(F::EYcYb, Yc - Yb);

  // 5. K1 to K4, cut to hundredths; the differences afresh from the coordinates.
  run.Computing(F::EK1);
  const Extended K1 = Run::Store(TruncTo((Yb - Ya) * a - (Xb - Xa), 100));
  run.Show(F::EK1, K1);
  run.Computing(F::EK3);
  const Extended K3 = Run::Store(TruncTo((Yc - Ya) * b - (Xc - Xa), 100));
  run.Show(F::EK3, K3);
  run.Computing(F::EK1K3);
  const Extended K1_K3 = Run::Store(TruncTo(K1 - K3, 100));
  run.Show(F::EK1K3, K1_K3);
  run.Computing(F::EK2);
  const Extended K2 = Run::Store(TruncTo((Xb - Xa) * a + (Yb - Ya), 100));
  run.Show(F::EK2, K2);
  run.Computing(F::EK4);
  const Extended K4 = Run::Store(TruncTo((Xc - Xa) * b + (Yc - Ya), 100));
  run.Show(F::EK4, K4);
  run.Computing(F::EK2K4);
  const Extended K2_K4 = Run::Store(TruncTo(K2 - K4, 100));
  run.Show(F::EK2K4, K2_K4);

  // 6. C from the uncut K differences; C² with the scale multiplied first.
  run.Computing(F::EC);
  const Extended C = Run::Store(TruncTo((K2 - K4) / (K1 - K3), 100000));
  run.Computing(F::ECC);
  const Extended CC = Run::Store(Extended::FromInt64(Trunc((100000 * C) * C)) / 100000);
  run.Show(F::EC, C);
  run.Show(F::ECC, CC);

  // 7. The two K − C·K values, side by side; only the first is used again.
  run.Computing(F::EK2CK1);
  const Extended K2_CK1 = Run::Store(TruncTo(K2 - C * K1, 100));
  run.Computing(F::EK4CK3);
  const Extended K4_CK3 = Run::Store(TruncTo(K4 - C * K3, 100));
  run.Show(F::EK2CK1, K2_CK1);
  run.Show(F::EK4CK3, K4_CK3);

  // 8. ΔY and ΔX from A to P: numerator and denominator afresh from K2, C, K1.
  run.Computing(F::EdY);
  const Extended dY = Run::Store(TruncTo((K2 - C * K1) / (C * C + 1), 100));
  run.Computing(F::EdX);
  const Extended dX = Run::Store(TruncTo(C * dY, 100));
  run.Show(F::EdY, dY);
  run.Show(F::EdX, dX);

  // 9. The station, uncut.
  run.Computing(F::EYp);
  const Extended Yp = Run::Store(Ya + dY);
  run.Computing(F::EXp);
  const Extended Xp = Run::Store(Xa + dX);
  run.Show(F::EYp, Yp);
  run.Show(F::EXp, Xp);

  // 11. Control against D: the cut differences, shown and not stored.
  run.Computing(F::EXdXp);
  run.Show(F::EXdXp, TruncTo(Xd - Xp, 100));
  run.Computing(F::EYdYp);
  run.Show(F::EYdYp, TruncTo(Yd - Yp, 100));

  // 12. ctg(PD) from the uncut differences.
  run.Computing(F::EctgPD);
  const Extended ctgPD = Run::Store(TruncTo((Yd - Yp) / (Xd - Xp), 100000));
  run.Show(F::EctgPD, ctgPD);

  // 13, 14. True direction angles from P: the ratio gives the angle towards the
  // south; a target north of P lies 180° from it.
  run.Computing("(PA)");
  const Extended alphaPA = Run::Store(DirectionAngle((K1 - K3) / (K2 - K4), Xa > Xp));
  run.Computing("(PD)");
  const Extended alphaPD = Run::Store(DirectionAngle((Yd - Yp) / (Xd - Xp), Xd > Xp));
  run.Computing(F::EPA);
  run.ShowAngle(F::EPA, alphaPA);
  run.Computing(F::EPD);
  run.ShowAngle(F::EPD, alphaPD);

  // 15, 16. ε computed and δε, each brought into (−180°, 180°].
  run.Computing(F::Ee1);
  const Extended epsComputed = Run::Store(ReduceAngle(alphaPA - alphaPD));
  run.ShowAngle(F::Ee1, epsComputed);
  run.Computing(F::Ede);
  const Extended deltaEps = Run::Store(ReduceAngle(epsComputed - epsMeasured));
  run.ShowAngle(F::Ede, deltaEps);
}

}  // namespace

void Calculate(TWorksheet& sheet, std::string_view decimalSeparator) {
  const Givens givens = ReadGivens(sheet, decimalSeparator);
  Run run(sheet, decimalSeparator);
  try {
    Solve(run, givens);
  } catch (const CalcError& fault) {
    run.Stop(fault);
  }
}

}  // namespace pothenot
