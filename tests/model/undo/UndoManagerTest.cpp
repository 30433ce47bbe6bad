// The undo manager: steps opened and closed in nested levels, the step limit, repaint records,
// playback order and the records that never point at a deleted block.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/HandleBlock.h"
#include "model/MainWindowCapture.h"
#include "model/blocks/GroupBlock.h"
#include "model/editing/DragState.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "model/undo/UndoAttrRecord.h"
#include "model/undo/UndoBeginEditRecord.h"
#include "model/undo/UndoDeselectRecord.h"
#include "model/undo/UndoEndEditRecord.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoMoveRecord.h"
#include "model/undo/UndoScope.h"
#include "model/undo/UndoSelectRecord.h"
#include "model/undo/UndoStep.h"
#include "model/undo/UndoToolRecord.h"
#include "model/undo/UndoTransformRecord.h"
#include "support/MessageBoxCapture.h"

namespace {

// A record that writes its name into a shared log when undone and when destroyed, and notes the
// undo depth its view reports while it is undone.
class NamedRecord : public CUndoRecord {
public:
  NamedRecord(std::string name, std::vector<std::string>* log, std::vector<int>* depths)
      : m_name(std::move(name)), m_log(log), m_depths(depths) {}
  ~NamedRecord() override { m_log->push_back("~" + m_name); }
  BOOL Undo(CBlockView* view) override {
    m_log->push_back(m_name);
    m_depths->push_back(view->GetUndoDepth());
    return TRUE;
  }

private:
  std::string m_name;
  std::vector<std::string>* m_log;
  std::vector<int>* m_depths;
};

// A view whose undo depth is that of the given manager.
class ManagerView : public FakeBlockView {
public:
  explicit ManagerView(CUndoManager* manager) : m_manager(manager) {}
  int GetUndoDepth() override { return m_manager->GetDepth(); }
  CUndoManager* GetUndoManager() override { return m_manager; }

private:
  CUndoManager* m_manager;
};

class UndoManagerTest : public ::testing::Test {
protected:
  NamedRecord* Record(const std::string& name) { return new NamedRecord(name, &log, &depthsSeen); }
  // One command that appends the named records.
  void Command(std::initializer_list<const char*> names, int repaint = 0) {
    CUndoScope step(manager, repaint);
    for (const char* name : names) manager.AppendRecord(Record(name));
  }

