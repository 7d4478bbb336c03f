// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/extended.h"

/// The worksheet's plane in the extended type, shared by whatever finds the
/// station without cuts (`AssessFix`, `SolveByMethods`): points and vectors,
/// the givens that fix no station, the exact station and the danger circle.
///
/// Coordinates are the worksheet's: X north, Y east, one length unit. An
/// angle that turns clockwise on the map (from north towards east) turns from
/// the X axis towards the Y axis, so with (X, Y) read as (x, y) every formula
/// below is the textbook's with angles counted counter-clockwise.
namespace pothenot::plane {

/// A point or a vector of the plane.
struct Vec {
  Extended X, Y;
};

inline Vec operator+(Vec a, Vec b) {
  return {a.X + b.X, a.Y + b.Y};
}
inline Vec operator-(Vec a, Vec b) {
  return {a.X - b.X, a.Y - b.Y};
}
inline Vec operator*(Extended k, Vec a) {
  return {k * a.X, k * a.Y};
}
inline bool operator==(Vec a, Vec b) {
  return a.X == b.X && a.Y == b.Y;
}
inline Extended Dot(Vec a, Vec b) {
  return a.X * b.X + a.Y * b.Y;
}
/// a × b = aX·bY − aY·bX: positive when b lies clockwise of a on the map.
inline Extended Cross(Vec a, Vec b) {
  return a.X * b.Y - a.Y * b.X;
}
inline Extended Square(Extended x) {
  return x * x;
}
inline Extended Abs(Extended x) {
  return x < Extended(0) ? -x : x;
}

/// √x of a non-negative value of any size, to double precision. Overflow
/// when the root lies beyond the doubles.
double Root(Extended x);

/// An angle in decimal degrees brought into [−90°, 90°] by whole half turns:
/// `Remainder(degrees, 180)` exactly, at a fraction of its cost (a product, a
/// rounding and a subtraction, where these are exact). A measured angle and
/// its remainder have the same cotangent.
Extended HalfTurnRemainder(Extended degrees);

/// Throws `CalcError` InvalidOperation, with a Russian sentence, when the
/// givens fix no station whatever the method: two of A, B and C at one place,
/// or γ1 or γ2 of 0° or 180° modulo 180°. `r1` and `r2` are γ1 and γ2 by
/// `HalfTurnRemainder`, which the caller keeps for the cotangents.
void RequireFigure(Vec A, Vec B, Vec C, Extended r1, Extended r2);

/// The sentence with which a station on the danger circle is refused.
inline constexpr const char* kOnDangerCircle =
    "Станция лежит на опасном круге (окружности через A, B и C): "
    "углы γ1 и γ2 не определяют её положения.";

/// Throws `CalcError` InvalidOperation with `kOnDangerCircle`.
[[noreturn]] void OnDangerCircle();

/// The second crossing, besides A, of the two position circles, from the
/// cotangents a = ctg γ1 and b = ctg γ2: the worksheet's scheme without its
/// cuts and without its division by K1 − K3. `OnDangerCircle` when the two
/// circles are one.
Vec ExactStation(Vec A, Vec B, Vec C, Extended a, Extended b);

/// The danger circle through A, B and C, as seen from the station P.
struct DangerCircle {
  Vec centre;       ///< for a straight figure, the foot of the perpendicular from P
  double radius;    ///< +infinity for a straight figure
  double distance;  ///< of P from the circle (or line)
};

/// The circle through A, B and C, or the line through them when its radius
/// would exceed 1E9 times the longest side of ABC. Overflow when ABC lies
/// below the normal doubles.
DangerCircle CircleThrough(Vec A, Vec B, Vec C, Vec P);

/// How errors of the measured angles move the station P: the gradient over P
/// of the direction angle from P to T,
///     g_T = ∂α_T/∂(Xp, Yp) = (Y_T − Yp, −(X_T − Xp)) / |PT|²
/// (radians per length unit), the normals r1 = g_B − g_A and r2 = g_C − g_A
/// of P's two position circles, and det = r1 × r2, zero on the danger circle.
/// `Point` is `Vec` (the extended type, for the judgement of one station) or
/// any point of two doubles X, Y (for many stations at once); the formulas are
/// the same. P at T divides by zero: a `CalcError` in the extended type, NaN
/// in doubles.
template <class Point>
Point DirectionGradient(const Point& P, const Point& T) {
  const auto dX = T.X - P.X, dY = T.Y - P.Y;
  const auto s2 = dX * dX + dY * dY;
  return {dY / s2, -dX / s2};
}

template <class Point>
struct PositionNormals {
  Point r1, r2;
  decltype(Point::X) det;  ///< r1 × r2
};

template <class Point>
PositionNormals<Point> NormalsAt(const Point& P, const Point& A, const Point& B, const Point& C) {
  const Point gA = DirectionGradient(P, A), gB = DirectionGradient(P, B),
              gC = DirectionGradient(P, C);
  const Point r1{gB.X - gA.X, gB.Y - gA.Y}, r2{gC.X - gA.X, gC.Y - gA.Y};
  return {r1, r2, r1.X * r2.Y - r1.Y * r2.X};
}

/// M² / m² with m in radians: (|r1|² + |r2|²) / (r1 × r2)², the square of the
/// Frobenius norm of the inverse of the matrix with rows r1 and r2. Division
/// by zero (det = 0) as the number type does it.
template <class Point>
decltype(Point::X) SquaredErrorFactor(const PositionNormals<Point>& n) {
  const auto sum = n.r1.X * n.r1.X + n.r1.Y * n.r1.Y + n.r2.X * n.r2.X + n.r2.Y * n.r2.Y;
  return sum / (n.det * n.det);
}

/// `OnDangerCircle` when P lies within 1E-6 of its shortest sight (to the
/// nearest of A, B and C) from `circle`, or at A, B or C itself.
void RequireOffDangerCircle(Vec A, Vec B, Vec C, Vec P, const DangerCircle& circle);

}  // namespace pothenot::plane
