// The node tool's geometry on point records, without a window: hit-test order, the drags against
// hand-computed results, and each structural edit on open and closed paths. Paths are written as
// text (NodePathText.h); a star marks a selected node.
#include <gtest/gtest.h>

#include <cmath>

#include "model/NodePathText.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/NodePath.h"
#include "model/geometry/NodeRebuild.h"

namespace {

using Records = std::vector<POINTREC>;

FPOINT CurvePoint(const Records& r, int end, float t) {
  return CNodePath::PointOnSegment(r, end, t);
}

TEST(NodeHits, TheOneSelectedNodesHandlesComeFirstThenNodesInOrder) {
  CNodePath path(PathFromText("M0,0 C0,10 10,10 10,0* L20,0"));
  struct Case {
    float x, y;
    int selectedCount;
    int index;
    int kind;
  };
  const Case cases[] = {
      {10, 10, 1, 2, CNodePath::kControlBefore},  // the selected node's incoming handle
      {0, 10, 1, 1, CNodePath::kControlAfter},    // the first control of the same segment
      {0, 0, 1, 0, CNodePath::kUnselectedNode},  {10, 0, 1, 3, CNodePath::kSelectedNode},
      {10, 10, 0, -1, CNodePath::kNoNode},  // without one selected node handles are no hits
      {14, 4, 1, -1, CNodePath::kNoNode},
  };
  for (const Case& c : cases) {
    int kind = -1;
    EXPECT_EQ(c.index, path.HitNode(c.x, c.y, 1.5f, c.selectedCount, 3, &kind))
        << c.x << "," << c.y;
    EXPECT_EQ(c.kind, kind) << c.x << "," << c.y;
  }
}

TEST(NodeHits, ASegmentHitNamesItsEndNodeKindAndParameter) {
  CNodePath path(PathFromText("M0,0 L10,0 C10,5 20,5 20,0"));
  CNodePath::SegmentHit hit;
  ASSERT_TRUE(path.HitSegment(2.5f, 0.5f, 1.5f, &hit));
  EXPECT_EQ(CNodePath::kLineSegment, hit.kind);
  EXPECT_EQ(1, hit.endIndex);
  EXPECT_NEAR(0.25f, hit.t, 1e-5f);
  ASSERT_TRUE(path.HitSegment(15.0f, 3.75f, 1.0f, &hit));
  EXPECT_EQ(CNodePath::kBezierSegment, hit.kind);
  EXPECT_EQ(4, hit.endIndex);
  EXPECT_NEAR(0.5f, hit.t, 0.02f);
  EXPECT_FALSE(path.HitSegment(5.0f, 20.0f, 1.5f, &hit));
}

TEST(NodeDrags, ShiftSnapsEachCoordinateToANeighbourOrTheMidpointByThirds) {
  struct Case {
    float mouseX;
    float x;
  };
  // Neighbours at x 0 and 30 (y 0 for both): below 10 snaps to 0, above 20 to 30, else 15.
  for (const Case& c : {Case{5, 0}, Case{9.9f, 0}, Case{15, 15}, Case{20.1f, 30}, Case{29, 30}}) {
    CNodePath path(PathFromText("M0,0 L15,20* L30,0"));
    path.MoveSelectedNodes(1.0f, 1.0f, true, FPOINT{c.mouseX, 7.0f});
    EXPECT_EQ(c.x, path.Records()[1].x) << c.mouseX;
    EXPECT_EQ(0.0f, path.Records()[1].y) << c.mouseX;
  }
  // The ends of an open path do not snap; they move by the offset.
  CNodePath end(PathFromText("M0,0* L15,20 L30,0"));
  end.MoveSelectedNodes(1.0f, 2.0f, true, FPOINT{29, 0});
  EXPECT_EQ("M 1,2* L 15,20 L 30,0", PathToText(end.Records()));
}

TEST(NodeDrags, AMovedFirstPointTakesItsClosingPointAndBothHandlesAlong) {
  CNodePath path(PathFromText("M0,0* L10,0 L10,10 C5,10 0,5 Z"));
  path.MoveSelectedNodes(1.0f, 2.0f, false, FPOINT{});
  EXPECT_EQ("M 1,2* L 10,0 L 10,10 C 5,10 1,7 Z", PathToText(path.Records()));
  EXPECT_EQ(1.0f, path.Records().back().x);
  EXPECT_EQ(2.0f, path.Records().back().y);
}

TEST(NodeDrags, ABezierSegmentGrabbedInTheMiddleFollowsTheMouseThere) {
  // Hand-computed: P1' = P1 + d; P2' solved so that the point at t = 0.5 moves by d = (0, 4).
  CNodePath path(PathFromText("M0,0 C0,10 10,10 10,0"));
  path.DragSegment(3, 0.5f, 0.0f, 4.0f);
  const Records& r = path.Records();
  EXPECT_FLOAT_EQ(0.0f, r[1].x);
  EXPECT_FLOAT_EQ(14.0f, r[1].y);
  EXPECT_FLOAT_EQ(10.0f, r[2].x);
  EXPECT_NEAR(16.6667f, r[2].y, 1e-4f);
  FPOINT middle = CurvePoint(r, 3, 0.5f);
  EXPECT_NEAR(5.0f, middle.x, 1e-5f);
  EXPECT_NEAR(11.5f, middle.y, 1e-5f);
  EXPECT_EQ("M 0,0 C 0,14 10,16.6667 10,0", PathToText(r));
}

TEST(NodeDrags, ABezierDragMovesThePointAtItsParameterAndNeverDividesByZero) {
  for (float t : {0.2f, 0.45f, 0.7f}) {
    CNodePath path(PathFromText("M0,0 C0,10 10,10 10,0"));
    FPOINT before = CurvePoint(path.Records(), 3, t);
    path.DragSegment(3, t, 2.0f, -3.0f);
    FPOINT after = CurvePoint(path.Records(), 3, t);
    EXPECT_NEAR(before.x + 2.0f, after.x, 1e-3f) << t;
    EXPECT_NEAR(before.y - 3.0f, after.y, 1e-3f) << t;
    EXPECT_EQ(0.0f, path.Records()[0].x);
    EXPECT_EQ(10.0f, path.Records()[3].x);
  }
  for (float t : {0.0f, 1.0f}) {
    CNodePath path(PathFromText("M0,0 C0,10 10,10 10,0"));
    path.DragSegment(3, t, 2.0f, -3.0f);
    for (const POINTREC& p : path.Records())
      EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << "t " << t;
  }
}

TEST(NodeDrags, AStraightSegmentIntoTheClosingPointDragsTheFirstPointToo) {
  CNodePath path(PathFromText("M0,0 L10,0 L10,10 Z"));
  path.DragSegment(3, 0.5f, 1.0f, 1.0f);
  EXPECT_EQ("M 1,1 L 10,0 L 11,11 Z", PathToText(path.Records()));
  EXPECT_EQ(1.0f, path.Records()[3].x);
}

TEST(NodeDrags, ShiftOnAHandleTurnsTheOppositeOneStraightAcrossKeepingItsLength) {
  CNodePath path(PathFromText("M0,0 C0,5 5,10 10,10* C15,10 20,5 20,0"));
  path.MoveControlPoint(3, 0.0f, 5.0f, CNodePath::kControlAfter, true);
  const Records& r = path.Records();
  EXPECT_EQ(15.0f, r[4].x);
  EXPECT_EQ(15.0f, r[4].y);
  EXPECT_NEAR(10.0f - 5.0f / std::sqrt(2.0f), r[2].x, 1e-5f);
  EXPECT_NEAR(10.0f - 5.0f / std::sqrt(2.0f), r[2].y, 1e-5f);
}

TEST(NodeDrags, SubpathsWithASelectedNodeMoveWhole) {
  CNodePath path(PathFromText("M0,0 L10,0* C10,5 5,5 5,0 M20,20 L30,30"));
  path.MoveSubpaths(1.0f, 1.0f, 0);
  EXPECT_EQ("M 1,1 L 11,1* C 11,6 6,6 6,1 M 20,20 L 30,30", PathToText(path.Records()));
  CNodePath none(PathFromText("M0,0 L10,0 M20,20 L30,30"));
  none.MoveSubpaths(0.0f, -1.0f, 3);
  EXPECT_EQ("M 0,0 L 10,0 M 20,19 L 30,29", PathToText(none.Records()));
}

TEST(NodeCommandsGeometry, AddingANodeSplitsABezierSoThatItDrawsTheSameCurve) {
  Records r = PathFromText("M0,0 C0,10 10,10 10,0");
  int node = -1;
  ASSERT_TRUE(CNodeRebuild::AddNode(&r, 3, 0.5f, &node));
  EXPECT_EQ(3, node);
  EXPECT_EQ("M 0,0 C 0,5 2.5,7.5 5,7.5 C 7.5,7.5 10,5 10,0", PathToText(r));
  Records old = PathFromText("M0,0 C0,10 10,10 10,0");
  for (float t : {0.1f, 0.3f, 0.5f}) {
    FPOINT expected = CurvePoint(old, 3, t);
    FPOINT half = CurvePoint(r, 3, 2 * t);
    EXPECT_NEAR(expected.x, half.x, 1e-5f);
    EXPECT_NEAR(expected.y, half.y, 1e-5f);
  }
  Records line = PathFromText("M0,0 L8,0");
  ASSERT_TRUE(CNodeRebuild::AddNode(&line, 1, 0.25f, &node));
  EXPECT_EQ("M 0,0 L 2,0 L 8,0", PathToText(line));
}

TEST(NodeCommandsGeometry, DeletingNodesKeepsWhatSurvivesAndDropsSubpathsLeftWithOneNode) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"M0,0 L10,0* L20,0* L30,0*", ""},
      {"M0,0* L10,0 L10,10 L0,10 Z", "M 10,0 L 10,10 L 0,10 Z"},
      // A closing point is its first point: two deleted corners leave no one-node loop.
      {"M0,0 L10,0* L5,8* Z", ""},
      {"M0,0 C0,5 5,5 5,0 L10,0* L20,0", "M 0,0 C 0,5 5,5 5,0 L 20,0"},
      {"M0,0 C0,5 5,5 5,0* C5,-5 10,-5 10,0", "M 0,0 L 10,0"},
      {"M0,0 L10,0 L20,0*", "M 0,0 L 10,0"},
      {"M0,0 L10,0* L10,10 C5,15 0,15 Z", "M 0,0 L 10,10 C 5,15 0,15 Z"},
      {"M0,0* L10,0 M20,0 L30,0 L40,0", "M 20,0 L 30,0 L 40,0"},
  };
  for (const Case& c : cases) {
    Records after = CNodeRebuild::DeleteSelected(PathFromText(c.before));
    EXPECT_EQ(c.after, PathToText(after)) << c.before;
    if (!after.empty() && !(after.back().flags & kPointClose)) {
      EXPECT_EQ(kPointOpenEnd | kPointOnCurve, after.back().flags) << c.before;
    }
  }
  Records square = CNodeRebuild::DeleteSelected(PathFromText("M0,0* L10,0 L10,10 L0,10 Z"));
  EXPECT_EQ(10.0f, square.back().x);
  EXPECT_EQ(0.0f, square.back().y);
}

