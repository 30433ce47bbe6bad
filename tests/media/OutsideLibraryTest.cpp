#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "framework/GlobalLock.h"
#include "framework/WinApp.h"
#include "media/DllModule.h"
#include "media/ExpandDll.h"
#include "media/ImportFilterDll.h"
#include "media/TracingDll.h"
#include "media/TransformDll.h"
#include "media/VectorisingDll.h"
#include "media/WeldDll.h"
#include "model/settings/AppProfile.h"
#include "support/MessageBoxCapture.h"

namespace {

const char kAddon[] = "TestAddon.dll";

// What the test library recorded of its last call.
std::string Probe() {
  HMODULE addon = GetModuleHandleA(kAddon);
  if (!addon) return "";
  typedef const char*(__cdecl * ProbeEntry)();
  ProbeEntry probe = reinterpret_cast<ProbeEntry>(
      reinterpret_cast<void*>(GetProcAddress(addon, "TestAddonProbe")));
  return probe ? probe() : "";
}

std::string TextOf(HGLOBAL block) {
  CGlobalLock lock(block);
  std::string text = lock.Data() ? reinterpret_cast<const char*>(lock.Data()) : "";
  return text;
}

HGLOBAL BlockOf(const char* text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
  memcpy(GlobalLock(block), text, strlen(text) + 1);
  GlobalUnlock(block);
  return block;
}

TEST(CTransformDll, ListsTransformationsInTheAskedLanguage) {
  CTransformDll transforms;
  ASSERT_NE(nullptr, transforms.Bind(kAddon));
  EXPECT_EQ(3, transforms.GetTransformCount());  // the high 16 bits of the answer are dropped
  CString name;
  HBITMAP preview = nullptr;
  ASSERT_TRUE(transforms.GetTransformInfo(2, true, name, &preview));
  EXPECT_EQ(CString("变形2"), name);
  ASSERT_NE(nullptr, preview);
  BITMAP bitmap = {};
  GetObjectA(preview, sizeof bitmap, &bitmap);
  EXPECT_EQ(60, bitmap.bmWidth);
  DeleteObject(preview);
  ASSERT_TRUE(transforms.GetTransformInfo(3, false, name, nullptr));
  EXPECT_EQ(CString("Transform 3"), name);
  EXPECT_FALSE(transforms.GetTransformInfo(4, false, name, nullptr));
  EXPECT_FALSE(transforms.GetTransformInfo(0, false, name, nullptr));
}

TEST(CTransformDll, PassesFloatsMatricesAndRecordData) {
  CTransformDll transforms;
  ASSERT_NE(nullptr, transforms.Bind(kAddon));
  HMODULE module = transforms.GetModule();
  EXPECT_EQ(module, transforms.Bind());  // bound once

  HANDLE transform = transforms.InitTransformSeg(2, CFRect(1.5f, 2.5f, 10.0f, 20.25f));
  EXPECT_EQ("InitTransformSeg 2 1.50 2.50 10.00 20.25", Probe());
  CMatrix2D matrix;
  matrix.m[0] = 2.0f;
  matrix.m[6] = 7.5f;
  transforms.TFTransSegData(transform, matrix);
  EXPECT_EQ("TFTransSegData 102 2.00 7.50", Probe());
  EXPECT_EQ(1, transforms.DoMouseCmd(transform, 0x201, 1, 3.25f, 4.75f));
  EXPECT_EQ("DoMouseCmd 513 1 3.25 4.75", Probe());

  HGLOBAL data = nullptr;
  EXPECT_EQ(5, transforms.TFCreateData(transform, &data));
  ASSERT_NE(nullptr, data);
  GlobalFree(data);
  const BYTE stored[] = {'Q', 'R'};
  EXPECT_NE(nullptr, transforms.TFCreateTransformFromData(stored, 2));
  EXPECT_EQ("TFCreateTransformFromData 2 Q", Probe());
  EXPECT_EQ(nullptr, transforms.TFCreateTransformFromData(stored, 0));
  transforms.DeleteTransform(transform);
  EXPECT_EQ("DeleteTransform 102", Probe());

  // Nothing to transform gives nothing.
  TransformParams params = {};
  EXPECT_EQ(nullptr, transforms.DoTransform(transform, params));
  // Entries the library lacks are not called.
  EXPECT_EQ(0, transforms.TFKeyDown(transform, VK_LEFT, 0));
  EXPECT_EQ(0, transforms.TFOnChar(transform, 'a', 0));
  transforms.DrawTransform(nullptr, transform, matrix);
  CMatrix2D out;
  transforms.TFGetTransformMatrix(transform, &out);
  EXPECT_TRUE(out.IsIdentity());
}

TEST(CTransformDll, AMissingLibraryIsReportedAndEveryCallDoesNothing) {
  MessageBoxCapture boxes;
  CTransformDll transforms;
  EXPECT_EQ(CString(CTransformDll::kLibraryName), transforms.GetPath());
  EXPECT_EQ(nullptr, transforms.Bind("NoTransformLibrary.dll"));
  EXPECT_EQ(1u, boxes.Count());
  EXPECT_FALSE(transforms.IsLoaded());
  EXPECT_EQ(0, transforms.GetTransformCount());
  CString name("old");
  EXPECT_FALSE(transforms.GetTransformInfo(1, true, name, nullptr));
  EXPECT_TRUE(name.IsEmpty());
  EXPECT_EQ(nullptr, transforms.InitTransformSeg(1, CFRect(0, 0, 1, 1)));
  HGLOBAL data = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(0, transforms.TFCreateData(nullptr, &data));
  EXPECT_EQ(nullptr, data);
}

TEST(CTransformDll, EntriesAreDroppedWhenTheLibraryIsUnloaded) {
  CTransformDll transforms;
  ASSERT_NE(nullptr, transforms.Bind(kAddon));
  transforms.Unload();
  EXPECT_EQ(0, transforms.GetTransformCount());
  EXPECT_EQ(nullptr, transforms.InitTransformSeg(1, CFRect(0, 0, 1, 1)));
  // A plain reload without binding does not bring stale entries back.
  ASSERT_NE(nullptr, transforms.Load());
  EXPECT_EQ(0, transforms.GetTransformCount());
  ASSERT_NE(nullptr, transforms.Bind());
  EXPECT_EQ(3, transforms.GetTransformCount());
}

TEST(CWeldDll, CallsBoundEntriesAndRefusesMissingOnes) {
  CWeldDll weld;
  ASSERT_NE(nullptr, weld.Bind(kAddon));
  HGLOBAL first = BlockOf("a");
  HGLOBAL second = BlockOf("b");
  WeldOperand a = MakeWeldOperand(first, 2, CFRect(1, 2, 3, 4));
  WeldOperand b = MakeWeldOperand(second, 2, CFRect(5, 6, 7, 8));
  HGLOBAL result = weld.Weld(a, b);
  EXPECT_EQ("Weld 2 1.0 2.0 3.0 4.0 7.0 8.0 1", Probe());
  EXPECT_EQ("welded", TextOf(result));
  GlobalFree(result);
  result = weld.WeldAnd(a, b);
  EXPECT_EQ("and", TextOf(result));
  GlobalFree(result);
  result = weld.FigureCut(a, b, 0);
  EXPECT_EQ("FigureCut 1 7.0 8.0 0", Probe());
  GlobalFree(result);
  EXPECT_EQ(nullptr, weld.WeldXor(a, b));
  EXPECT_EQ(nullptr, weld.WeldCut(a, b));
  EXPECT_EQ(nullptr, weld.LineCut(a, b, 1));
  EXPECT_EQ(nullptr, weld.SelfWeld(a));
  GlobalFree(first);
  GlobalFree(second);
}

TEST(CWeldDll, TheOperandIsLengthBoxBoxAndHandleInThatOrder) {
  HGLOBAL records = reinterpret_cast<HGLOBAL>(static_cast<INT_PTR>(0x1234));
  WeldOperand operand = MakeWeldOperand(records, 77, CFRect(1, 2, 3, 4));
  BYTE bytes[sizeof operand];
  memcpy(bytes, &operand, sizeof operand);
  INT32 length = 0;
  float floats[8] = {};
  HGLOBAL handle = nullptr;
  memcpy(&length, bytes, 4);
  memcpy(floats, bytes + 4, sizeof floats);
  memcpy(&handle, bytes + 36, sizeof handle);
  EXPECT_EQ(77, length);
  const float expected[8] = {1, 2, 3, 4, 1, 2, 3, 4};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(expected[i], floats[i]) << i;
  EXPECT_EQ(records, handle);
  EXPECT_EQ(36 + sizeof(HGLOBAL), sizeof operand);
}

TEST(CWeldDll, WithoutTheLibraryEveryCallGivesNull) {
  MessageBoxCapture boxes;
  CWeldDll weld;
  EXPECT_EQ(nullptr, weld.Bind("NoWeld.dll"));
  WeldOperand a = MakeWeldOperand(nullptr, 0, CFRect());
  EXPECT_EQ(nullptr, weld.Weld(a, a));
  EXPECT_EQ(nullptr, weld.FigureCut(a, a, 0));
}

TEST(CExpandDll, PassesTheFourDoublesAndTheMode) {
  CExpandDll expand;
  ASSERT_NE(nullptr, expand.Bind(kAddon));
  HGLOBAL group = BlockOf("group");
  ExpandParams params = {5.0, 120.0, 50.0, 1e-10, 1};
  HGLOBAL result = expand.Expand(group, params);
  EXPECT_EQ("Expand 1 5.00 120.00 50.00 1e-10 1", Probe());
  EXPECT_EQ("expanded", TextOf(result));
  GlobalFree(result);
  EXPECT_EQ(nullptr, expand.ExpandOutLine(group, params));  // not exported
  EXPECT_EQ(nullptr, expand.Expand(nullptr, params));
  GlobalFree(group);
}

TEST(CImportFilterDll, ReadsFiltersAndFilesThroughTheLibrary) {
  CImportFilterDll filter;
  ASSERT_NE(nullptr, filter.Bind(kAddon));
  EXPECT_EQ(7, filter.GetVersion());
  EXPECT_TRUE(filter.CanUse(42));
  EXPECT_FALSE(filter.CanUse(1));
  CString text;
  ASSERT_TRUE(filter.GetFilters(text));
  EXPECT_EQ(CString("Sign files (*.SGN)|*.SGN|"), text);
  HGLOBAL content = filter.FilterRead("C:\\in.sgn", 1181.1024f);
  EXPECT_EQ("FilterRead C:\\in.sgn 1181.1024 0", Probe());
  EXPECT_EQ("content", TextOf(content));
  GlobalFree(content);
  content = filter.FilterRead("C:\\in.sgn");
  EXPECT_EQ("FilterRead C:\\in.sgn 0.0000 0", Probe());
  GlobalFree(content);
  // It loads again each time it is bound.
  EXPECT_NE(nullptr, filter.Bind(kAddon));
  EXPECT_EQ(7, filter.GetVersion());
}

TEST(CImportFilterDll, WithoutTheLibraryNothingIsOffered) {
  MessageBoxCapture boxes;
  CImportFilterDll filter;
  EXPECT_EQ(nullptr, filter.Bind("NoFilter.dll"));
  CString text("old");
  EXPECT_FALSE(filter.GetFilters(text));
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_FALSE(filter.CanUse(42));
  EXPECT_EQ(nullptr, filter.FilterRead("C:\\in.sgn"));
}

// Settings from a table; keys it lacks read as their defaults.
class TableSettings : public CVectorSettingsReader {
public:
  std::map<std::string, float> values;
  mutable int reads = 0;
  float GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const override {
    ++reads;
    auto found = values.find(std::string(section) + "/" + key);
    return found == values.end() ? defaultValue : found->second;
  }
  int GetInt(LPCSTR section, LPCSTR key, int defaultValue) const override {
    ++reads;
    auto found = values.find(std::string(section) + "/" + key);
    return found == values.end() ? defaultValue : static_cast<int>(found->second);
  }
};

HGLOBAL Plane(int width, int height) {
  HGLOBAL plane = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(width) * height);
  static_cast<BYTE*>(GlobalLock(plane))[0] = 9;
  GlobalUnlock(plane);
  return plane;
}

