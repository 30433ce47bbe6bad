// COutlineExpander: the outline expansion ("outline thickness"). The filled area grows by the
// thickness (shrinks for a negative one); an open line becomes a band of that half-width around
// it. It offsets as robust offsetting libraries do: a raw offset of every ring (COutlineBands),
// then one winding sweep that keeps where the raw rings wind positively. The modes say how
// corners are joined (CCornerJoin):
//   0 keep as is:   corners at or above the angle limit keep their point, sharper ones are cut
//                   flat at the thickness; open ends are cut flat;
//   1 keep corners: as 0, but sharper corners are rounded;
//   2 round:        every corner and every open end is round.
// In modes 0 and 1, bends whose interior angle reaches the threshold are joined round. Angles are
// in degrees.
//
// The accuracy is the dialog's power of ten a = 10^n (n from -5 to -15). Round joins keep their
// chords within 0.1 * a^(1/5) page units of the circle: 0.01 at n = -5, 0.001 at n = -10 and
// 0.0001 at n = -15, a finer step for every step of the dialog, held between 0.00001 (finer than
// the result's single-precision points can keep) and the device step 0.025.
//
// An expansion that does not hold its input, or a shrink that does not lie inside it, is a
// failure: Expand and Outline then give false and no result.
#pragma once

#include "addons/transform/OutlineTypes.h"
#include "addons/transform/WindingSweep.h"

struct ExpandSettings {
  double thickness = 0;
  double threshold = 120;
  double angleLimit = 50;
  double accuracy = 1e-10;
  int mode = 1;
};

class CCornerJoin;

class COutlineExpander {
public:
  typedef CWindingSweep::Progress Progress;

  explicit COutlineExpander(const ExpandSettings& settings);

  // The settings as given are usable: finite numbers and a mode of 0, 1 or 2.
  static bool IsValid(const ExpandSettings& settings);
  // The chord error of round joins the accuracy asks for, in page units.
  static double ChordError(double accuracy);

  // The grown (or shrunk) area, with the bands of the lines united into it. Progress is told the
  // share done and may stop the work (SweepCancelled is thrown).
  bool Expand(const OutlineShape& shape, OutlineShape* result,
              const Progress& progress = Progress()) const;
  // The outline band: between the area and its expansion (outside it for a positive thickness,
  // inside for a negative one), with the bands of the lines.
  bool Outline(const OutlineShape& shape, OutlineShape* result,
               const Progress& progress = Progress()) const;

private:
  CCornerJoin Join() const;
  // The area moved by the thickness, checked against the area; false when the check fails.
  bool Move(const OutlineArea& area, OutlineArea* moved, const Progress& progress) const;
  // The last sweep: the moved area, the area itself and the line bands, by the rule.
  OutlineArea Finish(const OutlineShape& shape, const OutlineArea& moved, bool bandOnly,
                     const Progress& progress) const;

  ExpandSettings m_settings;
};