TEST(NodeCommandsGeometry, SegmentsTurnIntoBeziersAtTheirThirdsAndBack) {
  Records r = PathFromText("M0,0 L9,3");
  ASSERT_TRUE(CNodeRebuild::SegmentToCurve(&r, 1));
  EXPECT_EQ("M 0,0 C 3,1 6,2 9,3", PathToText(r));
  EXPECT_FALSE(CNodeRebuild::SegmentToCurve(&r, 3));
  ASSERT_TRUE(CNodeRebuild::SegmentToLine(&r, 3));
  EXPECT_EQ("M 0,0 L 9,3", PathToText(r));
  EXPECT_FALSE(CNodeRebuild::SegmentToLine(&r, 1));
}

TEST(NodeCommandsGeometry, BreakingOpensALoopAtTheNodeOrSplitsAnOpenPath) {
  struct Case {
    const char* before;
    int node;
    const char* after;
  };
  const Case cases[] = {
      {"M0,0 L10,0 L10,10 L0,10 Z", 1, "M 10,0 L 10,10 L 0,10 L 0,0 L 10,0"},
      {"M0,0 L10,0 L10,10 Z", 0, "M 0,0 L 10,0 L 10,10 L 0,0"},
      {"M0,0 L10,0 C15,0 20,5 20,10", 1, "M 10,0 C 15,0 20,5 20,10 M 0,0 L 10,0"},
      {"M5,5 L6,6 M0,0 L10,0 L20,0", 3, "M 10,0 L 20,0 M 0,0 L 10,0 M 5,5 L 6,6"},
  };
  for (const Case& c : cases) {
    Records after;
    ASSERT_TRUE(CNodeRebuild::BreakAt(PathFromText(c.before), c.node, &after)) << c.before;
    EXPECT_EQ(c.after, PathToText(after)) << c.before;
  }
  Records unused;
  EXPECT_FALSE(CNodeRebuild::BreakAt(PathFromText("M0,0 L10,0 L20,0"), 0, &unused));
  EXPECT_FALSE(CNodeRebuild::BreakAt(PathFromText("M0,0 L10,0 L20,0"), 2, &unused));
}

