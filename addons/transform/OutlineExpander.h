// COutlineExpander: the outline expansion ("outline thickness"). The filled area grows by the
// thickness (shrinks for a negative one); an open line becomes a band of that half-width around
// it. The modes say how corners are joined (CCornerJoin):
//   0 keep as is:   corners at or above the angle limit keep their point, sharper ones are cut
//                   flat at the thickness; open ends are cut flat;
//   1 keep corners: as 0, but sharper corners are rounded;
//   2 round:        every corner and every open end is round.
// In modes 0 and 1, bends whose interior angle reaches the threshold are joined round. Angles are
// in degrees. The accuracy is the chord error allowed on round joins, held between 0.001 and
// 0.025 page units: the dialog's powers of ten from 1e-15 on would ask for more points than
// any plotter can use.
#pragma once

#include "addons/transform/OutlineTypes.h"

struct ExpandSettings {
  double thickness = 0;
  double threshold = 120;
  double angleLimit = 50;
  double accuracy = 1e-10;
  int mode = 1;
};

class COutlineExpander {
public:
  explicit COutlineExpander(const ExpandSettings& settings);

  // The settings as given are usable: finite numbers and a mode of 0, 1 or 2.
  static bool IsValid(const ExpandSettings& settings);

  // The grown (or shrunk) area, with the bands of the lines united into it.
  OutlineShape Expand(const OutlineShape& shape) const;
  // The outline band: between the area and its expansion (outside it for a positive thickness,
  // inside for a negative one), with the bands of the lines.
  OutlineShape Outline(const OutlineShape& shape) const;

private:
  OutlineArea Buffer(const OutlineArea& area, double distance) const;
  OutlineArea Band(const OutlineLines& lines) const;
  double ChordError() const;

  ExpandSettings m_settings;
};
