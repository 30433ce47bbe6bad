// CPsInterpreter: a small PostScript interpreter for EPS files, enough to follow how programs
// write their drawings: the operand stack, procedures defined in the file's prolog and called by
// name (cairo's "re", "cm", "q"; the "m l c" of many others), control flow, arrays and
// dictionaries with the dictionary stack (definitions go to the dictionary begun last, names are
// looked up down the stack), the graphics state with its transformation (gsave/grestore, concat,
// translate, scale, rotate, setmatrix), the path operators (moveto, lineto, curveto, their relative
// forms, arc, arcn, closepath, rectangles) and painting (fill, eofill, stroke, rectfill; clipping
// paints nothing), and the colour operators.
//
// It paints into the drawing in millimetres: the default user space (points, y up) is scaled
// by 25.4 / 72. Each painted path becomes one curve in the current colour; a path filled and
// stroked (gsave fill grestore stroke) becomes one solid curve. Text is counted as left out, as
// are images, whose data in the file (after image, colorimage or imagemask, read through the
// file's own procedures or passed over by its filter's end mark) and encrypted fonts (eexec,
// left as a Type 1 font's encrypted part leaves the stack) are stepped over; font directories are
// empty and the standard encodings name no glyph.
//
// Everything is bounded (CPsBudget): the work, counted per operator and per element, point,
// entry or dictionary slot an operator touches, by the file's size (a loop that never ends is
// too complex); the memory its objects, names, paths and painted curves hold; the operand stack,
// the depth of executions inside executions (procedure calls, exec, stopped) and of gsave.
// Composite objects live in the read's arena (CPsArena), which takes back what nothing reaches any
// more and frees the rest when the read ends. An operator without its operands, of the wrong kind,
// or unbalanced brackets are damage at the current line. Operators it does not know are passed
// over. A file that ends, before its %%Trailer or %%EOF, inside a string, procedure or font, with
// dictionaries begun, states saved or a path not painted, ends early at its last line: what it
// painted before is kept.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportPath.h"
#include "addons/importfilter/ImportedDrawing.h"
#include "addons/importfilter/PsArena.h"
#include "addons/importfilter/PsBudget.h"
#include "addons/importfilter/PsGraphicsStates.h"
#include "addons/importfilter/PsObject.h"
#include "addons/importfilter/PsScanner.h"
#include "media/ImportFilterDll.h"

class CPsInterpreter {
public:
  static const size_t kDeepestStack = 100000;
  static const int kDeepestCall = 100;
  // Dictionaries begun at once, above the system's, the global and the user's dictionary.
  static const size_t kDeepestDictionaries = 100;
  static const size_t kPermanentDictionaries = 3;
  // Work allowed: so many steps per byte of the file, and never fewer than kFewestSteps.
  static const size_t kStepsPerByte = 16;
  static const size_t kFewestSteps = 10000000;
  static const size_t kLargestArray = 1 << 20;
  // Different names a file may use.
  static const size_t kMostNames = 1 << 20;
  // Points to millimetres.
  static constexpr double kMillimetresPerPoint = 25.4 / 72.0;

  struct Limits {
    size_t work;
    size_t memory;
  };
  // The budget of a file of the size.
  static Limits LimitsFor(size_t fileSize);

  CPsInterpreter(CPsScanner& scanner, CImportedDrawing* drawing, ImportFilterReport* report,
                 const Limits& limits);
  // Runs the file to its end (or its %%EOF); the report says whether it failed.
  void Run();

  // The operators, defined with their names in the source.
  enum Op : int;

private:
  typedef PsObject Object;
  class Hold;

  // Tokens and execution.
  bool ObjectOfToken(const CPsScanner::Token& token, Object* object);
  bool ReadProcedure(int depth, Object* procedure);
  void Execute(const Object& object);
  // Every execution inside another (a procedure called, exec, stopped, a name defined as another
  // name) goes one level deeper, and the levels are bounded: no chain of them, however it is
  // made, runs the program's own stack out.
  void ExecuteNested(const Object& object);
  void Call(const Object& procedure);
  // Takes back the arena's unreachable storage when a collection is due; the roots are the
  // operand stack and what running operators hold, so it runs only between objects.
  void CollectIfDue();
  void RunOperator(int op);
  void RunStackOperator(int op);          // The operand stack and marks.
  void RunArithmeticOperator(int op);     // Arithmetic, comparisons and logic.
  void RunControlOperator(int op);        // Procedures, conditions and loops.
  void RunConversionOperator(int op);     // Types and conversions.
  void RunDictionaryOperator(int op);     // Definitions and dictionaries.
  void RunArrayOperator(int op);          // Arrays and strings.
  void RunGraphicsStateOperator(int op);  // The graphics state and its transformation.
  void RunPathOperator(int op);           // Path construction (in device space) and painting.
  void RunColourOperator(int op);         // Colour.
  void RunTextOperator(int op);           // Text and fonts, left out.
  void RunFileOperator(int op);           // Images, data in the file, and queries.
  void ForAll(const Object& source, const Object& procedure);
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
  bool TopIs(PsObject::Type type) const;
  // Room for so many more operands; too complex when there is none.
  bool StackRoom(size_t count);
  Object MatrixObject(const ImportMatrix& matrix);
  void StoreMatrix(const Object& array, const ImportMatrix& matrix);
  // Operands above the topmost mark (the work of finding it is paid); more than the stack
  // holds when there is no mark.
  size_t CountToMark();
  // Work in proportion to what an operator touches; false (too complex) when it runs out.
  bool Spend(size_t steps);

