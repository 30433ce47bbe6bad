// The PostScript reader's storage (no window): dictionaries replace what put replaces, forget
// what undef removes, take removed slots over and compact removed entries unless they are walked,
// count the slots they touch and tell their growth before it happens; the arena's collection frees
// what its roots do not reach, cycles too, keeps what they do (through parts, dictionaries and the
// definitions) and gives the memory back to the budget.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "addons/importfilter/PsArena.h"

namespace {

PsObject Name(int id) { return PsObject::Of(PsObject::kName, id); }
PsObject Number(double value) { return PsObject::Of(PsObject::kNumber, value); }

// The values of the entries left, with their places.
std::vector<std::pair<size_t, double>> LiveEntries(const CPsDictionary& entries) {
  std::vector<std::pair<size_t, double>> live;
  PsObject key, value;
  for (size_t place = 0; place < entries.Places(); ++place)
    if (entries.EntryAt(place, &key, &value)) live.push_back({place, value.number});
  return live;
}

TEST(PsDictionary, PutReplacesUndefForgetsAndGrowthIsKnownBeforehand) {
  CPsDictionary entries;
  for (int i = 0; i < 1000; ++i) {
    const size_t after = entries.BytesAfterAdding();
    ASSERT_TRUE(entries.Put(Name(i), Number(i)));
    ASSERT_EQ(after, entries.Bytes()) << i;
  }
  const size_t bytes = entries.Bytes();
  entries.Put(Name(5), Number(50));
  EXPECT_EQ(bytes, entries.Bytes());
  for (int i = 0; i < 1000; i += 3) entries.Remove(Name(i));
  entries.Put(Name(3), Number(33));
  EXPECT_FALSE(entries.Put(PsObject(), Number(1)));
  EXPECT_EQ(1000u - 334 + 1, entries.Size());
  EXPECT_EQ(50, entries.Find(Name(5))->number);
  EXPECT_EQ(33, entries.Find(Name(3))->number);
  EXPECT_EQ(nullptr, entries.Find(Name(6)));
  EXPECT_EQ(nullptr, entries.Find(Number(1)));
  // In the order the keys came: the one put again after its removal comes last.
  const auto order = LiveEntries(entries);
  ASSERT_EQ(entries.Size(), order.size());
  EXPECT_EQ(1, order[0].second);
  EXPECT_EQ(50, order[3].second);
  EXPECT_EQ(33, order.back().second);
}

TEST(PsDictionary, RemovedEntriesLengthenNoSearchAndGoInOrderWhenNothingWalksThem) {
  CPsDictionary entries;
  for (int i = 0; i < 100; ++i) entries.Put(Number(i), Number(i));
  // One key put and removed over and over beside a hundred others: searches stay short, and the
  // entries no larger than one growth makes them.
  const size_t bytes = entries.Bytes();
  size_t touched = 0;
  for (int i = 0; i < 100000; ++i) {
    entries.Put(Name(7), Number(i), &touched);
    entries.Remove(Name(7), &touched);
  }
  EXPECT_LT(touched, 10u * 200000);
  EXPECT_LE(entries.Bytes(), 2 * bytes);
  // Removed places stay while the dictionary is walked, whatever is put meanwhile...
  for (int i = 0; i < 100; i += 2) entries.Remove(Number(i));
  const auto walked = LiveEntries(entries);
  entries.BeginWalk();
  for (int i = 0; i < 1000; ++i) entries.Put(Number(1000 + i), Number(i));
  auto during = LiveEntries(entries);
  during.resize(walked.size());
  EXPECT_EQ(walked, during);
  entries.EndWalk();
  // ...and go when the entries fill up next, the others keeping their order.
  const size_t places = entries.Places();
  for (int i = 0; i < 1000; ++i) entries.Remove(Number(1000 + i));
  for (int i = 0; i < 4096 && entries.Places() >= places; ++i)
    entries.Put(Name(100 + i), Number(i));
  EXPECT_LT(entries.Places(), places);
  const auto kept = LiveEntries(entries);
  ASSERT_GE(kept.size(), 50u);
  for (size_t k = 0; k < 50; ++k) EXPECT_EQ(2.0 * k + 1, kept[k].second) << k;
}

TEST(PsArena, CollectingFreesWhatNothingReachesCyclesTooAndKeepsTheRest) {
  CPsBudget budget(1000000, 64 << 20);
  CPsArena arena(&budget);
  const size_t empty = budget.MemoryHeld();
  // Two arrays that hold each other, and nothing else holds.
  const PsObject first = arena.NewArray(2), second = arena.NewArray(3);
  arena.Elements(first)[0] = second;
  arena.Elements(second)[0] = first;
  // A part of an array that holds a dictionary, which holds a string and a large array.
  const PsObject holder = arena.NewArray(8), dict = arena.NewDictionary();
  const PsObject large = arena.NewArray(1000), text = arena.NewString("abc", 10);
  arena.Put(dict, Name(1), text);
  arena.Put(dict, Name(2), large);
  arena.Elements(holder)[7] = dict;
  const PsObject defined = arena.NewString("kept", 4);
  arena.Put(PsObject::Composite(PsObject::kDict, PsObject::kDefinitions, 0, 0), Name(3), defined);
  PsObject part = holder;
  part.storage.start = 6;
  part.length = 1;
  std::vector<PsObject> roots = {part};

  const size_t held = budget.MemoryHeld();
  arena.Collect({&roots});
  EXPECT_EQ(nullptr, arena.Elements(first));
  EXPECT_EQ(nullptr, arena.Elements(second));
  EXPECT_LT(budget.MemoryHeld(), held);
  EXPECT_EQ(dict.storage.index, arena.Elements(holder)[7].storage.index);
  EXPECT_EQ(large.storage.index, arena.Dictionary(dict)->Find(Name(2))->storage.index);
  EXPECT_NE(nullptr, arena.Elements(large));
  EXPECT_EQ("abc", arena.Text(text));

  roots.clear();
  arena.Collect({&roots});
  EXPECT_EQ(nullptr, arena.Elements(large));
  EXPECT_EQ("", arena.Text(text));
  EXPECT_EQ("kept", arena.Text(defined));
  EXPECT_LT(budget.MemoryHeld() - empty, 1024u);
}

}  // namespace
