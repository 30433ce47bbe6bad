// Damaged documents of texts and stamps, read as opening a file reads them (no window): seeded
// mutations of a small document that holds a straight text, a text on an arc and a stamp, with
// the damaged files found so far. Each is refused with its message or opens, whole or with the
// damaged part left out, and saves and reads back with the same records. The mutations are the
// same on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "model/DamagedDocumentCheck.h"
#include "output/StampBlock.h"
#include "support/ByteMutator.h"
#include "text/TextBlock.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

using namespace damaged_documents;

const int kMutants = 1000;

CTextBlock* Text(float x, float y, std::initializer_list<WORD> codes, bool onArc) {
  std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(0, x, y, x + 60, y + 12));
  for (WORD code : codes) {
    CCharBox* box = new CCharBox;
    box->Init(134, code, CTextDefaults::Global());
    text->InsertChar(box);
  }
  if (onArc)
    text->ReplaceEffect(
        std::make_unique<CArcEffect>(x, y, x + 80, y + 30, text->GetBoxArray(), &text->m_matrix));
  text->Relayout(nullptr, -1);
  text->UpdateBox();
  return text.release();
}

CStampBlock* Stamp() {
  CStampParams params;
  params.width = 40;
  params.cornerType = CStampBlock::kRoundCorners;
  params.text = "AB";
  return CStampBlock::CreateCentred(params, 70, 64);
}

class DamagedTextDocuments : public ::testing::Test {
protected:
  DamagedTextDocuments() : m_saved(CTextDefaults::Global()) {
    for (WORD code : {WORD('A'), WORD('B'), WORD(0xB0A1)})
      m_fonts.glyphs[code] = {MakePointRecord(100, 100, kPointStart | kPointOnCurve),
                              MakePointRecord(924, 100, kPointOnCurve),
                              MakePointRecord(924, 924, kPointOnCurve),
                              MakePointRecord(100, 924, kPointClose | kPointOnCurve)};
  }
  ~DamagedTextDocuments() override { CTextDefaults::Global() = m_saved; }

  Bytes Seed() {
    CSegArray blocks;
    blocks.AddBlock(Text(10, 20, {'A', 0xB0A1, 'B'}, false));
    CTextBlock* arc = Text(30, 60, {0xB0A1, 'A', 'B', 'A'}, true);
    m_arcRecord = RecordOf(*arc);
    blocks.AddBlock(arc);
    CStampBlock* stamp = Stamp();
    m_stampRecord = RecordOf(*stamp);
    blocks.AddBlock(stamp);
    return Save(blocks, CAuxObjectList());
  }

  // Where a block's record stands in the file.
  static size_t Find(const Bytes& file, const Bytes& record) {
    return size_t(std::search(file.begin(), file.end(), record.begin(), record.end()) -
                  file.begin());
  }

  // The arc's characters not closed by their end byte (the byte before the record's own end
  // byte, which the stamp's record follows), and the file cut inside the stamp: damage in two
  // places, said once.
  Bytes OpenBoxesAndCutStamp(Bytes file) {
    const size_t stamp = Find(file, m_stampRecord);
    file[stamp - 2] = 0xFA;
    file.resize(stamp + m_stampRecord.size() / 2);
    return file;
  }

  // The arc starting a hair below zero: a turn less so little that it is a whole turn in double
  // (-1e-29) or only in the float it is kept in (-1e-7). Either reads as 0, or the next reading
  // would move the arc from a whole turn to 0.
  Bytes ArcStartJustBelowZero(Bytes file, float angle) {
    const size_t start = Find(file, m_arcRecord) + CTextBlock::kEffectOffset + 18;
    memcpy(&file[start], &angle, sizeof angle);
    return file;
  }

  Bytes m_arcRecord, m_stampRecord;
  CTextDefaults m_saved;
  FakeGlyphSource m_fonts;
};

TEST_F(DamagedTextDocuments, EachIsRefusedWithItsMessageOrOpensAndSavesWithEveryBlock) {
  const Bytes seed = Seed();
  ASSERT_LT(Find(seed, m_arcRecord), Find(seed, m_stampRecord));
  ASSERT_LT(Find(seed, m_stampRecord), seed.size());
  ByteMutator mutator(0x7E47);
  std::vector<Bytes> inputs = {seed, OpenBoxesAndCutStamp(seed),
                               ArcStartJustBelowZero(seed, -1e-29f),
                               ArcStartJustBelowZero(seed, -1e-7f)};
  for (int i = 0; i < kMutants; ++i) inputs.push_back(mutator.Mutate(seed));
  ExpectEachRefusedOrReopened(inputs, 1, 3);
}

}  // namespace
