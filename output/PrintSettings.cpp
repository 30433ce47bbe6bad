#include "output/PrintSettings.h"

#include <cstdlib>

#include "framework/String.h"
#include "model/settings/AppProfile.h"
#include "output/PrintLayout.h"

const char kPrintInfoSection[] = "PrintInfo";

namespace {

const char* const kMarginKeys[4] = {"SpaceLeft", "SpaceTop", "SpaceRight", "SpaceBottom"};
const char kCopies[] = "Copies";
const char kPrintBoard[] = "PrintBoard";
const char kRotate[] = "PrintRotate90";
const char kImages[] = "PrintImage";
const char kMirror[] = "PrintMirror";
const char kZoomType[] = "ZoomType";
const char kRatio[] = "PrintRatio";

}  // namespace

void CPrintSettings::Load(const CAppProfile& profile) {
  const char* s = kPrintInfoSection;
  for (int side = 0; side < 4; ++side) margins[side] = profile.GetFloat(s, kMarginKeys[side], 0);
  copies = profile.GetInt(s, kCopies, 1);
  printBorder = profile.GetInt(s, kPrintBoard, 0) != 0;
  rotate90 = profile.GetInt(s, kRotate, 0) != 0;
  printImages = profile.GetInt(s, kImages, 0) != 0;
  mirror = profile.GetInt(s, kMirror, 0) != 0;
  zoomType = profile.GetInt(s, kZoomType, CPrintLayout::kFitPage);
  ratio = 1.0f;
  if (zoomType > CPrintLayout::kFitDrawing) {
    CString text = profile.GetString(s, kRatio, "1.0");
    ratio = static_cast<float>(atof(text.Left(kRatioLength)));
  }
}

void CPrintSettings::Save(const CAppProfile& profile) const {
  const char* s = kPrintInfoSection;
  for (int side = 0; side < 4; ++side) profile.WriteFloat(s, kMarginKeys[side], margins[side]);
  profile.WriteInt(s, kPrintBoard, printBorder ? 1 : 0);
  profile.WriteInt(s, kRotate, rotate90 ? 1 : 0);
  profile.WriteInt(s, kImages, printImages ? 1 : 0);
  profile.WriteInt(s, kMirror, mirror ? 1 : 0);
  profile.WriteFloat(s, kRatio, ratio);
  profile.WriteInt(s, kCopies, copies);
  profile.WriteInt(s, kZoomType, zoomType);
}
