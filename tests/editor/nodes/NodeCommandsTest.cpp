// The view's node-edit commands on the curve under edit, without a window: each command either
// runs its operation at once (in one undo step) or chooses its tool, by what the curve holds.
#include <gtest/gtest.h>

#include <memory>

#include "editor/nodes/NodeCommands.h"
#include "model/FakeBlockView.h"
#include "model/NodePathText.h"
#include "model/editing/NodeEditState.h"

namespace {

TEST(NodeCommands, EachCommandRunsAtOnceWhenItsNeedIsMetElseChoosesItsTool) {
  struct Case {
    UINT id;
    const char* before;
    bool hitSegment;  // a press at (5, 0) has hit the first segment
    CNodeCommands::Outcome outcome;
    int tool;  // the tool chosen, 0 for none
    const char* after;
  };
  const Case cases[] = {
      {40119, "M0,0 L10,0 L10,10", false, CNodeCommands::kToolChosen, 40119, nullptr},
      {40119, "M0,0 L10,0 L10,10", true, CNodeCommands::kRan, 0, "M 0,0 L 5,0 L 10,0 L 10,10"},
      {40120, "M0,0 L10,0 L10,10", false, CNodeCommands::kToolChosen, 40120, nullptr},
      {40120, "M0,0 L10,0* L10,10", false, CNodeCommands::kRan, 0, "M 0,0 L 10,10"},
      {40121, "M0,0 L10,0 L10,10", false, CNodeCommands::kToolChosen, 40121, nullptr},
      {40121, "M0,0 L10,0* L10,10", false, CNodeCommands::kRan, 0, "M 10,0 L 10,10 M 0,0 L 10,0"},
      {40122, "M0,0* L10,0 M20,0 L30,0", false, CNodeCommands::kRefused, 0, nullptr},
      {40122, "M0,0 L10,0* M20,0* L30,0", false, CNodeCommands::kRan, 0,
       "M 0,0 L 10,0 L 20,0 L 30,0"},
      {40141, "M0,0 L10,0", true, CNodeCommands::kRan, 0, "M 0,0 C 3.33333,0 6.66667,0 10,0"},
      {40141, "M0,0 L10,0", false, CNodeCommands::kToolChosen, 40141, nullptr},
      {40142, "M0,0 C0,0 10,0 10,0", true, CNodeCommands::kRan, 0, "M 0,0 L 10,0"},
      {40165, "M0,0 L10,0", false, CNodeCommands::kRefused, 0, nullptr},
      {40165, "M0,0 L10,0* M20,0 L30,0", false, CNodeCommands::kRan, 0, "M 20,0 L 30,0"},
      {40167, "M0,0 L10,0* L10,10 Z", false, CNodeCommands::kRan, 0,
       "M 0,0 L 10,0 L 10,10 L 0,10 Z"},
      {40168, "M0,0 L10,0* L20,0", false, CNodeCommands::kToolChosen, 40168, nullptr},
      {40168, "M0,0* L10,0* L20,0*", false, CNodeCommands::kRefused, 0, nullptr},
      {32855, "M0,0 L10,0", false, CNodeCommands::kToolChosen, 32855, nullptr},
      {32862, "M0,0 L10,0", false, CNodeCommands::kToolChosen, 32862, nullptr},
  };
  for (const Case& c : cases) {
    GetNodeEditState().Reset();
    FakeBlockView view(0.5);
    view.tool = kNodeTool;
    std::unique_ptr<CCurveBlock> curve(CurveFromText(c.before));
    curve->BeginEdit(kNodeTool, &view);
    if (c.hitSegment) {
      ASSERT_NE(CCurveBlock::kNoHit, curve->HitSegment(&view, 5, 0)) << c.id;
    }
    int chosen = 0;
    CNodeCommands commands(view, curve.get(), [&](int tool) { chosen = tool; });
    EXPECT_EQ(c.outcome, commands.Run(c.id)) << c.id << " " << c.before;
    EXPECT_EQ(c.tool, chosen) << c.id << " " << c.before;
    EXPECT_EQ(c.after ? c.after : PathToText(PathFromText(c.before)), CurveText(*curve))
        << c.id << " " << c.before;
    // What ran is one undo step that puts the curve back.
    EXPECT_EQ(c.outcome == CNodeCommands::kRan ? 1 : 0, view.undo.GetStepCount()) << c.id;
    if (c.outcome == CNodeCommands::kRan) {
      view.undo.PlayLastStep(&view);
      EXPECT_EQ(PathToText(PathFromText(c.before)), CurveText(*curve)) << c.id;
    }
  }
  GetNodeEditState().Reset();
}

TEST(NodeCommands, NothingRunsWithoutACurveUnderNodeEditing) {
  FakeBlockView view(0.5);
  std::unique_ptr<CCurveBlock> curve(CurveFromText("M0,0 L10,0*"));
  int chosen = 0;
  auto useTool = [&](int tool) { chosen = tool; };
  EXPECT_EQ(CNodeCommands::kNoCurve, CNodeCommands(view, nullptr, useTool).Run(40120));
  // Not in node editing.
  EXPECT_EQ(CNodeCommands::kNoCurve, CNodeCommands(view, curve.get(), useTool).Run(40120));
  EXPECT_EQ(CNodeCommands::kNotNodeCommand, CNodeCommands(view, curve.get(), useTool).Run(40070));
  EXPECT_EQ(0, chosen);
  EXPECT_EQ("M 0,0 L 10,0*", CurveText(*curve));
}

}  // namespace