ImageVectorParams ParamsOf(HGLOBAL result) {
  ImageVectorParams params = {};
  CGlobalLock lock(result);
  if (lock.Data() && lock.Size() >= sizeof params) memcpy(&params, lock.Data(), sizeof params);
  return params;
}

TEST(CTracingDll, SendsTheFixedValuesWithTheDefaultDelta) {
  TableSettings settings;
  settings.values["TRACE/AlignThreshold"] = 9.0f;  // not read while Delta is not negative
  CTracingDll tracer;
  tracer.SetSettingsReader(&settings);
  ASSERT_NE(nullptr, tracer.Bind(kAddon));
  HGLOBAL plane = Plane(4, 3);
  HWND window = GetDesktopWindow();
  HGLOBAL result = tracer.Trace(plane, 4, 3, window);
  ASSERT_NE(nullptr, result);
  EXPECT_EQ("ImageVector 4 3 9", Probe());
  ImageVectorParams sent = ParamsOf(result);
  EXPECT_EQ(50, sent.Delta);
  EXPECT_EQ(4, sent.width);
  EXPECT_EQ(window, sent.window);
  EXPECT_FLOAT_EQ(0.5f, sent.AlignThreshold);
  EXPECT_FLOAT_EQ(30.0f, sent.ReparameterizeThreshold);
  EXPECT_EQ(1, settings.reads);
  GlobalFree(result);
  GlobalFree(plane);
}

