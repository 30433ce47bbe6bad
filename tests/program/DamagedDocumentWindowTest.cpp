// Damaged documents opened through the File menu in the editor's main frame under Xvfb, damaged
// as lost bytes damage a file: a curve whose end record carries the flag of an open end (read as
// a point it would draw a line to the page's origin), and a curve with a point 665 m off the page.
// The document says once, in the user's words, that it was damaged and mended and what it kept;
// the status bar then does not say that the open went well; the first curve is read as it was
// written, the second is left out and "show all" keeps to the drawing. Saved through the menu and
// opened again, the document is the same drawing and says nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "model/DamagedDocumentCheck.h"
#include "model/blocks/CurveBlock.h"
#include "support/FileContents.h"
#include "support/FileDialogAnswer.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

using damaged_documents::Bytes;
using damaged_documents::Find;

std::string Loaded(UINT id, int first = 0, int second = 0) {
  CString format, text;
  format.LoadString(id);
  text.Format(format, first, second);
  return std::string(text);
}

class DamagedDocumentWindow : public EditorWindowTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenEditorWindow()); }
  void TearDown() override { CloseEditorWindow(); }

  // The document opened through the File menu, with the status bar's text as the open left it;
  // its block records.
  std::vector<Bytes> OpenThroughMenu(const std::string& path, std::string* status) {
    theApp.CloseAllDocuments(FALSE);
    PumpMessages();
    {
      FileDialogAnswer answer(path);
      m_main->SendMessage(WM_COMMAND, ID_FILE_OPEN, 0);
      *status = m_main->GetStatusBar().GetPaneText(0);
      PumpMessages();
    }
    std::vector<Bytes> records;
    CDocument* opened = m_main->GetActiveFrame()->GetActiveDocument();
    EXPECT_NE(nullptr, opened);
    if (!opened) return records;
    OpenView(opened);
    for (INT_PTR i = 0; i < m_document->GetBlockList().GetSize(); ++i)
      records.push_back(RecordOf(*m_document->GetBlockList().GetBlock(i)));
    return records;
  }

  TempFolder m_folder;
};

TEST_F(DamagedDocumentWindow, SaysOnceWhatItKeptAndSavesTheSameDrawing) {
  // An open path and a square, saved as the program saves them.
  std::unique_ptr<CCurveBlock> path(MakeCurve({{50, 50, 0x11}, {150, 50, 0x01}, {150, 120, 0x21}}));
  std::unique_ptr<CCurveBlock> square(MakeSquareCurve(200, 100, 40));
  const Bytes pathRecord = RecordOf(*path), squareRecord = RecordOf(*square);
  m_document->AddBlock(path->Clone());
  m_document->AddBlock(square->Clone());
  const std::string saved = m_folder.File("signs.t42");
  {
    FileDialogAnswer answer(saved);
    Menu(ID_FILE_SAVE_AS);
  }
  const Bytes good = ReadFileBytes(saved);
  const size_t pathAt = Find(good, pathRecord), squareAt = Find(good, squareRecord);
  ASSERT_LT(squareAt, good.size());

  const float farOff = 665000.0f;
  const struct {
    const char* what;
    size_t at;  // where the damage goes
    Bytes bytes;
    std::vector<Bytes> kept;
    std::string message;
  } cases[] = {
      {"the end record's flag an open end",
       pathAt + pathRecord.size() - 2,
       {0x21},
       {pathRecord, squareRecord},
       Loaded(IDS_DOC_DAMAGED_MENDED, 2)},
      {"a point of the square 665 m down",
       squareAt + CCurveBlock::kRecordFixedSize + 9 + 4,
       Bytes(reinterpret_cast<const BYTE*>(&farOff), reinterpret_cast<const BYTE*>(&farOff) + 4),
       {pathRecord},
       Loaded(IDS_DOC_DAMAGED_LEFT_OUT, 1, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes damaged = good;
    std::copy(c.bytes.begin(), c.bytes.end(), damaged.begin() + c.at);
    const std::string file = m_folder.File("damaged.t42");
    WriteFileBytes(file, damaged);
    MessageBoxCapture boxes;
    std::string status;
    std::vector<Bytes> read = OpenThroughMenu(file, &status);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(c.message, boxes.Last().text);
    EXPECT_EQ(Loaded(IDS_DOC_DAMAGED_CAPTION), boxes.Last().caption);
    EXPECT_EQ(Loaded(IDS_DOC_DAMAGED_STATUS), status);
    EXPECT_TRUE(read == c.kept);
    CFRect all;
    ASSERT_TRUE(m_document->GetBlocksBounds(&all));
    EXPECT_LE(all.bottom, 200.0f);

    // Saved through the menu and opened again: the same drawing, and nothing to say.
    Menu(ID_FILE_SAVE);
    EXPECT_TRUE(OpenThroughMenu(file, &status) == c.kept);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(Loaded(122), status);
    // The damaged original stays beside it.
    EXPECT_EQ(damaged, ReadFileBytes(file + ".bak"));
  }
}

}  // namespace