  CUndoManager manager{10};
  std::vector<std::string> log;
  std::vector<int> depthsSeen;
};

TEST_F(UndoManagerTest, OnlyTheOutermostLevelMakesAStepAndOnlyWhenARecordArrives) {
  manager.BeginStep();
  EXPECT_EQ(1, manager.GetDepth());
  manager.BeginStep();
  EXPECT_EQ(2, manager.GetDepth());
  manager.EndStep();
  manager.EndStep();
  EXPECT_EQ(0, manager.GetStepCount());  // nothing recorded, nothing left behind

  manager.BeginStep();
  EXPECT_EQ(0, manager.AppendRecord(Record("a")));
  manager.BeginStep();
  EXPECT_EQ(1, manager.AppendRecord(Record("b")));
  manager.EndStep();
  EXPECT_EQ(2, manager.AppendRecord(Record("c")));
  manager.EndStep();
  ASSERT_EQ(1, manager.GetStepCount());
  EXPECT_EQ(3, manager.GetStep(-1)->GetSize());
  EXPECT_EQ(manager.GetStep(0), manager.GetStep(-1));
  EXPECT_EQ(nullptr, manager.GetStep(1));
}

TEST_F(UndoManagerTest, RecordsOfferedWhileNotRecordingAreDeletedAtOnce) {
  EXPECT_EQ(-1, manager.AppendRecord(Record("idle")));
  EXPECT_EQ(std::vector<std::string>{"~idle"}, log);
  manager.BeginStep();
  manager.Suspend();
  EXPECT_EQ(0, manager.GetDepth());
  EXPECT_EQ(-1, manager.AppendRecord(Record("suspended")));
  manager.Resume();
  manager.EndStep();
  EXPECT_EQ(0, manager.GetStepCount());
}

TEST_F(UndoManagerTest, ClosingMoreLevelsThanWereOpenedNeverStartsRecording) {
  manager.EndStep();
  manager.EndStep();
  EXPECT_EQ(0, manager.GetDepth());
  EXPECT_EQ(-1, manager.AppendRecord(Record("stray")));
  manager.BeginStep();
  EXPECT_EQ(1, manager.GetDepth());
  manager.EndStep();
}

TEST_F(UndoManagerTest, TheStepLimitKeepsLimitPlusOneSteps) {
  for (int i = 0; i < 11; ++i) Command({("c" + std::to_string(i)).c_str()});
  EXPECT_EQ(11, manager.GetStepCount());
  EXPECT_TRUE(log.empty());
  Command({"c11"});
  EXPECT_EQ(11, manager.GetStepCount());
  EXPECT_EQ(std::vector<std::string>{"~c0"}, log);  // the oldest step went with its record
}

TEST_F(UndoManagerTest, ALimitOfZeroKeepsEveryStep) {
  CUndoManager unlimited(0);
  for (int i = 0; i < 30; ++i) {
    unlimited.BeginStep();
    unlimited.AppendRecord(new CUndoRecord);
    unlimited.EndStep();
  }
  EXPECT_EQ(30, unlimited.GetStepCount());
}

TEST_F(UndoManagerTest, UndoPlaysTheNewestStepBackwardsWithRecordingSuspended) {
  ManagerView view(&manager);
  Command({"old"});
  Command({"first", "second", "third"});
  log.clear();
  manager.BeginStep();  // even inside an open level, playback records nothing
  EXPECT_TRUE(manager.PlayLastStep(&view));
  manager.EndStep();
  EXPECT_EQ((std::vector<std::string>{"third", "second", "first", "~third", "~second", "~first"}),
            log);
  EXPECT_EQ((std::vector<int>{0, 0, 0}), depthsSeen);
  EXPECT_EQ(1, manager.GetStepCount());
  EXPECT_EQ(0, manager.GetDepth());
}

TEST_F(UndoManagerTest, UndoWithoutStepsDoesNothing) {
  FakeBlockView view;
  EXPECT_FALSE(manager.PlayLastStep(&view));
  manager.RemoveLastStep();
  EXPECT_EQ(nullptr, manager.GetStep(-1));
}

TEST_F(UndoManagerTest, ARepaintRequestPutsOneRepaintRecordFirst) {
  Command({"a", "b"}, 1);
  CUndoStep* step = manager.GetStep(-1);
  ASSERT_EQ(3, step->GetSize());
  EXPECT_EQ(CUndoRecord::kRepaint, step->GetRecord(0)->m_kind);
  EXPECT_EQ(CUndoRecord::kOrdinary, step->GetRecord(1)->m_kind);

  // Asked for while the step already has records: inserted at the front, once.
  manager.BeginStep();
  manager.AppendRecord(Record("c"));
  manager.AppendRepaintRecord();
  manager.AppendRepaintRecord();
  manager.AppendRecord(Record("d"));
  manager.EndStep();
  step = manager.GetStep(-1);
  ASSERT_EQ(3, step->GetSize());
  EXPECT_TRUE(step->BeginsWithRepaint());

  // Asked for before the first record: served by that record's arrival.
  manager.BeginStep();
  manager.AppendRepaintRecord();
  EXPECT_EQ(2, manager.GetStepCount());
  manager.AppendRecord(Record("e"));
  manager.EndStep();
  step = manager.GetStep(-1);
  ASSERT_EQ(2, step->GetSize());
  EXPECT_TRUE(step->BeginsWithRepaint());

  // Outside a step nothing happens to the closed steps.
  manager.AppendRepaintRecord();
  EXPECT_EQ(2, manager.GetStep(-1)->GetSize());
}

TEST_F(UndoManagerTest, ALostStepIsReportedAndTheRecordDropped) {
  MessageBoxCapture boxes;
  manager.BeginStep();
  manager.AppendRecord(Record("a"));
  manager.RemoveLastStep();
  log.clear();
  EXPECT_EQ(-1, manager.AppendRecord(Record("b")));
  EXPECT_EQ(std::vector<std::string>{"~b"}, log);
  manager.AppendRepaintRecord();
  manager.EndStep();
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_EQ("Cant't AppendUndoItem,Because can't find UndoStep!", boxes.Boxes()[0].text);
  EXPECT_EQ("Error", boxes.Boxes()[0].caption);
  EXPECT_EQ("Cant't AppendUndo Repaint Item,Because can't find UndoStep!", boxes.Boxes()[1].text);
}

TEST_F(UndoManagerTest, DestroyingTheManagerFreesEveryRecord) {
  {
    CUndoManager owner(10);
    for (const char* name : {"a", "b"}) {
      owner.BeginStep();
      owner.AppendRecord(Record(name));
      owner.EndStep();
    }
  }
  EXPECT_EQ((std::vector<std::string>{"~b", "~a"}), log);
}

TEST_F(UndoManagerTest, ARecordNeverActsOnABlockDeletedOutsideRecording) {
  FakeBlockView view;
  HandleBlock* block = new HandleBlock;
  manager.BeginStep();
  manager.AppendRecord(new CUndoMoveRecord(block, 5, 5));
  manager.AppendRecord(new CUndoAttrRecord(block, 0x100));
  manager.AppendRecord(new CUndoDeselectRecord(block));
  manager.EndStep();
  // Deleted while nothing records: no step may keep using it.
  delete block;
  auto* move = static_cast<CUndoBlockRecord*>(manager.GetStep(-1)->GetRecord(0));
  EXPECT_EQ(nullptr, move->GetBlock());
  EXPECT_TRUE(manager.PlayLastStep(&view));
  EXPECT_EQ(0, manager.GetStepCount());
}

TEST_F(UndoManagerTest, RecordsGoneBeforeTheirBlockLeaveNoTrace) {
  HandleBlock block;
  {
    CUndoManager shortLived(10);
    shortLived.BeginStep();
    shortLived.AppendRecord(new CUndoMoveRecord(&block, 1, 1));
    shortLived.EndStep();
  }
  // The block outlives its records; its destruction must not reach them.
  CUndoMoveRecord* offered = new CUndoMoveRecord(&block, 1, 1);
  EXPECT_EQ(-1, manager.AppendRecord(offered));
}

TEST_F(UndoManagerTest, DeepNestingShowsItsDepthInTheStatusPane) {
  MainWindowCapture mainWindow;
  for (int level = 0; level < 8; ++level) manager.BeginStep();
  for (int level = 0; level < 8; ++level) manager.EndStep();
  const auto& commands = mainWindow.Commands();
  ASSERT_EQ(8u, commands.size());
  for (const auto& command : commands) EXPECT_EQ(32850u, command.id);
  EXPECT_EQ("", commands[5].text);
  EXPECT_EQ("iStartRecord=6,iStartRecord", commands[6].text);
  EXPECT_EQ("iStartRecord=7,iStartRecord", commands[7].text);
}

// TALVEX42.INI in the program folder with the given "UndoStep", removed again at the end.
class ProgramIniScope {
public:
  explicit ProgramIniScope(int undoSteps) {
    char folder[MAX_PATH * 4];
    EXPECT_TRUE(GetProgramDir(folder, sizeof folder));
    m_path = std::string(folder) + "TALVEX42.INI";
    m_existed = ::GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!m_existed) CIniFile().WriteInt("SystemParam", "UndoStep", undoSteps);
  }
  ~ProgramIniScope() {
    if (!m_existed) ::DeleteFileA(m_path.c_str());
  }
  bool Usable() const { return !m_existed; }

private:
  std::string m_path;
  bool m_existed = false;
};

