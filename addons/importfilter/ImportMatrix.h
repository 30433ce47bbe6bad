// ImportMatrix: an affine map of the import readers in double precision, in PostScript's order:
// a point maps as x' = a x + c y + e, y' = b x + d y + f. The readers keep their current
// transformation (PostScript's CTM, a DXF block's insertion) as one of these; A.Then(B) maps
// through A first and B second.
#pragma once

#include <cmath>

struct ImportPoint2 {
  double x;
  double y;
};

struct ImportMatrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  static ImportMatrix Scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  static ImportMatrix Translate(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
  // Counter-clockwise by the angle in degrees (with y up, as PostScript and DXF have it).
  static ImportMatrix Rotate(double degrees) {
    const double radians = degrees * 3.14159265358979323846 / 180.0;
    const double cosine = std::cos(radians), sine = std::sin(radians);
    return {cosine, sine, -sine, cosine, 0, 0};
  }

  ImportPoint2 Map(double x, double y) const { return {a * x + c * y + e, b * x + d * y + f}; }
  // Maps a distance: the translation is left out.
  ImportPoint2 MapDelta(double x, double y) const { return {a * x + c * y, b * x + d * y}; }
  ImportMatrix Then(const ImportMatrix& next) const {
    return {a * next.a + b * next.c,          a * next.b + b * next.d,
            c * next.a + d * next.c,          c * next.b + d * next.d,
            e * next.a + f * next.c + next.e, e * next.b + f * next.d + next.f};
  }
  double Determinant() const { return a * d - b * c; }
  bool IsFinite() const {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d) &&
           std::isfinite(e) && std::isfinite(f);
  }
};