TEST(CTracingDll, ANegativeDeltaReadsEveryKeyAndTruncatesIntegers) {
  TableSettings settings;
  settings.values["TRACE/Delta"] = -1.0f;
  settings.values["TRACE/CornerSurround"] = 7.9f;
  settings.values["TRACE/LineThreshold"] = 0.75f;
  CTracingDll tracer;
  tracer.SetSettingsReader(&settings);
  tracer.RefreshParams();
  const ImageVectorParams& params = tracer.GetParams();
  EXPECT_EQ(-1, params.Delta);
  EXPECT_EQ(7, params.CornerSurround);
  EXPECT_FLOAT_EQ(0.75f, params.LineThreshold);
  EXPECT_FLOAT_EQ(0.33f, params.FilterPercent);
  EXPECT_EQ(21, settings.reads);
}

TEST(CTracingDll, RefusesSmallOrMissingPlanesWithoutCallingTheLibrary) {
  CTracingDll tracer;
  ASSERT_NE(nullptr, tracer.Bind(kAddon));
  HGLOBAL plane = Plane(3, 3);
  EXPECT_EQ(nullptr, tracer.Trace(plane, 2, 3, nullptr));
  EXPECT_EQ(nullptr, tracer.Trace(plane, 3, 2, nullptr));
  EXPECT_EQ(nullptr, tracer.Trace(nullptr, 3, 3, nullptr));
  // A plane smaller than width x height would be read past its end.
  EXPECT_EQ(nullptr, tracer.Trace(plane, 30, 30, nullptr));
  GlobalFree(plane);

  MessageBoxCapture boxes;
  CTracingDll missing;
  EXPECT_EQ(nullptr, missing.Bind("NoTrace.dll"));
  HGLOBAL other = Plane(3, 3);
  EXPECT_EQ(nullptr, missing.Trace(other, 3, 3, nullptr));
  GlobalFree(other);
}

