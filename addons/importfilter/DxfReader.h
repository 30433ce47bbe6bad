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
// that ends inside a group, a block that inserts itself or more entities than a drawing holds
// give a problem and no drawing.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "addons/importfilter/FormatReader.h"

class CDxfReader : public CFormatReader {
public:
  static const int kDeepestInsert = 16;
  // Entities drawn in all, inserts counted with every copy.
  static const size_t kMostEntities = 4000000;
  // Rows times columns of one insert.
  static const int kMostInsertCopies = 10000;
  // Open entities whose ends lie this close (millimetres) are joined.
  static constexpr double kJoinDistance = 1e-4;

  void Read(const char* data, size_t size, CImportedDrawing* drawing,
            ImportFilterReport* report) override;

  // Millimetres per drawing unit for a $INSUNITS value.
  static double MillimetresPerUnit(int units);
  // The colour of an AutoCAD colour index (1-255) as 0x00RRGGBB; 7 (white on black) is black.
  static DWORD IndexColour(int index);

private:
  struct Group {
    int code;
    const char* text;
    size_t length;
    int line;
  };

  // An entity: its groups from its (0, type) group up to the next group 0.
  struct Entity {
    size_t first;
    size_t count;
  };

  struct Block {
    double baseX = 0, baseY = 0;
    std::vector<Entity> entities;
    bool drawing = false;  // being drawn: an insert of it now would never end
  };

  // The values of one entity's groups by code (the first of each code).
  class Fields;

  bool SplitGroups(const char* data, size_t size);
  void ReadSections();
  size_t ReadHeader(size_t at);
  size_t ReadTables(size_t at);
  size_t ReadBlocks(size_t at);
  size_t ReadEntities(size_t at, std::vector<Entity>* list);
  Entity EntityAt(size_t at) const;

  void DrawList(const std::vector<Entity>& list, const ImportMatrix& matrix, int depth,
                DWORD blockColour);
  // Draws the entity at list[i]; returns the index of the next entity (polylines and inserts
  // take their vertices and attributes along).
  size_t DrawEntity(const std::vector<Entity>& list, size_t i, const ImportMatrix& matrix,
                    int depth, DWORD blockColour);
  void DrawLwPolyline(const Entity& entity, const ImportMatrix& matrix, DWORD colour);
  size_t DrawPolyline(const std::vector<Entity>& list, size_t i, const ImportMatrix& matrix,
                      DWORD colour);
  void DrawSpline(const Entity& entity, const ImportMatrix& matrix, DWORD colour);
  void DrawInsert(const Entity& entity, const ImportMatrix& matrix, int depth, DWORD colour);

  // An open piece continues the path being joined when it starts at its end in its colour;
  // a joined path that comes back to its start is closed and handed on.
  void AddOpen(CImportPath& piece, DWORD colour);
  void AddClosed(CImportPath& piece, DWORD colour, bool filled);
  void FlushChain();

  DWORD ColourOf(const Fields& fields, DWORD blockColour);
  ImportMatrix ObjectToWorld(const Fields& fields);
  bool Number(const Group& group, double* value);
  std::string Text(const Group& group) const;
  void Fail(int line);
  void TooComplex();

  std::vector<Group> m_groups;
  std::map<std::string, DWORD> m_layerColours;
  std::string m_lastLayer = std::string(1, '\0');
  DWORD m_lastLayerColour = 0;
  std::map<std::string, Block> m_blocks;
  std::vector<Entity> m_entities;
  double m_unit = 1.0;

  CImportedDrawing* m_drawing = nullptr;
  ImportFilterReport* m_report = nullptr;
  bool m_failed = false;
  size_t m_drawn = 0;

  CImportPath m_chain;
  DWORD m_chainColour = 0;
};
