#include "calc/resection.h"

#include <string>

#include "calc/angles.h"
#include "calc/calc_error.h"
#include "calc/extended.h"
#include "calc/givens.h"
#include "calc/number_text.h"
#include "calc/scheme.h"

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

Solution Solve(Run& run, const Givens& g) {
  using namespace scheme;
  const auto& [y1g, y1m, y1s, y2g, y2m, y2s, Xb, Xc, Xa, Yb, Yc, Ya, Xd, Yd, e2g, e2m, e2s] = g;
  Solution s;
  s.givens = g;

  // The typed angles in decimal degrees; ε measured waits for the control.
  run.Computing("ε изм.");
  s.epsMeasured = Stored(Degrees(e2g, e2m, e2s));
  run.Computing("γ1");
  s.gamma1 = Stored(Degrees(y1g, y1m, y1s));
  run.Computing("γ2");
  s.gamma2 = Stored(Degrees(y2g, y2m, y2s));

  // Both cotangents before either is shown: a bad γ2 leaves a unwritten.
  run.Computing(F::Ea);
  s.a = Stored(CotangentCut(s.gamma1));
  run.Computing(F::Eb);
  s.b = Stored(CotangentCut(s.gamma2));
  run.Show(F::Ea, s.a);
  run.Show(F::Eb, s.b);

  // The coordinate differences are only shown; every later formula works
  // them afresh from the coordinates.
  run.Computing("разности координат");
  run.Show(F::EXbb, Difference(Xb, Xa));
  run.Show(F::EXcc, Difference(Xc, Xa));
  run.Show(F::EXcXb, Difference(Xc, Xb));
  run.Show(F::EYbb, Difference(Yb, Ya));
  run.Show(F::EYcc, Difference(Yc, Ya));
  run.Show(F::EYcYb, Difference(Yc, Yb));

  run.Computing(F::EK1);
  s.K1 = Stored(K1(Xb, Yb, Xa, Ya, s.a));
  run.Show(F::EK1, s.K1);
  run.Computing(F::EK3);
  s.K3 = Stored(K3(Xc, Yc, Xa, Ya, s.b));
  run.Show(F::EK3, s.K3);
  run.Computing(F::EK1K3);
  s.K1_K3 = Stored(CutDifference(s.K1, s.K3));
  run.Show(F::EK1K3, s.K1_K3);
  run.Computing(F::EK2);
  s.K2 = Stored(K2(Xb, Yb, Xa, Ya, s.a));
  run.Show(F::EK2, s.K2);
  run.Computing(F::EK4);
  s.K4 = Stored(K4(Xc, Yc, Xa, Ya, s.b));
  run.Show(F::EK4, s.K4);
  run.Computing(F::EK2K4);
  s.K2_K4 = Stored(CutDifference(s.K2, s.K4));
  run.Show(F::EK2K4, s.K2_K4);

  run.Computing(F::EC);
  s.C = Stored(C(s.K1, s.K2, s.K3, s.K4));
  run.Computing(F::ECC);
  s.CC = Stored(CSquared(s.C));
  run.Show(F::EC, s.C);
  run.Show(F::ECC, s.CC);

  // The two K − C·K values side by side; nothing uses them again.
  run.Computing(F::EK2CK1);
  s.K2_CK1 = Stored(KLessCK(s.K2, s.C, s.K1));
  run.Computing(F::EK4CK3);
  s.K4_CK3 = Stored(KLessCK(s.K4, s.C, s.K3));
  run.Show(F::EK2CK1, s.K2_CK1);
  run.Show(F::EK4CK3, s.K4_CK3);

  run.Computing(F::EdY);
  s.dY = Stored(DeltaY(s.K2, s.C, s.K1));
  run.Computing(F::EdX);
  s.dX = Stored(DeltaX(s.C, s.dY));
  run.Show(F::EdY, s.dY);
  run.Show(F::EdX, s.dX);

  run.Computing(F::EYp);
  s.Yp = Stored(Station(Ya, s.dY));
  run.Computing(F::EXp);
  s.Xp = Stored(Station(Xa, s.dX));
  run.Show(F::EYp, s.Yp);
  run.Show(F::EXp, s.Xp);

  // The control against D: the cut differences are shown and not stored.
  run.Computing(F::EXdXp);
  run.Show(F::EXdXp, CutDifference(Xd, s.Xp));
  run.Computing(F::EYdYp);
  run.Show(F::EYdYp, CutDifference(Yd, s.Yp));
  run.Computing(F::EctgPD);
  s.ctgPD = Stored(CtgPD(Xd, Yd, s.Xp, s.Yp));
  run.Show(F::EctgPD, s.ctgPD);

  // Both direction angles before either is shown.
  run.Computing("(PA)");
  s.alphaPA = Stored(AlphaPA(s.K1, s.K2, s.K3, s.K4, Xa, s.Xp));
  run.Computing("(PD)");
  s.alphaPD = Stored(AlphaPD(Xd, Yd, s.Xp, s.Yp));
  run.Computing(F::EPA);
  run.ShowAngle(F::EPA, s.alphaPA);
  run.Computing(F::EPD);
  run.ShowAngle(F::EPD, s.alphaPD);

  run.Computing(F::Ee1);
  s.epsComputed = Stored(EpsilonComputed(s.alphaPA, s.alphaPD));
  run.ShowAngle(F::Ee1, s.epsComputed);
  run.Computing(F::Ede);
  s.deltaEps = Stored(DeltaEpsilon(s.epsComputed, s.epsMeasured));
  run.ShowAngle(F::Ede, s.deltaEps);
  return s;
}

}  // namespace

void Calculate(TWorksheet& sheet, std::string_view decimalSeparator) {
  (void)Solve(sheet, decimalSeparator);
}

Solution Solve(TWorksheet& sheet, std::string_view decimalSeparator) {
  const Givens givens = ReadGivens(sheet, decimalSeparator);
  Run run(sheet, decimalSeparator);
  try {
    return Solve(run, givens);
  } catch (const CalcError& fault) {
    run.Stop(fault);
  }
}

}  // namespace pothenot
