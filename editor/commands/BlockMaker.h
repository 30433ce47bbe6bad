// CBlockMaker: the steps that turn a finished drag or click of a drawing tool into a block of the
// document: a line, a rectangle, an ellipse, the next point of a polyline under construction, and
// committing the view's feedback block (as it is, or as a curve closed at its end). The tools hand
// over their stroke: the start and end points in page units and the multi-click flag that is set
// while a shape is built click by click. Each added block is one undo step of its own.
#pragma once

#include <windows.h>

#include "editor/commands/ViewCommandBase.h"
#include "model/geometry/FRect.h"

class CBlock;

// What a drawing tool has drawn so far.
struct DrawStroke {
  FPOINT start = {0, 0};
  FPOINT end = {0, 0};
  // Non-zero while a polyline, polygon or Bezier curve is built click by click.
  int multiClick = 0;
};

class CBlockMaker : public CViewCommandBase {
public:
  explicit CBlockMaker(CTALVEX42View* view) : CViewCommandBase(view) {}

  // Each returns the block it added (the document's), null without a document.
  CBlock* AddLineBlock(DrawStroke& stroke);
  CBlock* AddRectBlock(DrawStroke& stroke);
  // The ellipse keeps the points in their order: the direction of the drag is its own.
  CBlock* AddEllipseBlock(DrawStroke& stroke);
  // Extends the feedback curve by the end point (making the curve on the first call); the end
  // point becomes the start of the next segment.
  void AddPolylinePoint(DrawStroke& stroke);
  // The feedback block becomes the document's as it is.
  CBlock* CommitFeedbackBlock(DrawStroke& stroke);
  // A feedback curve is closed and becomes the document's; any other feedback block is dropped.
  CBlock* CommitFeedbackCurve(DrawStroke& stroke);

private:
  // One undo step: the block appended with its insert record.
  CBlock* Insert(CBlock* block);
};