TEST(NodeCommandsGeometry, JoiningEndsOrdersTheTwoPathsAndMergesNearOnes) {
  struct Case {
    const char* before;
    int first, second;
    bool merge;
    const char* after;
  };
  const Case cases[] = {
      {"M0,0 L10,0 M11,0 L20,0", 1, 2, true, "M 0,0 L 10.5,0 L 20,0"},
      {"M0,0 L10,0 M11,0 L20,0", 2, 1, false, "M 0,0 L 10,0 L 11,0 L 20,0"},
      {"M11,0 L20,0 M0,0 L10,0", 0, 3, false, "M 0,0 L 10,0 L 11,0 L 20,0"},
      {"M0,0 L10,0 M20,0 L10,1", 1, 3, false, "M 0,0 L 10,0 L 10,1 L 20,0"},
      {"M0,0 L10,0 M0,1 L10,1", 0, 2, false, "M 10,0 L 0,0 L 0,1 L 10,1"},
      {"M0,0 L10,0 L10,10", 0, 2, false, "M 0,0 L 10,0 L 10,10 Z"},
      {"M0,0 L10,0 L0,1", 2, 0, true, "M 0,0.5 L 10,0 Z"},
      {"M50,50 L60,60 M0,0 L10,0 M11,0 L20,0", 3, 4, true, "M 0,0 L 10.5,0 L 20,0 M 50,50 L 60,60"},
  };
  for (const Case& c : cases) {
    Records after;
    ASSERT_TRUE(CNodeRebuild::Join(PathFromText(c.before), c.first, c.second, c.merge, &after))
        << c.before;
    EXPECT_EQ(c.after, PathToText(after)) << c.before;
  }
  Records unused;
  EXPECT_FALSE(
      CNodeRebuild::Join(PathFromText("M0,0 L10,0 L20,0 M30,0 L40,0"), 1, 3, false, &unused));
  EXPECT_FALSE(
      CNodeRebuild::Join(PathFromText("M0,0 L10,0 L10,10 Z M30,0 L40,0"), 0, 4, false, &unused));
}

