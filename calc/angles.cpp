#include "calc/angles.h"

#include "calc/number_text.h"

namespace pothenot {

Extended DmsToDegrees(Extended d, Extended m, Extended s) {
  return (s / 3600 + m / 60) + d;
}

Extended Cotangent(Extended x) {
  const Extended r = kPi * x / 180;
  return Cos(r) / Sin(r);
}

Extended DirectionAngleOfRatio(Extended q) {
  return ArcTan2(q, 1) * 180 / kPi + 180;
}

Extended DirectionAngle(Extended q, bool targetNorth) {
  Extended alpha = DirectionAngleOfRatio(q);
  if (targetNorth) {
    alpha = alpha - 180;
    if (alpha < Extended(0)) alpha = alpha + 360;
  }
  return alpha;
}

Extended ReduceAngle(Extended x) {
  const Extended r = Remainder(x, 360);
  return r == Extended(-180) ? Extended(180) : r;
}

std::string DegreesToDmsText(Extended x, std::string_view separator) {
  const std::int64_t d = Trunc(x);
  const std::int64_t m = Trunc(Frac(x) * 60);
  const std::int64_t s = Round(Frac(Frac(x) * 60) * 60);
  auto part = [&](std::int64_t v) { return TextFromNumber(Extended::FromInt64(v), separator); };
  return part(d) + "°" + part(m) + "`" + part(s) + "``";
}

}  // namespace pothenot
