// Damaged documents of texts and stamps, read as opening a file reads them (no window): seeded
// mutations of a small document that holds a straight text, a text on an arc and a stamp, with
// the damaged files found so far. Each is refused with its message or opens, whole or with the
// damaged part left out, and saves and reads back with the same records. The mutations are the
// same on every run.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "output/StampBlock.h"
#include "support/ByteMutator.h"
#include "text/DamagedTextSupport.h"

namespace {

using namespace damaged_documents;

const int kMutants = 1000;

CStampBlock* Stamp() {
  CStampParams params;
  params.width = 40;
  params.cornerType = CStampBlock::kRoundCorners;
  params.text = "AB";
  return CStampBlock::CreateCentred(params, 70, 64);
}

class DamagedTextDocuments : public DamagedTextTest {
protected:
  Bytes Seed() {
    CSegArray blocks;
    blocks.AddBlock(LaidOutText(10, 20, {'A', 0xB0A1, 'B'}));
    CTextBlock* arc = LaidOutText(30, 60, {0xB0A1, 'A', 'B', 'A'}, true);
    m_arcRecord = RecordOf(*arc);
    blocks.AddBlock(arc);
    CStampBlock* stamp = Stamp();
    m_stampRecord = RecordOf(*stamp);
    blocks.AddBlock(stamp);
    return Save(blocks, CAuxObjectList());
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
