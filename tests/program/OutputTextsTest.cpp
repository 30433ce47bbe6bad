// The cut output's messages against the editor's resources, without windows: each is a string
// resource whose built-in Chinese text is the one the code falls back to, and the English library
// has its own text with the same conversions in the same order (a format is never given arguments
// it does not expect).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "output/OutputTexts.h"

namespace {

HMODULE EnglishLibrary() {
  static HMODULE library = [] {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.rfind('\\') + 1);
    return LoadLibraryExA((folder + "program\\RCT42Eng.DLL").c_str(), nullptr,
                          LOAD_LIBRARY_AS_DATAFILE);
  }();
  return library;
}

std::string StringOf(HMODULE module, UINT id) {
  char text[1024] = {};
  LoadStringA(module, id, text, sizeof text);
  return text;
}

// The conversions of a format, in order ("%s", "%.*s", "%d").
std::vector<std::string> Conversions(const std::string& format) {
  std::vector<std::string> found;
  for (size_t at = format.find('%'); at != std::string::npos; at = format.find('%', at + 1)) {
    size_t end = format.find_first_of("sdiuxX%", at + 1);
    if (end == std::string::npos) break;
    found.push_back(format.substr(at, end - at + 1));
    at = end;
  }
  return found;
}

TEST(OutputTexts, AreResourcesWithTheSameConversionsInBothLanguages) {
  ASSERT_NE(nullptr, EnglishLibrary());
  using namespace OutputText;
  // clang-format off
  const Text texts[] = {
      kErrorCaption, kSendFailed, kCutOutput, kClipping, kScaling, kCutting, kTestTitle,
      kResetTitle, kCancel, kFileWritten, kPlugInFailed, kPlugInLost, kPlotterNotAttached,
      kPlotSent, kPlotStopped,
      kPlotRefused, kOffsetRefused,
      kRatioRefused, kOvercutRefused, kUnlistedSpeed, kUnsupportedDataBits, kRunFailed,
      kManagerSilent, kJobFileFailed, kDataPathTooLong, kNoModel, kModelNotListed,
      kSectionMissing, kCommandMissing, kNoResolution, kProfileUnusable, kProfileSectionUnusable,
      kPortRefused, kPortNotOpened, kPortNameRefused, kNotIntegerFormat, kTemplateTooLong,
      kFormatCount, kFormatRange, kStampNotANumber, kStampEmptyFrame, kStampNegative, kStampNoRoom,
      kStampTooManyCharacters, kStampSquareOnly, kStampShapes, kStampTemplates, kNoPrinter, kPrinterDcFailed, kPrintRefused,
      kRatioNotPositive, kMarginsTooWide, kCopiesRange, kNoPrinterName, kCardOutside, kCardCounts,
      kCardBuffer, kCardNothing};
  // clang-format on
  for (const Text& text : texts) {
    SCOPED_TRACE(text.id);
    EXPECT_EQ(text.chinese, StringOf(GetModuleHandleA(nullptr), text.id));
    std::string english = StringOf(EnglishLibrary(), text.id);
    EXPECT_FALSE(english.empty());
    EXPECT_EQ(Conversions(text.chinese), Conversions(english)) << english;
  }
}

}  // namespace