TEST(CVectorisingDll, PresetsFollowDelta) {
  TableSettings settings;
  CVectorisingDll vectoriser;
  vectoriser.SetSettingsReader(&settings);
  const ImageVectorParams& params = vectoriser.GetParams();

  vectoriser.RefreshParams();  // default Delta 2
  EXPECT_EQ(2, params.Delta);
  EXPECT_EQ(2, params.FilterIterationCount);
  EXPECT_EQ(2, params.TangentSurround);
  EXPECT_FLOAT_EQ(40.0f, params.ReparameterizeThreshold);

  settings.values["VECTOR/Delta"] = 3;
  vectoriser.RefreshParams();
  EXPECT_FLOAT_EQ(0.8f, params.AlignThreshold);
  EXPECT_EQ(3, params.FilterIterationCount);
  EXPECT_EQ(6, params.SubdivideSurround);

  settings.values["VECTOR/Delta"] = 4;
  vectoriser.RefreshParams();
  EXPECT_FLOAT_EQ(1.0f, params.AlignThreshold);
  EXPECT_EQ(4, params.FilterIterationCount);
  EXPECT_FLOAT_EQ(2.0f, params.FilterAlternativeSurround);

  settings.values["VECTOR/Delta"] = 1;
  vectoriser.RefreshParams();
  EXPECT_FLOAT_EQ(0.1f, params.LineThreshold);
  EXPECT_FLOAT_EQ(120.0f, params.CornerThreshold);
  EXPECT_EQ(1, params.FilterIterationCount);

  settings.values["VECTOR/Delta"] = 9;  // no preset: the fixed values
  vectoriser.RefreshParams();
  EXPECT_FLOAT_EQ(0.5f, params.AlignThreshold);
  EXPECT_EQ(3, params.FilterIterationCount);
  EXPECT_EQ(4, params.TangentSurround);

  settings.values["VECTOR/Delta"] = -5;
  settings.values["VECTOR/ReparameterizeThreshold"] = 12.5f;
  vectoriser.RefreshParams();
  EXPECT_FLOAT_EQ(12.5f, params.ReparameterizeThreshold);
  EXPECT_EQ(3, params.FilterIterationCount);
}