TEST(UndoManagerLimit, ComesFromTheProgramSettingsFile) {
  EXPECT_EQ(10, CUndoManager(10).GetStepLimit());
  ProgramIniScope ini(3);
  if (!ini.Usable()) GTEST_SKIP() << "the program folder holds a settings file of its own";
  CUndoManager manager;
  EXPECT_EQ(3, manager.GetStepLimit());
  for (int i = 0; i < 6; ++i) {
    manager.BeginStep();
    manager.AppendRecord(new CUndoRecord);
    manager.EndStep();
  }
  EXPECT_EQ(4, manager.GetStepCount());
}

TEST(UndoRecords, MoveAndSelectionRecordsPutTheBlockBack) {
  FakeBlockView view;
  HandleBlock block;
  block.m_selected = 1;
  view.undo.BeginStep();
  view.undo.AppendRecord(new CUndoMoveRecord(&block, 2, -3));
  view.undo.AppendRecord(new CUndoSelectRecord(&block));
  view.undo.EndStep();
  block.Offset(2, -3);
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(10.0f, block.m_box.left);
  EXPECT_EQ(10.0f, block.m_box.top);
  EXPECT_EQ(0, block.m_selected);

  view.undo.BeginStep();
  view.undo.AppendRecord(new CUndoDeselectRecord(&block));
  view.undo.EndStep();
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(1, block.m_selected);
}

