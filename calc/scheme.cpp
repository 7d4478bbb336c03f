// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/scheme.h"

namespace pothenot::scheme {

Extended Cotangent(const Extended& x) {
  const Extended r = kPi * x / 180;
  return Cos(r) / Sin(r);
}

Extended CotangentCut(const Extended& gamma) {
  return TruncTo(Cotangent(gamma), 100000);
}

Extended DirectionAngleOfRatio(const Extended& q) {
  return ArcTan2(q, 1) * 180 / kPi + 180;
}

Extended DirectionAngle(const Extended& q, bool targetNorth) {
  Extended alpha = DirectionAngleOfRatio(q);
  if (targetNorth) {
    alpha = alpha - 180;
    if (alpha < Extended(0)) alpha = alpha + 360;
  }
  return alpha;
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
