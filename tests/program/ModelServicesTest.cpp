// The program objects give the model its sinks and services: once they are built, curves cut
// through the program's cutter profile and a group reaches the transform library through the
// program's wrapper (the test add-on stands in for the library). No window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/ProgramObjects.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "support/MessageBoxCapture.h"

namespace {

const char kAddon[] = "TestAddon.dll";

std::string AddonProbe() {
  HMODULE addon = GetModuleHandleA(kAddon);
  if (!addon) return "";
  typedef const char*(__cdecl * ProbeEntry)();
  ProbeEntry probe = reinterpret_cast<ProbeEntry>(
      reinterpret_cast<void*>(GetProcAddress(addon, "TestAddonProbe")));
  return probe ? probe() : "";
}

TEST(ModelServices, TheProgramsCutterProfileAndTransformWrapperServeTheModel) {
  EXPECT_EQ(static_cast<CCutSink*>(&g_cutterDevice), CModelServices::CutSink());
  EXPECT_EQ(static_cast<CTransformService*>(&g_transformDll), CModelServices::Transform());
}

TEST(ModelServices, AGroupReachesTheTransformLibrary) {
  MessageBoxCapture boxes;
  ASSERT_NE(nullptr, g_transformDll.Bind(kAddon));
  CGroupBlock group;
  group.AddChild(MakeSquareCurve(0, 0, 10));
  group.AddChild(MakeSquareCurve(20, 0, 10));
  HANDLE transform = g_transformDll.InitTransformSeg(2, group.m_box);

  std::unique_ptr<CBlock> result(group.CreateTransformed(transform, CFRect(0, 0, 60, 40)));
  HGLOBAL record = nullptr;
  int length = group.WriteRecord(&record);
  ::GlobalFree(record);
  EXPECT_EQ("DoTransform 102 " + std::to_string(length) + " 0.0 10.0 0.0 40.0", AddonProbe());
  // The add-on hands the record back unchanged: the same two squares come out.
  ASSERT_NE(nullptr, result);
  ASSERT_EQ(kGroupBlock, result->m_type);
  EXPECT_EQ(2, static_cast<CGroupBlock*>(result.get())->GetChildCount());
  EXPECT_FLOAT_EQ(30, result->m_box.right);

  g_transformDll.Unload();
  EXPECT_EQ(nullptr, group.CreateTransformed(transform, CFRect(0, 0, 60, 40)));
  EXPECT_EQ(0u, boxes.Count());
}

}  // namespace
