#include "model/editing/FeedbackTools.h"

#include <memory>

#include "framework/Brush.h"
#include "framework/Pen.h"

namespace {

struct Tools {
  std::unique_ptr<CPen> grey;
  std::unique_ptr<CPen> red;
  std::unique_ptr<CPen> blue;
  std::unique_ptr<CPen> blueDotted;
  std::unique_ptr<CPen> green;
  std::unique_ptr<CBrush> redBrush;
  HCURSOR moveCursor = nullptr;
};

Tools& Shared() {
  // The handle map the pens register in must outlive them at exit.
  CGdiObject::HandleMap();
  static Tools tools;
  return tools;
}

CPen* Pen(std::unique_ptr<CPen>& pen, int style, COLORREF colour) {
  if (!pen) pen = std::make_unique<CPen>(style, 1, colour);
  return pen.get();
}

}  // namespace

void CFeedbackTools::Create() {
  GreyPen();
  RedPen();
  BluePen();
  BlueDottedPen();
  GreenPen();
  RedBrush();
}

void CFeedbackTools::Destroy() {
  Tools& tools = Shared();
  tools.grey.reset();
  tools.red.reset();
  tools.blue.reset();
  tools.blueDotted.reset();
  tools.green.reset();
  tools.redBrush.reset();
}

CPen* CFeedbackTools::GreyPen() { return Pen(Shared().grey, PS_SOLID, RGB(128, 128, 128)); }
CPen* CFeedbackTools::RedPen() { return Pen(Shared().red, PS_SOLID, RGB(255, 0, 0)); }
CPen* CFeedbackTools::BluePen() { return Pen(Shared().blue, PS_SOLID, RGB(0, 0, 255)); }
CPen* CFeedbackTools::BlueDottedPen() { return Pen(Shared().blueDotted, PS_DOT, RGB(0, 0, 255)); }
CPen* CFeedbackTools::GreenPen() { return Pen(Shared().green, PS_SOLID, RGB(0, 255, 0)); }

CBrush* CFeedbackTools::RedBrush() {
  std::unique_ptr<CBrush>& brush = Shared().redBrush;
  if (!brush) brush = std::make_unique<CBrush>(RGB(255, 0, 0));
  return brush.get();
}

HCURSOR CFeedbackTools::MoveCursor() {
  return Shared().moveCursor ? Shared().moveCursor : ::LoadCursor(nullptr, IDC_ARROW);
}

void CFeedbackTools::SetMoveCursor(HCURSOR cursor) { Shared().moveCursor = cursor; }
