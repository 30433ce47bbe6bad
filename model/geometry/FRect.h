// CFRect: a rectangle of four floats in page units (millimetres, y downward). Nothing keeps it
// normalised; Normalize does that on request.
#pragma once

struct FPOINT {
  float x;
  float y;
};

class CFRect {
public:
  CFRect() { SetEmpty(); }
  CFRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}

  CFRect& SetEmpty();
  CFRect* CopyTo(CFRect* out) const;
  bool IsInside(float x1, float y1, float x2, float y2) const;
  bool IsOutside(float x1, float y1, float x2, float y2) const;
  // Whether the two normalised rectangles share a point (touching counts).
  bool Meets(const CFRect& other) const;
  void Inflate(float dx, float dy);
  FPOINT* GetTopLeft(FPOINT* out) const;
  void MoveTo(float x, float y);
  void Normalize();
  float Width() const;
  float Height() const;
  void SetWidth(float w);
  void SetHeight(float h);

  float left;
  float top;
  float right;
  float bottom;
};

static_assert(sizeof(CFRect) == 16, "CFRect is four floats");