TEST(UndoRecords, ATransformRecordAppliesTheInverseAndRestoresTheBox) {
  FakeBlockView view;
  HandleBlock block;
  block.m_box = CFRect(0, 0, 10, 20);
  CMatrix2D rotation = MakeRotationMatrix(5, 10, 30);
  view.undo.BeginStep();
  view.undo.AppendRecord(new CUndoTransformRecord(&block, rotation));
  view.undo.EndStep();
  block.Transform(rotation);
  block.m_box = CFRect(-1, -2, 13, 21);  // whatever the transform made of it
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(0.0f, block.m_box.left);
  EXPECT_EQ(20.0f, block.m_box.bottom);
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(i % 4 == 0 ? 1.0f : 0.0f, block.m_matrix.m[i], 1e-5) << i;
}

// What the user sees of a block: its outline on the page.
std::vector<POINTREC> Outline(CBlock& block) {
  std::unique_ptr<CContour> contour(block.GetContour(nullptr, 0));
  return contour ? contour->GetPoints() : std::vector<POINTREC>();
}

TEST(UndoRecords, ATransformWithoutInverseIsUndoneToTheOutlineItHadBefore) {
  CMatrix2D flatten;  // every point onto the line x = 5
  flatten.m[0] = 0.0f;
  flatten.m[6] = 5.0f;
  CGroupBlock* nested = new CGroupBlock;
  nested->m_matrix.m[7] = 3.0f;
  nested->AddChild(MakeSquareCurve(40, 0, 10));
  CGroupBlock group;
  group.AddChild(MakeSquareCurve(0, 0, 10));
  group.AddChild(MakeCurve({{0, 20, 0x11}, {30, 25, 0x21}}));
  group.AddChild(nested);
  group.m_matrix.m[6] = 2.0f;
  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(100, 100, 20));
  curve->m_matrix.m[0] = 2.0f;
  for (CBlock* block : std::initializer_list<CBlock*>{curve.get(), &group}) {
    FakeBlockView view;
    std::vector<POINTREC> before = Outline(*block);
    CFRect box = block->m_box;
    view.undo.BeginStep();
    view.undo.AppendRecord(new CUndoTransformRecord(block, flatten));
    view.undo.EndStep();
    block->Transform(flatten);
    ASSERT_NE(before, Outline(*block));
    view.undo.PlayLastStep(&view);
    EXPECT_EQ(before, Outline(*block)) << int(block->m_type);
    EXPECT_EQ(box.left, block->m_box.left);
    EXPECT_EQ(box.bottom, block->m_box.bottom);
  }
}

TEST(UndoRecords, ToolAndEditingRecordsRestoreTheViewsState) {
  FakeBlockView view;
  HandleBlock block;
  view.tool = kNodeTool;
  view.editBlock = &block;
  view.undo.BeginStep();
  view.undo.AppendRecord(new CUndoToolRecord(kSelectTool));
  view.undo.AppendRecord(new CUndoBeginEditRecord(&block));
  view.undo.EndStep();
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(nullptr, view.editBlock);
  EXPECT_EQ(kSelectTool, view.tool);

  view.undo.BeginStep();
  view.undo.AppendRecord(new CUndoEndEditRecord(&block, kNodeTool));
  view.undo.EndStep();
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(&block, view.editBlock);
}

}  // namespace