TEST(NodeCommandsGeometry, ASquareReplacedByACircleHasNodesAtItsSideMiddles) {
  Records r = CNodeRebuild::ReplaceSelectedByCircle(PathFromText("M0,0* L10,0 L10,10 L0,10 Z"));
  ASSERT_EQ(13u, r.size());
  const float k = 0.553f * 5.0f;
  const FPOINT expected[13] = {{0, 5},      {0, 5 - k}, {5 - k, 0},  {5, 0},      {5 + k, 0},
                               {10, 5 - k}, {10, 5},    {10, 5 + k}, {5 + k, 10}, {5, 10},
                               {5 - k, 10}, {0, 5 + k}, {0, 5}};
  for (int i = 0; i < 13; ++i) {
    EXPECT_NEAR(expected[i].x, r[i].x, 1e-5f) << i;
    EXPECT_NEAR(expected[i].y, r[i].y, 1e-5f) << i;
  }
  EXPECT_EQ(kPointStart | kPointOnCurve, r[0].flags);
  EXPECT_EQ(kPointClose | kPointOnCurve, r[12].flags);
  // Unselected sub-paths stay as they are.
  EXPECT_EQ("M 20,20 L 30,30",
            PathToText(CNodeRebuild::ReplaceSelectedByCircle(PathFromText("M20,20 L30,30"))));
}

