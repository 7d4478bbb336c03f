#include "calc/scheme.h"

#include "calc/angles.h"

namespace pothenot::scheme {

Extended CotangentCut(const Extended& gamma) {
  return TruncTo(Cotangent(gamma), 100000);
}

// The arctangent of the ratio gives the angle towards a target south of P; a
// target north of P lies 180° from it.
Extended AlphaPA(const Extended& K1, const Extended& K2, const Extended& K3, const Extended& K4,
                 const Extended& Xa, const Extended& Xp) {
  return DirectionAngle((K1 - K3) / (K2 - K4), Xa > Xp);
}

Extended AlphaPD(const Extended& Xd, const Extended& Yd, const Extended& Xp, const Extended& Yp) {
  return DirectionAngle((Yd - Yp) / (Xd - Xp), Xd > Xp);
}

}  // namespace pothenot::scheme