void DeleteKeyTree(HKEY parent, LPCSTR name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    DeleteKeyTree(key, child);
    length = sizeof child;
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, name);
}

// The application's profile under a key of its own, removed afterwards.
class ProfileSettingsTest : public ::testing::Test {
protected:
  ProfileSettingsTest() : m_app("TALVEX42") {
    m_app.SetRegistryKey(kKey);
    m_profile.Attach();
  }
  ~ProfileSettingsTest() override {
    DeleteKeyTree(HKEY_CURRENT_USER, (std::string("Software\\") + kKey).c_str());
  }

  static constexpr char kKey[] = "TalvexMediaTestKey";
  CWinApp m_app;
  CAppProfile m_profile;
};

TEST_F(ProfileSettingsTest, TracingAndVectorisingReadTheApplicationProfile) {
  m_profile.WriteFloat("TRACE", "Delta", -1.0f);
  m_profile.WriteFloat("TRACE", "FilterEpsilon", 7.25f);
  m_profile.WriteFloat("TRACE", "TangentSurround", 6.0f);
  CTracingDll tracer;
  tracer.RefreshParams();
  EXPECT_EQ(-1, tracer.GetParams().Delta);
  EXPECT_FLOAT_EQ(7.25f, tracer.GetParams().FilterEpsilon);
  EXPECT_EQ(6, tracer.GetParams().TangentSurround);
  EXPECT_FLOAT_EQ(0.5f, tracer.GetParams().AlignThreshold);

  m_profile.WriteInt("VECTOR", "Delta", 4);
  CVectorisingDll vectoriser;
  vectoriser.RefreshParams();
  EXPECT_EQ(4, vectoriser.GetParams().Delta);
  EXPECT_EQ(4, vectoriser.GetParams().FilterIterationCount);
}

}  // namespace
