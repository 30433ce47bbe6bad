// CDxfReader: AutoCAD drawing exchange files in their text form (ASCII DXF, R12 to R2018). It
// reads the header's drawing units ($INSUNITS; unitless drawings are taken as millimetres), the
// layers' colours, the blocks and the model space's entities:
//   LINE, LWPOLYLINE and POLYLINE with their bulges (arcs between vertices), ARC, CIRCLE,
//   ELLIPSE, SPLINE (exact Bezier pieces, see CSplineBeziers), SOLID and TRACE (filled),
//   3DFACE, and INSERT of blocks with their base point, scale, rotation and rows and columns,
//   nested up to kDeepestInsert levels.
// Entities in an object coordinate system (extrusion other than +Z) are seen from above. Open
// entities that continue one another in one colour are joined into one path, as a cutter would
// cut them; a path that comes back to its start is closed. Texts, images and other entities
// are counted as left out. Paper-space entities are not read.
//
// Every group is checked: a code line that is no number, a number field that is none, a file
// that ends inside a group or a section, a block that inserts itself or more entities than a
// drawing holds give a problem and no drawing.
//
// The work is bounded before it is done: the drawing is first priced by a walk that only counts
// what drawing it would take (the entities, the fewest points they add, the groups looked
// through, the memory of the curves they become) and is too complex, with nothing drawn, when
// that passes a limit. A block is priced once, by one such copy of it; an insert costs its
// copies times that (a copy counts as one entity at least, so that copies of empty blocks are
// work too) and its copies are never walked while pricing. Looking through an entity costs its
// groups, or one for every kBytesPerGroup bytes it spans where that is more, since a value is
// read in a time that grows with its length. Every piece is priced as a curve of its own (open
// ones may join others, which the price cannot tell), at what the drawing holds for it, within
// the memory the PostScript reader's budget gives a file of its size (CPsBudget::MemoryFor). The
// walk also resolves each entity's colour, its layer's looked up by name, and an insert's block,
// once for every entity however many copies of it are drawn; a block's numbers are converted once
// and kept beside it (their room charged as curve memory), so that copies do not convert them
// again.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "addons/importfilter/FormatReader.h"

class CDxfReader : public CFormatReader {
public:
  static const int kDeepestInsert = 16;
  // Entities drawn in all, inserts counted with every copy.
  static const size_t kMostEntities = 4000000;
  // Groups looked through in drawing them, inserts counted with every copy.
  static const size_t kMostGroupsDrawn = 100000000;
  // Groups of the file: CAD programs write one in 12 bytes or more, so 100 MB hold fewer.
  static const size_t kMostGroups = 12000000;
  // Records (entities, vertices, ends of sequences) of the blocks and the entities together.
  static const size_t kMostRecords = 8000000;
  static const size_t kMostBlocks = 100000;
  static const size_t kMostLayers = 100000;
  // Rows times columns of one insert.
  static const int kMostInsertCopies = 10000;
  // Bytes of a file that cost as much to look through as one group.
  static const size_t kBytesPerGroup = 12;
  // Open entities whose ends lie this close (millimetres) are joined.
  static constexpr double kJoinDistance = 1e-4;

  void Read(const char* data, size_t size, CImportedDrawing* drawing,
            ImportFilterReport* report) override;

  // The numbers the last read converted from their text: each of a block's at most once, however
  // many copies of it are drawn.
  size_t NumbersConverted() const { return m_numbersConverted; }

  // Millimetres per drawing unit for a $INSUNITS value.
  static double MillimetresPerUnit(int units);
  // The colour of an AutoCAD colour index (1-255) as 0x00RRGGBB; 7 (white on black) is black.
  static DWORD IndexColour(int index);

private:
  // Kept for every group of the file, so kept small; the value's text runs to the end of its line.
  struct Group {
    uint32_t value;  // where the value's line begins in the file
    int code;
  };

  struct Block;
  // The colour of an entity not yet priced, and of one drawn in its insert's colour.
  static const DWORD kUnresolved = 0xFFFFFFFF;
  static const DWORD kByBlock = 0x01000000;

  // An entity: its groups from its (0, type) group up to the next group 0, and what pricing
  // found its names stand for.
  struct Entity {
    uint32_t first;
    uint32_t count;
    DWORD colour = kUnresolved;
    Block* block = nullptr;  // an insert's, null while unresolved or not found
  };

  // What drawing something costs.
  struct Cost {
    uint64_t entities = 0;
    uint64_t points = 0;
    uint64_t groups = 0;
    uint64_t bytes = 0;  // of the curves in the drawing
  };