  // Names, definitions and dictionaries. The dictionaries begun are searched from the last one
  // down to the read's definitions (which stand for the user's and the system's dictionary),
  // then the operators; definitions go to the last one begun.
  int Intern(const std::string& name);
  const std::string& NameOf(int id) const;
  Object Name(const char* name);
  bool IsName(const Object& object, const char* name) const;
  void DefineSystemValues();
  const Object* Lookup(int name);
  // The key's value in the first dictionary that has it (where tells which), or null.
  const Object* FindDefined(const Object& key, Object* where);
  Object CurrentDictionary() const;
  void Define(const Object& name, const Object& value);
  void PutInto(const Object& dict, const Object& key, const Object& value);
  int BuiltinOf(int name) const;
  // The operator as an object; null for -1.
  static Object OperatorObject(int op);
  // A key as dictionaries compare it: strings as names, numbers without their integer mark.
  Object KeyOf(const Object& key);
  const Object* Find(const Object& dict, const char* key);
  std::string Text(const Object& string) const { return m_arena.Text(string); }

  // Graphics.
  CPsGraphicsStates::State& State() { return m_states.Current(); }
  // The current path with room for so many more points; null (too complex) when there is none.
  CImportPath* EditPath(size_t morePoints);
  ImportPoint2 UserPoint(ImportPoint2 device);
  void Paint(bool filled);
  void PaintRectangles(bool filled);
  // Pays for a path added to the drawing; false (too complex) when the drawing is full.
  bool PayForPainted(size_t points);
  void SetColourFromStack(int components);
  void Arc(bool clockwise);
  void MatrixOperator(int op);

  // Text, images, inline data.
  void Show(int op);
  void Image(int op);
  void ConsumeDataSource(const Object& source, double bytes);
  void SkipEncrypted();
  // Where the data of the last %%BeginData or %%BeginBinary section ends, 0 when unknown.
  size_t DataEnd();

  // Damage at the line of the token being run.
  void Fail();
  void TooComplex();
  bool Stopped() const { return m_failed || m_exit || m_stop || m_ended || m_budget.Exhausted(); }
  // Whether the drawing was left unfinished at the file's end: dictionaries begun, graphics
  // states saved, or a path not painted.
  bool LeftUnfinished() const;

  CPsScanner& m_scanner;
  CImportedDrawing* m_drawing;
  ImportFilterReport* m_report;
  // The budget first: the arena and the states give back to it as they go.
  CPsBudget m_budget;
  CPsArena m_arena;
  CPsGraphicsStates m_states;
  std::vector<Object> m_stack;
  // Objects that running operators hold while procedures run: the procedures themselves, a
  // loop's body, forall's source, an image's data sources.
  std::vector<Object> m_held;
  std::vector<Object> m_dictionaries;  // begun, the last one current
  std::unordered_map<std::string, int> m_nameIds;
  std::vector<std::string> m_names;
  std::vector<int> m_builtins;  // by name id: the operator, or -1
  int m_line = 0;               // of the token being run
  int m_callDepth = 0;          // of nested executions
  bool m_failed = false;
  bool m_exit = false;      // exit left a loop
  bool m_stop = false;      // stop, until stopped catches it
  bool m_ended = false;     // %%EOF or quit
  bool m_trailer = false;   // %%Trailer: the drawing is complete
  bool m_cutShort = false;  // the file ends inside a string, procedure or encrypted part
  int m_documentDepth = 0;
  // The data section of a %%BeginData or %%BeginBinary comment: where it ends, or where it
  // starts and its lines, counted only when the data is passed over.
  size_t m_dataEnd = 0;
  size_t m_dataStart = 0;
  double m_dataLines = 0;
  // The path painted last, and the curves it made.
  unsigned m_paintedGeneration = 0;
  bool m_paintedFilled = false;
  size_t m_paintedFirst = 0;
  size_t m_paintedEnd = 0;
};