TEST(NodeCommandsGeometry, ASquareReplacementSpansTheRecordsControlsIncluded) {
  Records r = CNodeRebuild::ReplaceSelectedBySquare(
      PathFromText("M0,0 C-5,5 5,15 10,10* L10,0 Z M20,20 L30,30"));
  EXPECT_EQ("M -5,0 L 10,0 L 10,15 L -5,15 Z M 20,20 L 30,30", PathToText(r));
  EXPECT_EQ("M 20,20 L 30,30", PathToText(CNodeRebuild::DeleteSelectedSubpaths(
                                   PathFromText("M0,0 C-5,5 5,15 10,10* L10,0 Z M20,20 L30,30"))));
}

TEST(NodeCommandsGeometry, ARunOfSelectedNodesIsReplacedByOneBezier) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"M0,0 L10,0* L20,0* L30,0", "M 0,0 C 1,1 2,2 30,0"},
      // The run covers the first point: the loop starts after it and closes with the curve.
      {"M0,0* L10,0 L10,10 L0,10* Z", "M 10,0 L 10,10 C 1,1 2,2 Z"},
      // The run reaches the open end: the path closes back to its first point.
      {"M0,0 L10,0 L20,0*", "M 0,0 L 10,0 C 1,1 2,2 Z"},
  };
  for (const Case& c : cases) {
    Records after;
    ASSERT_TRUE(
        CNodeRebuild::ReplaceRunByCurve(PathFromText(c.before), FPOINT{1, 1}, FPOINT{2, 2}, &after))
        << c.before;
    EXPECT_EQ(c.after, PathToText(after)) << c.before;
  }
  // Every node selected: there is nothing for the curve to run between.
  Records unused;
  EXPECT_FALSE(CNodeRebuild::ReplaceRunByCurve(PathFromText("M0,0* L10,0* L10,10* Z"), FPOINT{1, 1},
                                               FPOINT{2, 2}, &unused));
}

TEST(NodeCommandsGeometry, DrawnSegmentsGrowAPathAtEitherEndAndCloseItOnItsStart) {
  Records r = PathFromText("M0,0 L10,0 L10,10*");
  int node = 2;
  bool closed = false;
  const FPOINT back[4] = {{10, 10}, {0, 0}, {0, 0}, {0, 0}};
  CNodeRebuild::AppendSegment(&r, back, false, &node, &closed);
  EXPECT_TRUE(closed);
  EXPECT_EQ(-1, node);
  EXPECT_EQ("M 0,0 L 10,0 L 10,10 Z", PathToText(r));

  Records start = PathFromText("M0,0* L10,0");
  node = 0;
  const FPOINT curve[4] = {{0, 0}, {0, 5}, {5, 5}, {5, 10}};
  CNodeRebuild::AppendSegment(&start, curve, true, &node, &closed);
  EXPECT_FALSE(closed);
  EXPECT_EQ(0, node);
  EXPECT_EQ("M 5,10* C 5,5 0,5 0,0 L 10,0", PathToText(start));

  Records empty;
  node = -1;
  const FPOINT line[4] = {{0, 0}, {1, 1}, {1, 1}, {1, 1}};
  CNodeRebuild::AppendSegment(&empty, line, false, &node, &closed);
  EXPECT_EQ("M 0,0 L 1,1*", PathToText(empty));
  EXPECT_EQ(1, node);
}

}  // namespace