  struct Block {
    double baseX = 0, baseY = 0;
    std::vector<Entity> entities;
    bool drawing = false;  // being drawn or priced: an insert of it now would never end
    bool priced = false;
    Cost cost;  // of one copy
    // The numbers of the block's groups from firstGroup on, each converted once and kept for
    // every copy drawn (NaN until then); taken when the block is priced.
    size_t firstGroup = 0;
    std::vector<double> numbers;
  };

  // The values of one entity's groups by code (the first of each code).
  class Fields;

  bool SplitGroups();
  void ReadSections();
  size_t ReadHeader(size_t at);
  size_t ReadTables(size_t at);
  size_t ReadBlocks(size_t at);
  size_t ReadEntities(size_t at, std::vector<Entity>* list);
  Entity EntityAt(size_t at) const;

  void DrawList(std::vector<Entity>& list, const ImportMatrix& matrix, int depth,
                DWORD blockColour);
  // Draws the entity at list[i]; returns the index of the next entity (polylines and inserts
  // take their vertices and attributes along).
  size_t DrawEntity(std::vector<Entity>& list, size_t i, const ImportMatrix& matrix, int depth,
                    DWORD blockColour);
  void DrawLwPolyline(const Entity& entity, const ImportMatrix& matrix, DWORD colour);
  size_t DrawPolyline(const std::vector<Entity>& list, size_t i, const ImportMatrix& matrix,
                      DWORD colour);
  void DrawSpline(const Entity& entity, const ImportMatrix& matrix, DWORD colour);
  void DrawInsert(const Entity& entity, const ImportMatrix& matrix, int depth, DWORD colour);
  // Finds what the entity's colour and, an insert, its block stand for; pricing does this once.
  void Resolve(Entity* entity, const Fields& fields);
  // The groups that looking through the entity costs.
  uint64_t GroupsOf(const Entity& entity) const;
  // The price of one copy of the block drawn at the depth; null when pricing it ended the read.
  const Cost* PriceOf(Block& block, int depth);
  // Takes room for the block's numbers, charged to the drawing; false when it passes the limit.
  bool KeepNumbers(Block& block);
  // Where the group's number is kept: in the block being walked, or null.
  double* KeptNumber(const Group& group);
  // Adds to the cost counted; false, the drawing too complex, when it passes a limit.
  bool Charge(uint64_t entities, uint64_t points, uint64_t groups, uint64_t bytes = 0);
  void LeftOut(int* counter);
  bool Stopped() const;
  // False, the drawing too complex, for a piece no curve can hold.
  bool Fits(const CImportPath& piece);
  // Charges a piece of the points, too complex when no curve can hold it.
  void ChargePiece(size_t points, bool closed);

  // An open piece continues the path being joined when it starts at its end in its colour;
  // a joined path that comes back to its start is closed and handed on.
  void AddOpen(CImportPath& piece, DWORD colour);
  void AddClosed(CImportPath& piece, DWORD colour, bool filled);
  void FlushChain();

  // The entity's own colour, kByBlock for its insert's.
  DWORD ColourOf(const Fields& fields);
  ImportMatrix ObjectToWorld(const Fields& fields);
  bool Number(const Group& group, double* value);
  std::string Text(const Group& group) const;
  // The value's text without the spaces and tabs around it.
  const char* ValueText(const Group& group, size_t* length) const;
  // Damaged at the line that holds the byte.
  void Fail(const char* at);
  void Fail(const Group& group) { Fail(m_data + group.value); }
  void TooComplex();

  const char* m_data = nullptr;
  size_t m_size = 0;
  std::vector<Group> m_groups;
  std::map<std::string, DWORD> m_layerColours;
  std::string m_lastLayer = std::string(1, '\0');
  DWORD m_lastLayerColour = 0;
  std::map<std::string, Block> m_blocks;
  std::vector<Entity> m_entities;
  double m_unit = 1.0;
  uint64_t m_memoryLimit = 0;

  CImportedDrawing* m_drawing = nullptr;
  ImportFilterReport* m_report = nullptr;
  bool m_failed = false;
  size_t m_records = 0;
  size_t m_drawnRecords = 0;  // in the entities section, of kinds that are always drawn

  // Counting, not drawing: the cost of the drawing, or of the block being priced.
  bool m_pricing = false;
  Cost m_cost;
  uint64_t m_keptBytes = 0;   // of the blocks' numbers
  Block* m_walked = nullptr;  // the block whose entities are being walked, null for the drawing's
  size_t m_numbersConverted = 0;

  CImportPath m_chain;
  DWORD m_chainColour = 0;
};
