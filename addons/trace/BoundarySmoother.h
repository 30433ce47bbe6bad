// CBoundarySmoother: takes the pixel staircase out of a closed boundary before it is fitted.
// Each pass moves every point that is not a corner part of the way towards the mean of its
// neighbours; the neighbourhood shrinks near a corner so that it never reaches past one, which
// keeps corners sharp and straight edges straight (a symmetric mean leaves a straight run where
// it is and pulls the staircase's steps onto the line between them).
//
// A corner found on the pixel lattice lies where the pixels turn, up to a pixel off the corner of
// a slanted shape. Once the sides are smoothed, each corner moves to where straight lines fitted
// to the points on either side of it meet, when that is near; two or three corners close together
// whose outer sides meet near them are the pixel tip of one corner and become that one.
#pragma once

#include <vector>

#include "addons/trace/TraceSettings.h"
#include "addons/trace/TraceTypes.h"

class CBoundarySmoother {
public:
  explicit CBoundarySmoother(const TraceSettings& settings) : m_settings(settings) {}

  // corners: ascending indices of the points that stay where they are.
  void Smooth(std::vector<TracePoint>* loop, const std::vector<int>& corners) const;
  // The corners that remain, ascending.
  std::vector<int> PlaceCorners(std::vector<TracePoint>* loop,
                                const std::vector<int>& corners) const;

private:
  // For each point the reach of its neighbourhood: the smoothing surround, less where a corner
  // or the loop's own length is nearer; 0 on the corners themselves.
  std::vector<int> Reaches(int count, const std::vector<int>& corners) const;

  TraceSettings m_settings;
};
