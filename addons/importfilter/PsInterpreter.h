// CPsInterpreter: a small PostScript interpreter for EPS files, enough to follow how programs
// write their drawings: the operand stack, procedures defined in the file's prolog and called by
// name (cairo's "re", "cm", "q"; the "m l c" of many others), control flow, arrays and
// dictionaries, the graphics state with its transformation (gsave/grestore, concat, translate,
// scale, rotate, setmatrix), the path operators (moveto, lineto, curveto, their relative forms,
// arc, arcn, closepath, rectangles) and painting (fill, eofill, stroke, rectfill; clipping paints
// nothing), and the colour operators.
//
// It paints into the drawing in millimetres: the default user space (points, y up) is scaled
// by 25.4 / 72. Each painted path becomes one curve in the current colour; a path filled and
// stroked (gsave fill grestore stroke) becomes one solid curve. Text is counted as left out, as
// are images, whose data in the file (after image, colorimage or imagemask, read through the
// file's own procedures or passed over by its filter's end mark) and encrypted fonts (eexec)
// are stepped over.
//
// Everything is bounded: the operand stack, the depth of procedure calls and of gsave, the
// number of steps by the file's size (a loop that never ends is too complex), the size of arrays
// and strings. An operator without its operands, of the wrong kind, or unbalanced brackets are
// damage at the current line. Operators it does not know are passed over.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportPath.h"
#include "addons/importfilter/ImportedDrawing.h"
#include "addons/importfilter/PsScanner.h"
#include "media/ImportFilterDll.h"

// A PostScript object as the interpreter keeps it. Arrays and procedures (executable arrays)
// share their elements, as PostScript's composite objects do; a dictionary made with << >>
// holds its keys and values in turn in the elements.
struct PsObject {
  enum Type : unsigned char {
    kNull,
    kNumber,
    kBool,
    kName,
    kOperator,
    kString,
    kArray,
    kMark,
    kDict,
    kFile,
    kFont,
    kSave
  };
  Type type = kNull;
  bool executable = false;
  bool integer = false;
  double number =
      0;  // a number; a bool 0 or 1; a name's or operator's id; a file's flags; a string's length
  std::shared_ptr<std::vector<PsObject>> items;
  std::shared_ptr<std::string> text;  // a string's first bytes, a file's end mark
};

class CPsInterpreter {
public:
  static const size_t kDeepestStack = 100000;
  static const int kDeepestCall = 100;
  static const size_t kDeepestGsave = 256;
  // Steps allowed: so many per byte of the file, and never fewer than kFewestSteps.
  static const size_t kStepsPerByte = 16;
  static const size_t kFewestSteps = 10000000;
  static const size_t kLargestArray = 1 << 20;
  // Different names a file may use.
  static const size_t kMostNames = 1 << 20;
  // Points to millimetres.
  static constexpr double kMillimetresPerPoint = 25.4 / 72.0;

  CPsInterpreter(CPsScanner& scanner, CImportedDrawing* drawing, ImportFilterReport* report);
  // Runs the file to its end (or its %%EOF); the report says whether it failed.
  void Run();

  // The operators, defined with their names in the source.
  enum Op : int;

private:
  typedef PsObject Object;
  struct GraphicsState {
    ImportMatrix ctm;
    CImportPath path;
    DWORD colour = 0;
    int components = 1;  // of the colour space
  };

  // Tokens and execution.
  bool ObjectOfToken(const CPsScanner::Token& token, Object* object);
  bool ReadProcedure(int depth, Object* procedure);
  void Execute(const Object& object);
  void Call(const Object& procedure);
  void RunOperator(int op);
  void RunStackOperator(int op);          // The operand stack and marks.
  void RunArithmeticOperator(int op);     // Arithmetic, comparisons and logic.
  void RunControlOperator(int op);        // Procedures, conditions and loops.
  void RunConversionOperator(int op);     // Types and conversions.
  void RunDictionaryOperator(int op);     // Definitions: one dictionary serves them all.
  void RunArrayOperator(int op);          // Arrays and strings.
  void RunGraphicsStateOperator(int op);  // The graphics state and its transformation.
  void RunPathOperator(int op);           // Path construction (in device space) and painting.
  void RunColourOperator(int op);         // Colour.
  void RunTextOperator(int op);           // Text and fonts, left out.
  void RunFileOperator(int op);           // Images, data in the file, and queries.
  void HandleComment(const std::string& comment);

  // The operand stack.
  void Push(const Object& object);
  void PushNumber(double value, bool integer = false);
  void PushBool(bool value);
  bool Pop(Object* object);
  bool PopNumber(double* value);
  bool PopInt(long long* value);
  bool PopBool(bool* value);
  bool PopProcedure(Object* procedure);
  bool PopMatrix(ImportMatrix* matrix, Object* array = nullptr);
  bool TopIsArray() const;
  Object MatrixObject(const ImportMatrix& matrix) const;
  void StoreMatrix(Object* array, const ImportMatrix& matrix);
  size_t CountToMark() const;

  // Names and definitions.
  int Intern(const std::string& name);
  const std::string& NameOf(int id) const;
  const Object* Lookup(int name) const;
  int BuiltinOf(int name) const;

  // Graphics.
  GraphicsState& State() { return m_states.back(); }
  ImportPoint2 UserPoint(ImportPoint2 device) const;
  void Paint(bool filled);
  void PaintRectangles(bool filled);
  void SetColourFromStack(int components);
  void Arc(bool clockwise);
  void MatrixOperator(int op);

  // Text, images, inline data.
  void Show(int op);
  void Image(int op);
  void ConsumeDataSource(const Object& source, double bytes);
  void SkipEncrypted();

  // Damage at the line of the token being run.
  void Fail();
  void TooComplex();
  bool Stopped() const { return m_failed || m_exit || m_stop || m_ended; }

  CPsScanner& m_scanner;
  CImportedDrawing* m_drawing;
  ImportFilterReport* m_report;
  std::vector<Object> m_stack;
  std::vector<GraphicsState> m_states;
  std::vector<size_t> m_saveLevels;
  std::unordered_map<std::string, int> m_nameIds;
  std::vector<std::string> m_names;
  std::vector<int> m_builtins;  // by name id: the operator, or -1
  std::unordered_map<int, Object> m_definitions;
  int m_line = 0;  // of the token being run
  int m_callDepth = 0;
  size_t m_steps = 0;
  size_t m_mostSteps;
  bool m_failed = false;
  bool m_exit = false;   // exit left a loop
  bool m_stop = false;   // stop, until stopped catches it
  bool m_ended = false;  // %%EOF or quit
  int m_documentDepth = 0;
  size_t m_dataEnd = 0;  // where the data of a %%BeginData section ends, 0 when unknown
  unsigned m_paintedGeneration = 0;
  bool m_paintedFilled = false;
  bool m_inText = false;
};
