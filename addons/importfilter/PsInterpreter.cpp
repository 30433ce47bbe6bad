#include "addons/importfilter/PsInterpreter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "addons/importfilter/ArcBeziers.h"

// clang-format off
enum CPsInterpreter::Op : int {
  // Operand stack.
  kPop, kExch, kDup, kCopy, kIndex, kRoll, kClear, kCount, kMark, kClearToMark, kCountToMark,
  // Arithmetic and relations.
  kAdd, kSub, kMul, kDiv, kIdiv, kMod, kNeg, kAbs, kSqrt, kSin, kCos, kAtan, kExp, kLn, kLog,
  kTruncate, kRound, kFloor, kCeiling, kCvi, kCvr, kEq, kNe, kGt, kGe, kLt, kLe, kNot, kAnd, kOr,
  kXor, kTrue, kFalse, kNull,
  // Control.
  kExec, kIf, kIfElse, kRepeat, kFor, kLoop, kForAll, kExit, kStop, kStopped, kQuit,
  // Types and conversions.
  kCvx, kCvlit, kXcheck, kCvn, kCvs, kType, kBind, kNoAccess,
  // Dictionaries.
  kDef, kLoad, kStore, kWhere, kKnown, kDict, kBegin, kEnd, kCurrentDict, kSomeDict, kUndef,
  kDictBegin, kDictEnd, kCountDictStack,
  // Arrays and strings.
  kArray, kAstore, kAload, kLength, kGet, kPut, kGetInterval, kPutInterval, kString, kArrayBegin,
  kArrayEnd,
  // Graphics state and transformations.
  kGsave, kGrestore, kGrestoreAll, kSave, kRestore, kInitGraphics, kMatrix, kIdentMatrix,
  kCurrentMatrix, kDefaultMatrix, kSetMatrix, kInitMatrix, kConcat, kConcatMatrix, kInvertMatrix,
  kTranslate, kScale, kRotate, kTransform, kITransform, kDTransform, kIDTransform,
  // Path and painting.
  kNewPath, kMoveTo, kRMoveTo, kLineTo, kRLineTo, kCurveTo, kRCurveTo, kClosePath, kArc, kArcN,
  kCurrentPoint, kFill, kEoFill, kStroke, kClip, kRectFill, kRectStroke, kRectClip, kFlattenPath,
  kPathBBox, kShFill,
  // Colour.
  kSetGray, kSetRgbColor, kSetCmykColor, kSetHsbColor, kSetColorSpace, kSetColor, kSetPattern,
  // Text.
  kShow, kAShow, kWidthShow, kAWidthShow, kKShow, kXShow, kGlyphShow, kCharPath, kStringWidth,
  kFindFont, kScaleFont, kMakeFont, kSetFont, kSelectFont, kDefineFont, kCurrentFont,
  kFindResource, kDefineResource,
  // Images and the file.
  kImage, kImageMask, kColorImage, kCurrentFile, kFilter, kReadHexString, kReadString, kReadLine,
  kCloseFile, kStatus, kEexec,
  // Constants pushed for queries.
  kPushZero, kPushTrue, kPushFalse, kPushVmStatus, kPushLevel,
  // Operators that only take their operands (the count follows the base).
  kDiscard0 = 1000,
};
// clang-format on

namespace {

struct OperatorName {
  const char* name;
  int op;
};

// clang-format off
const OperatorName kOperators[] = {
  {"pop", CPsInterpreter::kPop}, {"exch", CPsInterpreter::kExch}, {"dup", CPsInterpreter::kDup},
  {"copy", CPsInterpreter::kCopy}, {"index", CPsInterpreter::kIndex}, {"roll", CPsInterpreter::kRoll},
  {"clear", CPsInterpreter::kClear}, {"count", CPsInterpreter::kCount}, {"mark", CPsInterpreter::kMark},
  {"cleartomark", CPsInterpreter::kClearToMark}, {"counttomark", CPsInterpreter::kCountToMark},
  {"add", CPsInterpreter::kAdd}, {"sub", CPsInterpreter::kSub}, {"mul", CPsInterpreter::kMul},
  {"div", CPsInterpreter::kDiv}, {"idiv", CPsInterpreter::kIdiv}, {"mod", CPsInterpreter::kMod},
  {"neg", CPsInterpreter::kNeg}, {"abs", CPsInterpreter::kAbs}, {"sqrt", CPsInterpreter::kSqrt},
  {"sin", CPsInterpreter::kSin}, {"cos", CPsInterpreter::kCos}, {"atan", CPsInterpreter::kAtan},
  {"exp", CPsInterpreter::kExp}, {"ln", CPsInterpreter::kLn}, {"log", CPsInterpreter::kLog},
  {"truncate", CPsInterpreter::kTruncate}, {"round", CPsInterpreter::kRound},
  {"floor", CPsInterpreter::kFloor}, {"ceiling", CPsInterpreter::kCeiling},
  {"cvi", CPsInterpreter::kCvi}, {"cvr", CPsInterpreter::kCvr}, {"eq", CPsInterpreter::kEq},
  {"ne", CPsInterpreter::kNe}, {"gt", CPsInterpreter::kGt}, {"ge", CPsInterpreter::kGe},
  {"lt", CPsInterpreter::kLt}, {"le", CPsInterpreter::kLe}, {"not", CPsInterpreter::kNot},
  {"and", CPsInterpreter::kAnd}, {"or", CPsInterpreter::kOr}, {"xor", CPsInterpreter::kXor},
  {"true", CPsInterpreter::kTrue}, {"false", CPsInterpreter::kFalse}, {"null", CPsInterpreter::kNull},
  {"exec", CPsInterpreter::kExec}, {"if", CPsInterpreter::kIf}, {"ifelse", CPsInterpreter::kIfElse},
  {"repeat", CPsInterpreter::kRepeat}, {"for", CPsInterpreter::kFor}, {"loop", CPsInterpreter::kLoop},
  {"forall", CPsInterpreter::kForAll}, {"exit", CPsInterpreter::kExit}, {"stop", CPsInterpreter::kStop},
  {"stopped", CPsInterpreter::kStopped}, {"quit", CPsInterpreter::kQuit},
  {"cvx", CPsInterpreter::kCvx}, {"cvlit", CPsInterpreter::kCvlit}, {"xcheck", CPsInterpreter::kXcheck},
  {"cvn", CPsInterpreter::kCvn}, {"cvs", CPsInterpreter::kCvs}, {"type", CPsInterpreter::kType},
  {"bind", CPsInterpreter::kBind}, {"readonly", CPsInterpreter::kNoAccess},
  {"executeonly", CPsInterpreter::kNoAccess}, {"noaccess", CPsInterpreter::kNoAccess},
  {"def", CPsInterpreter::kDef}, {"load", CPsInterpreter::kLoad}, {"store", CPsInterpreter::kStore},
  {"where", CPsInterpreter::kWhere}, {"known", CPsInterpreter::kKnown}, {"dict", CPsInterpreter::kDict},
  {"begin", CPsInterpreter::kBegin}, {"end", CPsInterpreter::kEnd},
  {"currentdict", CPsInterpreter::kCurrentDict}, {"userdict", CPsInterpreter::kSomeDict},
  {"systemdict", CPsInterpreter::kSomeDict}, {"globaldict", CPsInterpreter::kSomeDict},
  {"statusdict", CPsInterpreter::kSomeDict}, {"errordict", CPsInterpreter::kSomeDict},
  {"$error", CPsInterpreter::kSomeDict}, {"undef", CPsInterpreter::kUndef},
  {"<<", CPsInterpreter::kDictBegin}, {">>", CPsInterpreter::kDictEnd},
  {"array", CPsInterpreter::kArray}, {"astore", CPsInterpreter::kAstore},
  {"aload", CPsInterpreter::kAload}, {"length", CPsInterpreter::kLength}, {"get", CPsInterpreter::kGet},
  {"put", CPsInterpreter::kPut}, {"getinterval", CPsInterpreter::kGetInterval},
  {"putinterval", CPsInterpreter::kPutInterval}, {"string", CPsInterpreter::kString},
  {"[", CPsInterpreter::kArrayBegin}, {"]", CPsInterpreter::kArrayEnd},
  {"gsave", CPsInterpreter::kGsave}, {"grestore", CPsInterpreter::kGrestore},
  {"grestoreall", CPsInterpreter::kGrestoreAll}, {"save", CPsInterpreter::kSave},
  {"restore", CPsInterpreter::kRestore}, {"initgraphics", CPsInterpreter::kInitGraphics},
  {"matrix", CPsInterpreter::kMatrix}, {"identmatrix", CPsInterpreter::kIdentMatrix},
  {"currentmatrix", CPsInterpreter::kCurrentMatrix}, {"defaultmatrix", CPsInterpreter::kDefaultMatrix},
  {"setmatrix", CPsInterpreter::kSetMatrix}, {"initmatrix", CPsInterpreter::kInitMatrix},
  {"concat", CPsInterpreter::kConcat}, {"concatmatrix", CPsInterpreter::kConcatMatrix},
  {"invertmatrix", CPsInterpreter::kInvertMatrix}, {"translate", CPsInterpreter::kTranslate},
  {"scale", CPsInterpreter::kScale}, {"rotate", CPsInterpreter::kRotate},
  {"transform", CPsInterpreter::kTransform}, {"itransform", CPsInterpreter::kITransform},
  {"dtransform", CPsInterpreter::kDTransform}, {"idtransform", CPsInterpreter::kIDTransform},
  {"newpath", CPsInterpreter::kNewPath}, {"moveto", CPsInterpreter::kMoveTo},
  {"rmoveto", CPsInterpreter::kRMoveTo}, {"lineto", CPsInterpreter::kLineTo},
  {"rlineto", CPsInterpreter::kRLineTo}, {"curveto", CPsInterpreter::kCurveTo},
  {"rcurveto", CPsInterpreter::kRCurveTo}, {"closepath", CPsInterpreter::kClosePath},
  {"arc", CPsInterpreter::kArc}, {"arcn", CPsInterpreter::kArcN},
  {"currentpoint", CPsInterpreter::kCurrentPoint}, {"fill", CPsInterpreter::kFill},
  {"eofill", CPsInterpreter::kEoFill}, {"stroke", CPsInterpreter::kStroke},
  {"clip", CPsInterpreter::kClip}, {"eoclip", CPsInterpreter::kClip},
  {"rectfill", CPsInterpreter::kRectFill}, {"rectstroke", CPsInterpreter::kRectStroke},
  {"rectclip", CPsInterpreter::kRectClip}, {"flattenpath", CPsInterpreter::kFlattenPath},
  {"pathbbox", CPsInterpreter::kPathBBox}, {"shfill", CPsInterpreter::kShFill},
  {"setgray", CPsInterpreter::kSetGray}, {"setrgbcolor", CPsInterpreter::kSetRgbColor},
  {"setcmykcolor", CPsInterpreter::kSetCmykColor}, {"sethsbcolor", CPsInterpreter::kSetHsbColor},
  {"setcolorspace", CPsInterpreter::kSetColorSpace}, {"setcolor", CPsInterpreter::kSetColor},
  {"setpattern", CPsInterpreter::kSetPattern},
  {"show", CPsInterpreter::kShow}, {"ashow", CPsInterpreter::kAShow},
  {"widthshow", CPsInterpreter::kWidthShow}, {"awidthshow", CPsInterpreter::kAWidthShow},
  {"kshow", CPsInterpreter::kKShow}, {"cshow", CPsInterpreter::kKShow},
  {"xshow", CPsInterpreter::kXShow}, {"yshow", CPsInterpreter::kXShow},
  {"xyshow", CPsInterpreter::kXShow}, {"glyphshow", CPsInterpreter::kGlyphShow},
  {"charpath", CPsInterpreter::kCharPath}, {"stringwidth", CPsInterpreter::kStringWidth},
  {"findfont", CPsInterpreter::kFindFont}, {"scalefont", CPsInterpreter::kScaleFont},
  {"makefont", CPsInterpreter::kMakeFont}, {"setfont", CPsInterpreter::kSetFont},
  {"selectfont", CPsInterpreter::kSelectFont}, {"definefont", CPsInterpreter::kDefineFont},
  {"currentfont", CPsInterpreter::kCurrentFont}, {"rootfont", CPsInterpreter::kCurrentFont},
  {"findresource", CPsInterpreter::kFindResource}, {"defineresource", CPsInterpreter::kDefineResource},
  {"image", CPsInterpreter::kImage}, {"imagemask", CPsInterpreter::kImageMask},
  {"colorimage", CPsInterpreter::kColorImage}, {"currentfile", CPsInterpreter::kCurrentFile},
  {"filter", CPsInterpreter::kFilter}, {"readhexstring", CPsInterpreter::kReadHexString},
  {"readstring", CPsInterpreter::kReadString}, {"readline", CPsInterpreter::kReadLine},
  {"closefile", CPsInterpreter::kCloseFile}, {"flushfile", CPsInterpreter::kCloseFile},
  {"status", CPsInterpreter::kStatus}, {"eexec", CPsInterpreter::kEexec},
  {"realtime", CPsInterpreter::kPushZero}, {"usertime", CPsInterpreter::kPushZero},
  {"countdictstack", CPsInterpreter::kCountDictStack},
  {"currentglobal", CPsInterpreter::kPushFalse},
  {"currentpacking", CPsInterpreter::kPushFalse}, {"vmstatus", CPsInterpreter::kPushVmStatus},
  {"languagelevel", CPsInterpreter::kPushLevel},
  // Device and rendering settings: the operands are taken, nothing changes.
  {"showpage", CPsInterpreter::kDiscard0}, {"copypage", CPsInterpreter::kDiscard0},
  {"erasepage", CPsInterpreter::kDiscard0}, {"initclip", CPsInterpreter::kDiscard0},
  {"clippath", CPsInterpreter::kDiscard0}, {"flush", CPsInterpreter::kDiscard0},
  {"cleardictstack", CPsInterpreter::kDiscard0}, {"nulldevice", CPsInterpreter::kDiscard0},
  {"pstack", CPsInterpreter::kDiscard0}, {"stack", CPsInterpreter::kDiscard0},
  {"setlinewidth", CPsInterpreter::kDiscard0 + 1}, {"setlinecap", CPsInterpreter::kDiscard0 + 1},
  {"setlinejoin", CPsInterpreter::kDiscard0 + 1}, {"setmiterlimit", CPsInterpreter::kDiscard0 + 1},
  {"setflat", CPsInterpreter::kDiscard0 + 1}, {"setstrokeadjust", CPsInterpreter::kDiscard0 + 1},
  {"setoverprint", CPsInterpreter::kDiscard0 + 1}, {"setpagedevice", CPsInterpreter::kDiscard0 + 1},
  {"setglobal", CPsInterpreter::kDiscard0 + 1}, {"setpacking", CPsInterpreter::kDiscard0 + 1},
  {"settransfer", CPsInterpreter::kDiscard0 + 1}, {"setsmoothness", CPsInterpreter::kDiscard0 + 1},
  {"setcolorrendering", CPsInterpreter::kDiscard0 + 1}, {"sethalftone", CPsInterpreter::kDiscard0 + 1},
  {"setblackgeneration", CPsInterpreter::kDiscard0 + 1},
  {"setundercolorremoval", CPsInterpreter::kDiscard0 + 1}, {"print", CPsInterpreter::kDiscard0 + 1},
  {"=", CPsInterpreter::kDiscard0 + 1}, {"==", CPsInterpreter::kDiscard0 + 1},
  {"undefinefont", CPsInterpreter::kDiscard0 + 1}, {"setdash", CPsInterpreter::kDiscard0 + 2},
  {"setscreen", CPsInterpreter::kDiscard0 + 3}, {"setcolortransfer", CPsInterpreter::kDiscard0 + 4},
  {"setcolorscreen", CPsInterpreter::kDiscard0 + 12},
};
// clang-format on

const double kPi = 3.14159265358979323846;
// Past this many degrees angles step by an eighth of a degree or more.
const double kLargestAngle = 1e15;
// The zeros that end a Type 1 font's encrypted part (512 in all) are looked for a line at a time.
const size_t kEncryptedEndZeros = 64;
// Numbers taken as integers (idiv, mod, the bit operators, counts) stay within what a double
// holds exactly.
const double kLargestInteger = 9e15;
const uint32_t kFileCurrent = 1;     // reads the file's own text
const uint32_t kFileAscii85 = 2;     // ends at "~>"
const uint32_t kFileHex = 4;         // ends at ">"
const uint32_t kFileCompressed = 8;  // its length cannot be known from the data
const uint32_t kFileMarked = 16;     // ends at the end mark in its storage

DWORD Rgb(double r, double g, double b) {
  auto byte = [](double v) {
    v = std::isfinite(v) ? std::min(1.0, std::max(0.0, v)) : 0.0;
    return static_cast<DWORD>(std::lround(v * 255));
  };
  return byte(r) << 16 | byte(g) << 8 | byte(b);
}

// A name's entries in the tables beside its text.
const size_t kNameBytes = 64;

const PsObject kDefinitions = PsObject::Composite(PsObject::kDict, PsObject::kDefinitions, 0, 0);

bool OwnDictionary(const PsObject& dict) {
  return dict.type == PsObject::kDict && dict.storage.index != PsObject::kDefinitions;
}

}  // namespace

// Keeps objects reachable by the arena's collections while an operator runs procedures with
// them; gives them up when the operator is done.
class CPsInterpreter::Hold {
public:
  Hold(CPsInterpreter* interpreter, std::initializer_list<PsObject> objects)
      : m_held(interpreter->m_held), m_size(m_held.size()) {
    m_held.insert(m_held.end(), objects);
  }
  Hold(CPsInterpreter* interpreter, const std::vector<PsObject>& objects)
      : m_held(interpreter->m_held), m_size(m_held.size()) {
    m_held.insert(m_held.end(), objects.begin(), objects.end());
  }
  ~Hold() { m_held.resize(m_size); }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

private:
  std::vector<PsObject>& m_held;
  size_t m_size;
};

CPsInterpreter::Limits CPsInterpreter::LimitsFor(size_t fileSize) {
  const size_t most = static_cast<size_t>(-1);
  const size_t work = fileSize < most / kStepsPerByte ? fileSize * kStepsPerByte : most;
  return {work > kFewestSteps ? work : kFewestSteps, CPsBudget::MemoryFor(fileSize)};
}

CPsInterpreter::CPsInterpreter(CPsScanner& scanner, CImportedDrawing* drawing,
                               ImportFilterReport* report, const Limits& limits)
    : m_scanner(scanner),
      m_drawing(drawing),
      m_report(report),
      m_budget(limits.work, limits.memory),
      m_arena(&m_budget),
      m_states(&m_budget, ImportMatrix::Scale(kMillimetresPerPoint, kMillimetresPerPoint)) {
  for (const OperatorName& entry : kOperators) {
    const int id = Intern(entry.name);
    m_builtins[id] = entry.op;
  }
  DefineSystemValues();
}

void CPsInterpreter::DefineSystemValues() {
  // Font files ask whether their font is there already and take a standard encoding: the font
  // directories are empty, the encodings name no glyph.
  const Object notdef = Name(".notdef");
  const std::vector<Object> glyphs(256, notdef);
  const Object encoding = m_arena.NewArray(glyphs.data(), glyphs.size());
  for (const char* name : {"StandardEncoding", "ISOLatin1Encoding"})
    m_arena.Put(kDefinitions, Name(name), encoding);
  for (const char* name : {"FontDirectory", "GlobalFontDirectory", "SharedFontDirectory"})
    m_arena.Put(kDefinitions, Name(name), m_arena.NewDictionary());
}

int CPsInterpreter::Intern(const std::string& name) {
  auto found = m_nameIds.find(name);
  if (found != m_nameIds.end()) return found->second;
  // The text is kept twice: in the list by id and as the key of the map.
  if (m_names.size() >= kMostNames || !m_budget.Charge(2 * name.size() + kNameBytes)) {
    TooComplex();
    return 0;
  }
  const int id = static_cast<int>(m_names.size());
  m_names.push_back(name);
  m_builtins.push_back(-1);
  m_nameIds.emplace(name, id);
  return id;
}

const std::string& CPsInterpreter::NameOf(int id) const { return m_names[id]; }

CPsInterpreter::Object CPsInterpreter::Name(const char* name) {
  return PsObject::Of(PsObject::kName, Intern(name));
}

bool CPsInterpreter::IsName(const Object& object, const char* name) const {
  // Compared where it lies, never copied: a name's text may be a megabyte long.
  return object.type == PsObject::kName && NameOf(static_cast<int>(object.number)) == name;
}

int CPsInterpreter::BuiltinOf(int name) const {
  return name >= 0 && name < static_cast<int>(m_builtins.size()) ? m_builtins[name] : -1;
}

CPsInterpreter::Object CPsInterpreter::OperatorObject(int op) {
  if (op < 0) return Object();
  Object object = PsObject::Of(PsObject::kOperator, op);
  object.executable = true;
  return object;
}

const CPsInterpreter::Object* CPsInterpreter::Lookup(int name) {
  return FindDefined(PsObject::Of(PsObject::kName, name), nullptr);
}

const CPsInterpreter::Object* CPsInterpreter::FindDefined(const Object& key, Object* where) {
  for (size_t i = m_dictionaries.size(); i-- > 0;) {
    if (const Object* value = m_arena.Find(m_dictionaries[i], key)) {
      if (where) *where = m_dictionaries[i];
      return value;
    }
  }
  if (where) *where = kDefinitions;
  return m_arena.Find(kDefinitions, key);
}

CPsInterpreter::Object CPsInterpreter::CurrentDictionary() const {
  return m_dictionaries.empty() ? kDefinitions : m_dictionaries.back();
}

CPsInterpreter::Object CPsInterpreter::KeyOf(const Object& key) {
  switch (key.type) {
    case PsObject::kString:
      return PsObject::Of(PsObject::kName, Intern(Text(key)));
    case PsObject::kNumber:
      return PsObject::Of(PsObject::kNumber, key.number == 0 ? 0.0 : key.number);
    case PsObject::kArray:
    case PsObject::kDict:
    case PsObject::kFile: {
      Object same = key;
      same.executable = same.integer = false;
      return same;
    }
    default:
      return PsObject::Of(key.type, key.number);
  }
}

const CPsInterpreter::Object* CPsInterpreter::Find(const Object& dict, const char* key) {
  const Object name = Name(key);
  return OwnDictionary(dict) ? m_arena.Find(dict, name) : nullptr;
}

void CPsInterpreter::Fail() {
  // An operator left without its operands by a refused allocation: the budget ran out.
  if (m_budget.Exhausted()) return TooComplex();
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportDamaged;
  m_report->line = m_line;
}

void CPsInterpreter::TooComplex() {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportTooComplex;
}

bool CPsInterpreter::Spend(size_t steps) {
  if (m_budget.Work(steps)) return true;
  TooComplex();
  return false;
}

// --- Tokens and execution ---

void CPsInterpreter::Run() {
  while (!m_failed && !m_ended && !m_budget.Exhausted()) {
    CollectIfDue();
    CPsScanner::Token token = m_scanner.Next();
    m_line = token.line;
    if (token.kind == CPsScanner::kEnd) break;
    if (token.kind == CPsScanner::kComment) {
      HandleComment(token.text);
      continue;
    }
    Object object;
    if (!ObjectOfToken(token, &object)) break;
    if (object.executable && (object.type == PsObject::kName || object.type == PsObject::kOperator))
      Execute(object);
    else
      Push(object);
    // stop and exit outside a procedure end nothing but themselves.
    m_exit = false;
    if (m_stop) m_ended = true;
  }
  if (m_budget.Exhausted()) return TooComplex();
  if (!m_failed && !m_ended && !m_trailer && (m_cutShort || LeftUnfinished())) {
    m_report->problem = kImportEndedEarly;
    m_report->line = m_line;
  }
}

bool CPsInterpreter::LeftUnfinished() const {
  return !m_dictionaries.empty() || m_states.Depth() > 1 || !m_states.Path().IsEmpty();
}

void CPsInterpreter::CollectIfDue() {
  if (m_arena.CollectionDue()) Spend(m_arena.Collect({&m_stack, &m_held, &m_dictionaries}));
}

bool CPsInterpreter::ObjectOfToken(const CPsScanner::Token& token, Object* object) {
  *object = Object();
  switch (token.kind) {
    case CPsScanner::kNumber:
      *object = PsObject::Of(PsObject::kNumber, token.number);
      object->integer = token.integer;
      return true;
    case CPsScanner::kName:
    case CPsScanner::kLiteral:
      *object = PsObject::Of(PsObject::kName, Intern(token.text));
      object->executable = token.kind == CPsScanner::kName;
      return true;
    case CPsScanner::kString:
      *object = m_arena.NewString(token.text, token.length);
      return true;
    case CPsScanner::kArrayBegin:
    case CPsScanner::kArrayEnd:
    case CPsScanner::kDictBegin:
    case CPsScanner::kDictEnd: {
      static const char* kBrackets[] = {"[", "]", "<<", ">>"};
      const int which = token.kind == CPsScanner::kArrayBegin  ? 0
                        : token.kind == CPsScanner::kArrayEnd  ? 1
                        : token.kind == CPsScanner::kDictBegin ? 2
                                                               : 3;
      *object = Name(kBrackets[which]);
      object->executable = true;
      return true;
    }
    case CPsScanner::kProcBegin:
      return ReadProcedure(0, object);
    default:
      // A string left open by the end of the file: the file was cut there.
      if (m_scanner.AtEnd())
        m_cutShort = true;
      else
        Fail();
      return false;
  }
}

bool CPsInterpreter::ReadProcedure(int depth, Object* procedure) {
  if (depth >= kDeepestCall) {
    TooComplex();
    return false;
  }
  // The items gathered are paid for while they wait to become the procedure's storage.
  std::vector<Object> items;
  struct Waiting {
    CPsBudget& budget;
    const std::vector<Object>& items;
    ~Waiting() { budget.Release(items.size() * sizeof(Object)); }
  } waiting = {m_budget, items};
  for (;;) {
    CPsScanner::Token token = m_scanner.Next();
    if (token.kind != CPsScanner::kEnd) m_line = token.line;
    if (token.kind == CPsScanner::kProcEnd) {
      *procedure = m_arena.NewArray(items.data(), items.size());
      procedure->executable = true;
      if (m_budget.Exhausted()) TooComplex();
      return !m_budget.Exhausted();
    }
    if (token.kind == CPsScanner::kComment) continue;
    if (token.kind == CPsScanner::kEnd) {
      m_cutShort = true;
      return false;
    }
    Object item;
    if (token.kind == CPsScanner::kProcBegin) {
      if (!ReadProcedure(depth + 1, &item)) return false;
    } else if (!ObjectOfToken(token, &item)) {
      return false;
    }
    if (items.size() >= kLargestArray || !m_budget.Charge(sizeof(Object))) {
      TooComplex();
      return false;
    }
    items.push_back(item);
  }
}

void CPsInterpreter::Execute(const Object& object) {
  if (!Spend(1)) return;
  if (object.type == PsObject::kOperator) {
    RunOperator(static_cast<int>(object.number));
    return;
  }
  if (object.IsProcedure()) {
    Call(object);
    return;
  }
  if (object.type != PsObject::kName || !object.executable) {
    Push(object);
    return;
  }
  const int name = static_cast<int>(object.number);
  if (const Object* value = Lookup(name)) {
    const Object copy = *value;  // a definition may change while it runs
    if (copy.IsProcedure()) {
      Call(copy);
    } else if (copy.type == PsObject::kOperator) {
      RunOperator(static_cast<int>(copy.number));
    } else if (copy.type == PsObject::kName && copy.executable) {
      ExecuteNested(copy);  // a name defined as another name
    } else {
      Push(copy);
    }
    return;
  }
  const int op = BuiltinOf(name);
  if (op >= 0) RunOperator(op);
}

void CPsInterpreter::ExecuteNested(const Object& object) {
  if (m_callDepth >= kDeepestCall) return TooComplex();
  ++m_callDepth;
  Execute(object);
  --m_callDepth;
}

void CPsInterpreter::Call(const Object& procedure) {
  if (!Spend(1)) return;
  if (m_callDepth >= kDeepestCall) return TooComplex();
  ++m_callDepth;
  Hold hold(this, {procedure});
  for (uint32_t i = 0; i < procedure.length && !Stopped(); ++i) {
    CollectIfDue();
    // Looked up for each item: running the one before may have moved the arena's storage.
    const Object* items = m_arena.Elements(procedure);
    if (!items) break;
    const Object item = items[i];
    if (item.executable && (item.type == PsObject::kName || item.type == PsObject::kOperator))
      Execute(item);
    else
      Push(item);
  }
  --m_callDepth;
}

void CPsInterpreter::HandleComment(const std::string& comment) {
  auto startsWith = [&](const char* text) {
    return comment.compare(0, std::strlen(text), text) == 0;
  };
  if (startsWith("%%BeginDocument")) {
    ++m_documentDepth;
  } else if (startsWith("%%EndDocument")) {
    m_documentDepth = std::max(0, m_documentDepth - 1);
  } else if (startsWith("%%EOF")) {
    if (m_documentDepth == 0) m_ended = true;
  } else if (startsWith("%%Trailer")) {
    if (m_documentDepth == 0) m_trailer = true;
  } else if (startsWith("%%BeginData:") || startsWith("%%BeginBinary:")) {
    // The section's length tells where data that no filter ends lies. Lines are counted only
    // when the data is passed over, so that no comment makes the file be read twice.
    double count = 0;
    char unit[16] = "Bytes";
    const char* fields = comment.c_str() + comment.find(':') + 1;
    if (std::sscanf(fields, "%lf %*s %15s", &count, unit) < 1 || !(count >= 0)) return;
    m_scanner.ReadLine();
    m_dataStart = m_scanner.Position();
    m_dataEnd = 0;
    m_dataLines = 0;
    const double left = static_cast<double>(m_scanner.Size() - m_dataStart);
    if (std::strcmp(unit, "Lines") == 0)
      m_dataLines = count > 0 ? count : -1;
    else
      m_dataEnd = m_dataStart + static_cast<size_t>(std::min(count, left));
  }
}

size_t CPsInterpreter::DataEnd() {
  if (m_dataLines != 0) {
    m_dataEnd = m_scanner.PositionAfterLines(m_dataStart, std::max(0.0, m_dataLines));
    m_dataLines = 0;
  }
  return m_dataEnd;
}

// --- The operand stack ---

void CPsInterpreter::Push(const Object& object) {
  if (m_stack.size() >= kDeepestStack) {
    TooComplex();
    return;
  }
  m_stack.push_back(object);
}

void CPsInterpreter::PushNumber(double value, bool integer) {
  Object object = PsObject::Of(PsObject::kNumber, std::isfinite(value) ? value : 0);
  object.integer = integer;
  Push(object);
}

void CPsInterpreter::PushBool(bool value) { Push(PsObject::Of(PsObject::kBool, value ? 1 : 0)); }

bool CPsInterpreter::StackRoom(size_t count) {
  if (count <= kDeepestStack - m_stack.size()) return true;
  TooComplex();
  return false;
}

bool CPsInterpreter::Pop(Object* object) {
  if (m_stack.empty()) {
    Fail();
    return false;
  }
  *object = m_stack.back();
  m_stack.pop_back();
  return true;
}

bool CPsInterpreter::PopNumber(double* value) {
  if (!TopIs(PsObject::kNumber)) {
    Fail();
    return false;
  }
  *value = m_stack.back().number;
  m_stack.pop_back();
  return true;
}

bool CPsInterpreter::PopInt(long long* value) {
  double number = 0;
  if (!PopNumber(&number)) return false;
  if (!(std::fabs(number) < kLargestInteger)) {
    Fail();
    return false;
  }
  *value = static_cast<long long>(number);
  return true;
}

bool CPsInterpreter::PopBool(bool* value) {
  if (!TopIs(PsObject::kBool)) {
    Fail();
    return false;
  }
  *value = m_stack.back().number != 0;
  m_stack.pop_back();
  return true;
}

bool CPsInterpreter::PopProcedure(Object* procedure) {
  if (!TopIs(PsObject::kArray)) {
    Fail();
    return false;
  }
  return Pop(procedure);
}

bool CPsInterpreter::TopIs(PsObject::Type type) const {
  return !m_stack.empty() && m_stack.back().type == type;
}

bool CPsInterpreter::PopMatrix(ImportMatrix* matrix, Object* array) {
  const Object* items = TopIs(PsObject::kArray) && m_stack.back().length == 6
                            ? m_arena.Elements(m_stack.back())
                            : nullptr;
  double v[6];
  for (int i = 0; items && i < 6; ++i) {
    if (items[i].type != PsObject::kNumber) items = nullptr;
    if (items) v[i] = items[i].number;
  }
  if (!items) {
    Fail();
    return false;
  }
  Object object;
  Pop(&object);
  *matrix = {v[0], v[1], v[2], v[3], v[4], v[5]};
  if (array) *array = object;
  return true;
}

CPsInterpreter::Object CPsInterpreter::MatrixObject(const ImportMatrix& matrix) {
  const Object array = m_arena.NewArray(6);
  StoreMatrix(array, matrix);
  return array;
}

void CPsInterpreter::StoreMatrix(const Object& array, const ImportMatrix& matrix) {
  const double v[6] = {matrix.a, matrix.b, matrix.c, matrix.d, matrix.e, matrix.f};
  Object* items = array.length >= 6 ? m_arena.Elements(array) : nullptr;
  for (int i = 0; items && i < 6; ++i)
    items[i] = PsObject::Of(PsObject::kNumber, std::isfinite(v[i]) ? v[i] : 0);
}

size_t CPsInterpreter::CountToMark() {
  size_t count = 0;
  while (count < m_stack.size() && m_stack[m_stack.size() - 1 - count].type != PsObject::kMark)
    ++count;
  Spend(count);
  return count < m_stack.size() ? count : m_stack.size() + 1;
}

// --- Graphics ---

CImportPath* CPsInterpreter::EditPath(size_t morePoints) {
  CImportPath* path = m_states.EditPath(morePoints);
  if (!path) TooComplex();
  return path;
}

ImportPoint2 CPsInterpreter::UserPoint(ImportPoint2 device) {
  const ImportMatrix& m = State().ctm;
  const double determinant = m.Determinant();
  if (determinant == 0) return {0, 0};
  const double x = device.x - m.e, y = device.y - m.f;
  return {(x * m.d - y * m.c) / determinant, (y * m.a - x * m.b) / determinant};
}

bool CPsInterpreter::PayForPainted(size_t points) {
  if (m_budget.Charge(CImportedDrawing::CurveBytes(points)) && m_budget.Work(points)) return true;
  TooComplex();
  return false;
}

void CPsInterpreter::Paint(bool filled) {
  const CImportPath& path = m_states.Path();
  if (path.IsEmpty()) return;
  if (path.Generation() == m_paintedGeneration) {
    // The same path again (gsave fill grestore stroke): its curves, filled when either was.
    if (filled && !m_paintedFilled) m_drawing->Fill(m_paintedFirst, m_paintedEnd, State().colour);
    m_paintedFilled = m_paintedFilled || filled;
  } else {
    if (!PayForPainted(path.Size())) return;
    const size_t first = m_drawing->CurveCount();
    if (m_drawing->AddPath(path, State().colour, filled)) {
      m_paintedGeneration = path.Generation();
      m_paintedFilled = filled;
      m_paintedFirst = first;
      m_paintedEnd = m_drawing->CurveCount();
    } else {
      m_budget.Release(CImportedDrawing::CurveBytes(path.Size()));
    }
  }
  if (m_drawing->TooComplex()) TooComplex();
  m_states.NewPath();
}

void CPsInterpreter::PaintRectangles(bool filled) {
  if (TopIs(PsObject::kArray)) {
    Object rectangles;
    Pop(&rectangles);
    return;
  }
  double x, y, width, height;
  if (!PopNumber(&height) || !PopNumber(&width) || !PopNumber(&y) || !PopNumber(&x)) return;
  const ImportMatrix& m = State().ctm;
  CImportPath rectangle;
  const ImportPoint2 corners[4] = {m.Map(x, y), m.Map(x + width, y), m.Map(x + width, y + height),
                                   m.Map(x, y + height)};
  rectangle.MoveTo(corners[0].x, corners[0].y);
  for (int i = 1; i < 4; ++i) rectangle.LineTo(corners[i].x, corners[i].y);
  rectangle.Close();
  if (!PayForPainted(rectangle.Size())) return;
  if (!m_drawing->AddPath(rectangle, State().colour, filled))
    m_budget.Release(CImportedDrawing::CurveBytes(rectangle.Size()));
  if (m_drawing->TooComplex()) TooComplex();
}

void CPsInterpreter::SetColourFromStack(int components) {
  double v[4] = {0, 0, 0, 0};
  for (int i = components - 1; i >= 0; --i)
    if (!PopNumber(&v[i])) return;
  switch (components) {
    case 1:
      State().colour = Rgb(v[0], v[0], v[0]);
      break;
    case 3:
      State().colour = Rgb(v[0], v[1], v[2]);
      break;
    case 4:
      State().colour = Rgb((1 - v[0]) * (1 - v[3]), (1 - v[1]) * (1 - v[3]),
                           (1 - v[2]) * (1 - v[3]));
      break;
    default:
      break;
  }
}

void CPsInterpreter::Arc(bool clockwise) {
  double x, y, radius, from, to;
  if (!PopNumber(&to) || !PopNumber(&from) || !PopNumber(&radius) || !PopNumber(&y) ||
      !PopNumber(&x))
    return;
  // Angles past any precision leave no turn to take and take ever longer to find the sines of:
  // such an arc is a point.
  if (!(std::fabs(from) < kLargestAngle && std::fabs(to) < kLargestAngle)) from = to = 0;
  // arc turns counter-clockwise up to the end angle, arcn clockwise down to it.
  double sweep = to - from;
  if (!std::isfinite(sweep)) return Fail();
  if (!clockwise && sweep < 0) sweep = std::fmod(sweep, 360.0) + 360.0;
  if (clockwise && sweep > 0) sweep = std::fmod(sweep, 360.0) - 360.0;
  const double start = from * kPi / 180.0, end = (from + sweep) * kPi / 180.0;
  // A line to the arc's start, then a Bezier piece (three points) for each quarter turn.
  const double pieces = std::min<double>(CArcBeziers::kMostPieces,
                                         std::ceil(std::fabs(sweep) / 90.0) + 1);
  if (!Spend(static_cast<size_t>(pieces))) return;
  CImportPath* path = EditPath(2 + 3 * static_cast<size_t>(pieces));
  if (!path) return;
  if (!CArcBeziers::Append(path, {x, y}, {radius, 0}, {0, radius}, start, end, State().ctm))
    TooComplex();
}

void CPsInterpreter::MatrixOperator(int op) {
  // Each of these has a form with a matrix operand that works on that matrix instead.
  Object target;
  ImportMatrix onMatrix;
  const bool matrixForm = TopIs(PsObject::kArray) && op != kConcat && op != kSetMatrix;
  if (matrixForm && !PopMatrix(&onMatrix, &target)) return;
  ImportMatrix change;
  switch (op) {
    case kTranslate:
    case kScale: {
      double x, y;
      if (!PopNumber(&y) || !PopNumber(&x)) return;
      change = op == kTranslate ? ImportMatrix::Translate(x, y) : ImportMatrix::Scale(x, y);
      break;
    }
    case kRotate: {
      double angle;
      if (!PopNumber(&angle)) return;
      change = ImportMatrix::Rotate(angle);
      break;
    }
    case kConcat:
      if (!PopMatrix(&change)) return;
      break;
    case kSetMatrix:
      if (!PopMatrix(&change)) return;
      if (!change.IsFinite()) return Fail();
      State().ctm = change;
      return;
    default: {
      // transform and its inverse and distance forms.
      double x, y;
      if (!PopNumber(&y) || !PopNumber(&x)) return;
      ImportMatrix m = matrixForm ? onMatrix : State().ctm;
      const bool distance = op == kDTransform || op == kIDTransform;
      if (distance) m.e = m.f = 0;
      ImportPoint2 result = m.Map(x, y);
      if (op == kITransform || op == kIDTransform) {
        const double determinant = m.Determinant();
        if (determinant == 0) return Fail();
        const double dx = x - m.e, dy = y - m.f;
        result = {(dx * m.d - dy * m.c) / determinant, (dy * m.a - dx * m.b) / determinant};
      }
      PushNumber(result.x);
      PushNumber(result.y);
      return;
    }
  }
  if (matrixForm) {
    StoreMatrix(target, change);
    Push(target);
    return;
  }
  const ImportMatrix result = change.Then(State().ctm);
  if (!result.IsFinite()) return Fail();
  State().ctm = result;
}

// --- Text, images and inline data ---

void CPsInterpreter::Show(int op) {
  static const int kOperands[] = {1, 3, 4, 6, 2, 2, 1, 2};
  const int taken = kOperands[op - kShow];
  for (int i = 0; i < taken; ++i) {
    Object operand;
    if (!Pop(&operand)) return;
  }
  ++m_report->texts;
}

void CPsInterpreter::ConsumeDataSource(const Object& source, double bytes) {
  if (source.IsProcedure()) {
    // The file's own procedure reads the data, a string at a time.
    double read = 0;
    while (read < bytes && !Stopped()) {
      Call(source);
      Object piece;
      if (Stopped() || !Pop(&piece)) return;
      if (piece.type != PsObject::kString || piece.length == 0) return;
      read += piece.length;
    }
    return;
  }
  if (source.type != PsObject::kFile) return;
  const uint32_t flags = source.length;
  if (!(flags & kFileCurrent)) return;
  if (flags & kFileMarked) {
    // The mark and the search's table of it are made again for each source: paid for each time.
    const Object mark = PsObject::Composite(PsObject::kString, source.storage.index, 0, UINT32_MAX);
    const std::string text = Text(mark);
    if (!Spend(text.size())) return;
    m_scanner.SkipPast(text.c_str());
  } else if (flags & kFileAscii85) {
    m_scanner.SkipPast("~>");
  } else if (flags & kFileHex) {
    m_scanner.SkipPast(">");
  } else if (DataEnd() > m_scanner.Position()) {
    m_scanner.SkipTo(DataEnd());
  } else if (flags & kFileCompressed) {
    Fail();  // compressed binary data without a length to pass over
  } else {
    const double left = static_cast<double>(m_scanner.Size() - m_scanner.Position());
    m_scanner.ReadBinary(static_cast<size_t>(std::min(bytes, left)));
  }
  m_dataEnd = 0;
  m_dataLines = 0;
}

void CPsInterpreter::Image(int op) {
  ++m_report->images;
  double width = 0, height = 0, bits = 1, components = 1;
  // The data sources: a dictionary's array of them (walked where it lies), or the operands.
  Object sourceArray;
  std::vector<Object> sources;
  bool separate = false;
  if (op != kColorImage && TopIs(PsObject::kDict)) {
    Object dict;
    Pop(&dict);
    auto number = [&](const char* key, double fallback) {
      const Object* value = Find(dict, key);
      return value && value->type == PsObject::kNumber ? value->number : fallback;
    };
    width = number("Width", 0);
    height = number("Height", 0);
    bits = op == kImageMask ? 1 : number("BitsPerComponent", 8);
    components = op == kImageMask ? 1 : State().components;
    const Object* multiple = Find(dict, "MultipleDataSources");
    separate = multiple && multiple->type == PsObject::kBool && multiple->number != 0;
    const Object* found = Find(dict, "DataSource");
    const Object source = found ? *found : Object();
    if (separate && source.type == PsObject::kArray && !source.executable)
      sourceArray = source;
    else if (found)
      sources.push_back(source);
  } else {
    double count = 1;
    bool multi = false;
    if (op == kColorImage) {
      if (!PopNumber(&count) || !PopBool(&multi)) return;
      if (!(count >= 1 && count <= 4)) return Fail();
    }
    const int sourceCount = multi ? static_cast<int>(count) : 1;
    sources.resize(sourceCount);
    for (int i = sourceCount - 1; i >= 0; --i)
      if (!Pop(&sources[i])) return;
    Object matrix, third;
    if (!Pop(&matrix) || !Pop(&third) || !PopNumber(&height) || !PopNumber(&width)) return;
    bits = op == kImageMask ? 1 : third.number;
    components = op == kColorImage ? count : 1;
    separate = multi;
  }
  if (!(width >= 0 && height >= 0 && bits >= 1 && bits <= 16) || width * height > 1e12)
    return Fail();
  const double perSource = separate ? 1 : components;
  const double bytes = std::ceil(width * bits * perSource / 8) * height;
  Hold holdOperands(this, sources);
  Hold holdArray(this, {sourceArray});
  for (const Object& source : sources) ConsumeDataSource(source, bytes);
  if (!Spend(sourceArray.length)) return;
  for (uint32_t i = 0; i < sourceArray.length && !Stopped(); ++i) {
    const Object* items = m_arena.Elements(sourceArray);
    if (!items) break;
    const Object source = items[i];
    ConsumeDataSource(source, bytes);
  }
  m_dataEnd = 0;
  m_dataLines = 0;
}

void CPsInterpreter::SkipEncrypted() {
  // A Type 1 font's encrypted part ends with lines of zeros before its cleartomark. The part
  // makes the font of the dictionary left on the stack (definefont pop) and ends with the mark
  // that cleartomark takes (mark currentfile closefile): the stack is left as it leaves it.
  if (!m_scanner.SkipPastZeros(kEncryptedEndZeros)) {
    m_cutShort = true;
    return;
  }
  if (TopIs(PsObject::kDict)) m_stack.pop_back();
  Push(PsObject::Of(PsObject::kMark));
}

// --- The operators ---

void CPsInterpreter::RunOperator(int op) {
  if (op >= kDiscard0) {
    // Settings of the device and of rendering: their operands are taken, nothing changes.
    Object operand;
    for (int i = 0; i < op - kDiscard0; ++i)
      if (!Pop(&operand)) return;
    return;
  }
  if (op < kAdd || op == kArrayBegin || op == kDictBegin) return RunStackOperator(op);
  if (op < kExec) return RunArithmeticOperator(op);
  if (op < kCvx) return RunControlOperator(op);
  if (op < kDef) return RunConversionOperator(op);
  if (op < kArray) return RunDictionaryOperator(op);
  if (op < kGsave) return RunArrayOperator(op);
  if (op < kNewPath) return RunGraphicsStateOperator(op);
  if (op < kSetGray) return RunPathOperator(op);
  if (op < kShow) return RunColourOperator(op);
  if (op < kImage) return RunTextOperator(op);
  return RunFileOperator(op);
}

void CPsInterpreter::RunStackOperator(int op) {
  Object a, b;
  long long n = 0, k = 0;
  switch (op) {
    case kPop:
      Pop(&a);
      return;
    case kExch:
      if (m_stack.size() < 2) return Fail();
      std::swap(m_stack[m_stack.size() - 1], m_stack[m_stack.size() - 2]);
      return;
    case kDup:
      if (m_stack.empty()) return Fail();
      Push(Object(m_stack.back()));
      return;
    case kCopy:
      if (!m_stack.empty() && m_stack.back().type != PsObject::kNumber) {
        // The composite form: the second operand takes the first's contents and is the result.
        if (!Pop(&b) || !Pop(&a)) return;
        if (a.type == PsObject::kArray && b.type == PsObject::kArray) {
          const size_t count = std::min(a.length, b.length);
          const Object* from = m_arena.Elements(a);
          Object* to = m_arena.Elements(b);
          if (!Spend(count)) return;
          if (from && to) std::memmove(to, from, count * sizeof(Object));
        } else if (OwnDictionary(a) && OwnDictionary(b)) {
          const CPsDictionary* entries = m_arena.Dictionary(a);
          const size_t places = entries ? entries->Places() : 0;
          if (!Spend(places)) return;
          for (size_t place = 0; place < places; ++place) {
            Object key, value;
            entries = m_arena.Dictionary(a);
            if (entries && entries->EntryAt(place, &key, &value)) m_arena.Put(b, key, value);
          }
        }
        Push(b);
        return;
      }
      if (!PopInt(&n)) return;
      if (n < 0 || static_cast<size_t>(n) > m_stack.size()) return Fail();
      if (!Spend(static_cast<size_t>(n)) || !StackRoom(static_cast<size_t>(n))) return;
      m_stack.reserve(m_stack.size() + static_cast<size_t>(n));
      for (size_t i = m_stack.size() - static_cast<size_t>(n), end = m_stack.size(); i < end; ++i)
        m_stack.push_back(m_stack[i]);
      return;
    case kIndex:
      if (!PopInt(&n)) return;
      if (n < 0 || static_cast<size_t>(n) >= m_stack.size()) return Fail();
      Push(Object(m_stack[m_stack.size() - 1 - static_cast<size_t>(n)]));
      return;
    case kRoll: {
      if (!PopInt(&k) || !PopInt(&n)) return;
      if (n < 0 || static_cast<size_t>(n) > m_stack.size()) return Fail();
      if (n == 0 || !Spend(static_cast<size_t>(n))) return;
      k %= n;
      if (k < 0) k += n;
      auto first = m_stack.end() - static_cast<ptrdiff_t>(n);
      std::rotate(first, m_stack.end() - static_cast<ptrdiff_t>(k), m_stack.end());
      return;
    }
    case kClear:
      m_stack.clear();
      return;
    case kCount:
      PushNumber(static_cast<double>(m_stack.size()), true);
      return;
    case kMark:
    case kArrayBegin:
    case kDictBegin:
      Push(PsObject::Of(PsObject::kMark));
      return;
    case kClearToMark:
    case kCountToMark: {
      const size_t count = CountToMark();
      if (count > m_stack.size()) return Fail();
      if (op == kCountToMark) return PushNumber(static_cast<double>(count), true);
      m_stack.resize(m_stack.size() - count - 1);
      return;
    }
    default:
      return;
  }
}

void CPsInterpreter::RunArithmeticOperator(int op) {
  Object a, b;
  double x = 0, y = 0;
  long long n = 0, k = 0;
  bool flag = false, other = false;
  switch (op) {
    case kAdd:
    case kSub:
    case kMul:
    case kDiv:
    case kIdiv:
    case kMod:
    case kAtan: {
      if (!PopNumber(&y) || !PopNumber(&x)) return;
      double result = 0;
      switch (op) {
        case kAdd:
          result = x + y;
          break;
        case kSub:
          result = x - y;
          break;
        case kMul:
          result = x * y;
          break;
        case kDiv:
          if (y == 0) return Fail();
          result = x / y;
          break;
        case kIdiv:
        case kMod: {
          if (!(std::fabs(x) < kLargestInteger && std::fabs(y) < kLargestInteger)) return Fail();
          const long long dividend = static_cast<long long>(x), divisor = static_cast<long long>(y);
          if (divisor == 0) return Fail();
          result = static_cast<double>(op == kIdiv ? dividend / divisor : dividend % divisor);
          break;
        }
        default: {
          result = std::atan2(x, y) * 180.0 / kPi;
          if (result < 0) result += 360.0;
        }
      }
      return PushNumber(result, op == kIdiv || op == kMod);
    }
    case kNeg:
    case kAbs:
    case kSqrt:
    case kSin:
    case kCos:
    case kExp:
    case kLn:
    case kLog:
    case kTruncate:
    case kRound:
    case kFloor:
    case kCeiling:
    case kCvi:
    case kCvr: {
      if (op == kExp) {
        if (!PopNumber(&y) || !PopNumber(&x)) return;
        return PushNumber(std::pow(x, y));
      }
      if (!PopNumber(&x)) return;
      switch (op) {
        case kNeg:
          return PushNumber(-x);
        case kAbs:
          return PushNumber(std::fabs(x));
        case kSqrt:
          if (x < 0) return Fail();
          return PushNumber(std::sqrt(x));
        case kSin:
          return PushNumber(std::sin(x * kPi / 180.0));
        case kCos:
          return PushNumber(std::cos(x * kPi / 180.0));
        case kLn:
          if (x <= 0) return Fail();
          return PushNumber(std::log(x));
        case kLog:
          if (x <= 0) return Fail();
          return PushNumber(std::log10(x));
        case kTruncate:
          return PushNumber(std::trunc(x));
        case kRound:
          return PushNumber(std::floor(x + 0.5));
        case kFloor:
          return PushNumber(std::floor(x));
        case kCeiling:
          return PushNumber(std::ceil(x));
        case kCvi:
          return PushNumber(std::trunc(x), true);
        default:
          return PushNumber(x);
      }
    }
    case kEq:
    case kNe: {
      if (!Pop(&b) || !Pop(&a)) return;
      bool same = a.type == b.type;
      if (a.type == PsObject::kString && b.type == PsObject::kName)
        same = Text(a) == NameOf(static_cast<int>(b.number));
      else if (a.type == PsObject::kName && b.type == PsObject::kString)
        same = Text(b) == NameOf(static_cast<int>(a.number));
      else if (same && a.type == PsObject::kString)
        same = Text(a) == Text(b);
      else if (same && (a.type == PsObject::kArray || a.type == PsObject::kDict))
        same = a.storage.index == b.storage.index && a.storage.start == b.storage.start &&
               a.length == b.length;
      else if (same && a.type == PsObject::kFile)
        same = a.length == b.length;
      else if (same)
        same = a.number == b.number;
      return PushBool(op == kEq ? same : !same);
    }
    case kGt:
    case kGe:
    case kLt:
    case kLe: {
      if (!PopNumber(&y) || !PopNumber(&x)) return;
      const bool result = op == kGt ? x > y : op == kGe ? x >= y : op == kLt ? x < y : x <= y;
      return PushBool(result);
    }
    case kNot:
      if (!m_stack.empty() && m_stack.back().type == PsObject::kNumber) {
        if (!PopInt(&n)) return;
        return PushNumber(static_cast<double>(~n), true);
      }
      if (!PopBool(&flag)) return;
      return PushBool(!flag);
    case kAnd:
    case kOr:
    case kXor:
      if (!m_stack.empty() && m_stack.back().type == PsObject::kNumber) {
        if (!PopInt(&k) || !PopInt(&n)) return;
        return PushNumber(static_cast<double>(op == kAnd  ? (n & k)
                                              : op == kOr ? (n | k)
                                                          : (n ^ k)),
                          true);
      }
      if (!PopBool(&other) || !PopBool(&flag)) return;
      return PushBool(op == kAnd ? flag && other : op == kOr ? flag || other : flag != other);
    case kTrue:
      return PushBool(true);
    case kFalse:
      return PushBool(false);
    case kNull:
      return Push(Object());
    default:
      return;
  }
}

void CPsInterpreter::RunControlOperator(int op) {
  Object a, b;
  long long n = 0;
  bool flag = false;
  switch (op) {
    case kExec:
      if (!Pop(&a)) return;
      if (a.executable) return ExecuteNested(a);
      return Push(a);
    case kIf:
      if (!PopProcedure(&a) || !PopBool(&flag)) return;
      if (flag) Call(a);
      return;
    case kIfElse:
      if (!PopProcedure(&b) || !PopProcedure(&a) || !PopBool(&flag)) return;
      Call(flag ? a : b);
      return;
    case kRepeat: {
      if (!PopProcedure(&a) || !PopInt(&n)) return;
      Hold hold(this, {a});
      for (long long i = 0; i < n && !Stopped(); ++i) Call(a);
      m_exit = false;
      return;
    }
    case kFor: {
      double limit, step, value;
      if (!PopProcedure(&a) || !PopNumber(&limit) || !PopNumber(&step) || !PopNumber(&value))
        return;
      if (step == 0) return TooComplex();
      Hold hold(this, {a});
      for (; step > 0 ? value <= limit : value >= limit; value += step) {
        if (Stopped()) break;
        PushNumber(value, std::floor(value) == value);
        Call(a);
      }
      m_exit = false;
      return;
    }
    case kLoop: {
      if (!PopProcedure(&a)) return;
      Hold hold(this, {a});
      while (!Stopped()) Call(a);
      m_exit = false;
      return;
    }
    case kForAll:
      if (!PopProcedure(&b) || !Pop(&a)) return;
      ForAll(a, b);
      m_exit = false;
      return;
    case kExit:
      m_exit = true;
      return;
    case kStop:
      m_stop = true;
      return;
    case kStopped: {
      if (!Pop(&a)) return;
      if (a.executable) ExecuteNested(a);
      const bool stopped = m_stop;
      m_stop = false;
      m_exit = false;
      return PushBool(stopped);
    }
    case kQuit:
      m_ended = true;
      return;
    default:
      return;
  }
}

void CPsInterpreter::ForAll(const Object& source, const Object& procedure) {
  Hold hold(this, {source, procedure});
  if (source.type == PsObject::kString) {
    const std::string text = Text(source);
    for (size_t i = 0; i < text.size() && !Stopped(); ++i) {
      PushNumber(static_cast<unsigned char>(text[i]), true);
      Call(procedure);
    }
  } else if (source.type == PsObject::kArray) {
    for (uint32_t i = 0; i < source.length && !Stopped(); ++i) {
      const Object* items = m_arena.Elements(source);
      if (!items) break;
      Push(items[i]);
      Call(procedure);
    }
  } else if (OwnDictionary(source)) {
    // The entries there when it began, in the order they came; one removed meanwhile is left out,
    // but its place is paid for all the same.
    const CPsDictionary* entries = m_arena.Dictionary(source);
    const size_t places = entries ? entries->Places() : 0;
    m_arena.BeginWalk(source);
    for (size_t place = 0; place < places && !Stopped() && Spend(1); ++place) {
      Object key, value;
      entries = m_arena.Dictionary(source);
      if (!entries || !entries->EntryAt(place, &key, &value)) continue;
      Push(key);
      Push(value);
      Call(procedure);
    }
    m_arena.EndWalk(source);
  }
}

void CPsInterpreter::RunConversionOperator(int op) {
  Object a, b;
  switch (op) {
    case kCvx:
    case kCvlit:
      if (m_stack.empty()) return Fail();
      m_stack.back().executable = op == kCvx;
      return;
    case kXcheck:
      if (!Pop(&a)) return;
      return PushBool(a.executable);
    case kCvn:
      if (!Pop(&a)) return;
      b = PsObject::Of(PsObject::kName, Intern(Text(a)));
      b.executable = a.executable;
      return Push(b);
    case kCvs:
      if (!Pop(&b) || !Pop(&a)) return;
      if (a.type == PsObject::kName) {
        const std::string& name = NameOf(static_cast<int>(a.number));
        b = m_arena.NewString(name.substr(0, CPsScanner::kKeptStringBytes), name.size());
      }
      return Push(b);
    case kType:
      if (!Pop(&a)) return;
      return Push(Name(a.type == PsObject::kNumber   ? (a.integer ? "integertype" : "realtype")
                       : a.type == PsObject::kString ? "stringtype"
                       : a.type == PsObject::kArray  ? "arraytype"
                       : a.type == PsObject::kDict   ? "dicttype"
                       : a.type == PsObject::kName   ? "nametype"
                       : a.type == PsObject::kBool   ? "booleantype"
                                                     : "nulltype"));
    case kBind:
    case kNoAccess:
      return;
    default:
      return;
  }
}

void CPsInterpreter::Define(const Object& name, const Object& value) {
  PutInto(CurrentDictionary(), name, value);
}

void CPsInterpreter::PutInto(const Object& dict, const Object& key, const Object& value) {
  if (key.type == PsObject::kNull) return Fail();
  const Object same = KeyOf(key);
  if (!OwnDictionary(dict) && m_arena.Definitions().Size() >= kLargestArray &&
      !m_arena.Find(kDefinitions, same))
    return TooComplex();
  if (!m_arena.Put(OwnDictionary(dict) ? dict : kDefinitions, same, value)) TooComplex();
}

void CPsInterpreter::RunDictionaryOperator(int op) {
  Object a, b;
  double x = 0;
  switch (op) {
    case kDef:
      if (!Pop(&b) || !Pop(&a)) return;
      return Define(a, b);
    case kStore: {
      // Where the key is defined, else in the current dictionary.
      if (!Pop(&b) || !Pop(&a)) return;
      Object where;
      if (FindDefined(KeyOf(a), &where)) return PutInto(where, a, b);
      return Define(a, b);
    }
    case kLoad:
      if (!Pop(&a)) return;
      if (a.type != PsObject::kName) return Fail();
      if (const Object* value = Lookup(static_cast<int>(a.number))) return Push(Object(*value));
      if (BuiltinOf(static_cast<int>(a.number)) >= 0)
        return Push(OperatorObject(BuiltinOf(static_cast<int>(a.number))));
      return Fail();
    case kWhere: {
      if (!Pop(&a)) return;
      Object where;
      if (FindDefined(KeyOf(a), &where) ||
          (a.type == PsObject::kName && BuiltinOf(static_cast<int>(a.number)) >= 0)) {
        Push(where);
        return PushBool(true);
      }
      return PushBool(false);
    }
    case kKnown: {
      if (!Pop(&b) || !Pop(&a)) return;
      // A font, or a dictionary of an operator the read does not know, holds nothing.
      if (a.type != PsObject::kDict) return PushBool(false);
      if (OwnDictionary(a)) return PushBool(m_arena.Find(a, KeyOf(b)) != nullptr);
      // The read's definitions stand for the system's dictionary too.
      return PushBool(m_arena.Find(kDefinitions, KeyOf(b)) ||
                      (b.type == PsObject::kName && BuiltinOf(static_cast<int>(b.number)) >= 0));
    }
    case kDict:
      if (!PopNumber(&x)) return;
      return Push(m_arena.NewDictionary());
    case kBegin:
      if (!Pop(&a)) return;
      // A font, or a dictionary of an operator the read does not know, is one the read does not
      // keep: its definitions go to a dictionary of their own.
      if (a.type != PsObject::kDict) a = m_arena.NewDictionary();
      if (m_dictionaries.size() >= kDeepestDictionaries) return TooComplex();
      m_dictionaries.push_back(a);
      return;
    case kEnd:
      // The permanent dictionaries stay.
      if (!m_dictionaries.empty()) m_dictionaries.pop_back();
      return;
    case kCurrentDict:
      return Push(CurrentDictionary());
    case kSomeDict:
      return Push(kDefinitions);
    case kCountDictStack:
      return PushNumber(static_cast<double>(kPermanentDictionaries + m_dictionaries.size()), true);
    case kUndef:
      if (!Pop(&b) || !Pop(&a)) return;
      if (a.type == PsObject::kDict) m_arena.Remove(OwnDictionary(a) ? a : kDefinitions, KeyOf(b));
      return;
    case kDictEnd: {
      const size_t count = CountToMark();
      if (count > m_stack.size() || count % 2) return Fail();
      a = m_arena.NewDictionary();
      // A key given twice keeps its last value.
      for (size_t i = m_stack.size() - count; i < m_stack.size() && !Stopped(); i += 2) {
        const Object key = KeyOf(m_stack[i]);
        m_arena.Put(a, key, m_stack[i + 1]);
      }
      m_stack.resize(m_stack.size() - count - 1);
      return Push(a);
    }
    default:
      return;
  }
}

void CPsInterpreter::RunArrayOperator(int op) {
  Object a, b, c;
  long long n = 0, k = 0;
  switch (op) {
    case kArray:
    case kString:
      if (!PopInt(&n)) return;
      if (n < 0 || static_cast<size_t>(n) > kLargestArray) return TooComplex();
      if (op == kString) return Push(m_arena.NewString("", static_cast<size_t>(n)));
      if (!Spend(static_cast<size_t>(n))) return;
      return Push(m_arena.NewArray(static_cast<size_t>(n)));
    case kArrayEnd: {
      const size_t count = CountToMark();
      if (count > m_stack.size()) return Fail();
      a = m_arena.NewArray(m_stack.data() + m_stack.size() - count, count);
      m_stack.resize(m_stack.size() - count - 1);
      return Push(a);
    }
    case kAstore: {
      if (!TopIs(PsObject::kArray) || !Pop(&a)) return Fail();
      const size_t count = a.length;
      if (count > m_stack.size()) return Fail();
      if (!Spend(count)) return;
      if (Object* items = m_arena.Elements(a))
        std::copy(m_stack.end() - static_cast<ptrdiff_t>(count), m_stack.end(), items);
      m_stack.resize(m_stack.size() - count);
      return Push(a);
    }
    case kAload:
      if (!TopIs(PsObject::kArray) || !Pop(&a)) return Fail();
      if (!Spend(a.length) || !StackRoom(size_t(a.length) + 1)) return;
      if (const Object* items = m_arena.Elements(a))
        m_stack.insert(m_stack.end(), items, items + a.length);
      return Push(a);
    case kLength:
      if (!Pop(&a)) return;
      if (a.type == PsObject::kName)
        return PushNumber(static_cast<double>(NameOf(static_cast<int>(a.number)).size()), true);
      if (a.type == PsObject::kString || a.type == PsObject::kArray)
        return PushNumber(a.length, true);
      if (OwnDictionary(a) && m_arena.Dictionary(a))
        return PushNumber(static_cast<double>(m_arena.Dictionary(a)->Size()), true);
      return PushNumber(0, true);
    case kGet:
      if (!Pop(&b) || !Pop(&a)) return;
      if (a.type == PsObject::kArray && b.type == PsObject::kNumber) {
        const Object* items = m_arena.Elements(a);
        if (!items || b.number < 0 || b.number >= a.length) return Fail();
        return Push(Object(items[static_cast<size_t>(b.number)]));
      }
      if (a.type == PsObject::kString) return PushNumber(0, true);
      if (a.type == PsObject::kDict) {
        if (const Object* value = m_arena.Find(OwnDictionary(a) ? a : kDefinitions, KeyOf(b)))
          return Push(Object(*value));
        if (!OwnDictionary(a) && b.type == PsObject::kName)
          return Push(OperatorObject(BuiltinOf(static_cast<int>(b.number))));
      }
      return Push(Object());
    case kPut:
      if (!Pop(&c) || !Pop(&b) || !Pop(&a)) return;
      if (a.type == PsObject::kArray && b.type == PsObject::kNumber) {
        Object* items = m_arena.Elements(a);
        if (!items || b.number < 0 || b.number >= a.length) return Fail();
        items[static_cast<size_t>(b.number)] = c;
      } else if (a.type == PsObject::kDict) {
        PutInto(a, b, c);
      }
      return;
    case kGetInterval:
      // The part shares its original's elements.
      if (!PopInt(&k) || !PopInt(&n) || !Pop(&a)) return;
      if ((a.type != PsObject::kString && a.type != PsObject::kArray) || n < 0 || k < 0 ||
          n + k > a.length)
        return Fail();
      a.storage.start += static_cast<uint32_t>(n);
      a.length = static_cast<uint32_t>(k);
      return Push(a);
    case kPutInterval:
      if (!Pop(&c) || !Pop(&b) || !Pop(&a)) return;
      return;
    default:
      return;
  }
}

void CPsInterpreter::RunGraphicsStateOperator(int op) {
  Object a, b, c;
  switch (op) {
    case kGsave:
      if (!m_states.Gsave()) TooComplex();
      return;
    case kSave:
      if (!m_states.Save()) return TooComplex();
      return Push(PsObject::Of(PsObject::kSave));
    case kGrestore:
      return m_states.Grestore();
    case kRestore:
      if (!Pop(&a)) return;
      return m_states.Restore();
    case kGrestoreAll:
      return m_states.GrestoreAll();
    case kInitGraphics:
    case kInitMatrix:
      State().ctm = ImportMatrix::Scale(kMillimetresPerPoint, kMillimetresPerPoint);
      if (op == kInitGraphics) m_states.NewPath();
      return;
    case kMatrix:
      return Push(MatrixObject(ImportMatrix()));
    case kIdentMatrix:
    case kCurrentMatrix:
    case kDefaultMatrix:
      if (!TopIs(PsObject::kArray) || m_stack.back().length != 6) return Fail();
      StoreMatrix(m_stack.back(), op == kCurrentMatrix ? State().ctm
                                  : op == kIdentMatrix ? ImportMatrix()
                                                       : ImportMatrix::Scale(kMillimetresPerPoint,
                                                                             kMillimetresPerPoint));
      return;
    case kConcatMatrix: {
      ImportMatrix first, second, ignored;
      if (!PopMatrix(&ignored, &c) || !PopMatrix(&second) || !PopMatrix(&first)) return;
      StoreMatrix(c, first.Then(second));
      return Push(c);
    }
    case kInvertMatrix: {
      ImportMatrix m, ignored;
      if (!PopMatrix(&ignored, &b) || !PopMatrix(&m)) return;
      const double determinant = m.Determinant();
      if (determinant == 0) return Fail();
      const ImportMatrix inverse = {m.d / determinant,
                                    -m.b / determinant,
                                    -m.c / determinant,
                                    m.a / determinant,
                                    (m.c * m.f - m.d * m.e) / determinant,
                                    (m.b * m.e - m.a * m.f) / determinant};
      StoreMatrix(b, inverse);
      return Push(b);
    }
    case kSetMatrix:
    case kConcat:
    case kTranslate:
    case kScale:
    case kRotate:
    case kTransform:
    case kITransform:
    case kDTransform:
    case kIDTransform:
      return MatrixOperator(op);
    default:
      return;
  }
}

void CPsInterpreter::RunPathOperator(int op) {
  Object a;
  double x = 0, y = 0;
  switch (op) {
    case kNewPath:
      return m_states.NewPath();
    case kMoveTo:
    case kLineTo:
    case kRMoveTo:
    case kRLineTo: {
      if (!PopNumber(&y) || !PopNumber(&x)) return;
      const bool relative = op == kRMoveTo || op == kRLineTo;
      const CImportPath& current = m_states.Path();
      if ((relative || op == kLineTo) && !current.HasCurrentPoint()) return Fail();
      const ImportMatrix& ctm = State().ctm;
      ImportPoint2 p = relative ? ctm.MapDelta(x, y) : ctm.Map(x, y);
      if (relative) p = {current.CurrentPoint().x + p.x, current.CurrentPoint().y + p.y};
      // A line after a close begins a new sub-path at the closed one's start: two points.
      CImportPath* path = EditPath(2);
      if (!path) return;
      if (op == kMoveTo || op == kRMoveTo)
        path->MoveTo(p.x, p.y);
      else
        path->LineTo(p.x, p.y);
      if (path->Overflowed()) TooComplex();
      return;
    }
    case kCurveTo:
    case kRCurveTo: {
      double v[6];
      for (int i = 5; i >= 0; --i)
        if (!PopNumber(&v[i])) return;
      const CImportPath& current = m_states.Path();
      if (!current.HasCurrentPoint()) return Fail();
      ImportPoint2 p[3];
      const ImportPoint2 at = current.CurrentPoint();
      for (int i = 0; i < 3; ++i) {
        if (op == kRCurveTo) {
          const ImportPoint2 d = State().ctm.MapDelta(v[2 * i], v[2 * i + 1]);
          p[i] = {at.x + d.x, at.y + d.y};
        } else {
          p[i] = State().ctm.Map(v[2 * i], v[2 * i + 1]);
        }
      }
      CImportPath* path = EditPath(4);
      if (!path) return;
      path->CurveTo(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
      if (path->Overflowed()) TooComplex();
      return;
    }
    case kClosePath:
      if (CImportPath* path = EditPath(1)) path->Close();
      return;
    case kArc:
    case kArcN:
      return Arc(op == kArcN);
    case kCurrentPoint: {
      if (!m_states.Path().HasCurrentPoint()) return Fail();
      const ImportPoint2 p = UserPoint(m_states.Path().CurrentPoint());
      PushNumber(p.x);
      return PushNumber(p.y);
    }
    case kFill:
    case kEoFill:
      return Paint(true);
    case kStroke:
      return Paint(false);
    case kClip:
    case kFlattenPath:
      return;
    case kRectFill:
    case kRectStroke:
      return PaintRectangles(op == kRectFill);
    case kRectClip:
      if (TopIs(PsObject::kArray)) return void(Pop(&a));
      for (int i = 0; i < 4; ++i)
        if (!PopNumber(&x)) return;
      return;
    case kPathBBox:
      for (int i = 0; i < 4; ++i) PushNumber(0);
      return;
    case kShFill:
      ++m_report->others;
      return void(Pop(&a));
    default:
      return;
  }
}

void CPsInterpreter::RunColourOperator(int op) {
  Object a;
  CPsGraphicsStates::State& state = State();
  switch (op) {
    case kSetGray:
      state.components = 1;
      return SetColourFromStack(1);
    case kSetRgbColor:
      state.components = 3;
      return SetColourFromStack(3);
    case kSetCmykColor:
      state.components = 4;
      return SetColourFromStack(4);
    case kSetHsbColor: {
      double h, s, v;
      if (!PopNumber(&v) || !PopNumber(&s) || !PopNumber(&h)) return;
      const double sector = std::fmod(std::max(0.0, h), 1.0) * 6;
      const double f = sector - std::floor(sector);
      const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
      const double rgb[6][3] = {{v, t, p}, {q, v, p}, {p, v, t}, {p, q, v}, {t, p, v}, {v, p, q}};
      const int i = static_cast<int>(sector) % 6;
      state.colour = Rgb(rgb[i][0], rgb[i][1], rgb[i][2]);
      state.components = 3;
      return;
    }
    case kSetColorSpace: {
      if (!Pop(&a)) return;
      const Object* items = m_arena.Elements(a);
      const Object& family = a.type == PsObject::kArray && items ? items[0] : a;
      state.components = IsName(family, "DeviceRGB") || IsName(family, "CalRGB") ||
                                 IsName(family, "Lab")
                             ? 3
                         : IsName(family, "DeviceCMYK") ? 4
                         : IsName(family, "Pattern")    ? 0
                                                        : 1;
      state.colour = 0;
      return;
    }
    case kSetColor:
      if (state.components == 0 || TopIs(PsObject::kDict))
        return void(Pop(&a));  // a pattern: painted black
      return SetColourFromStack(
          state.components == 1 || state.components == 3 || state.components == 4 ? state.components
                                                                                  : 1);
    case kSetPattern:
      state.colour = 0;
      return void(Pop(&a));
    default:
      return;
  }
}

void CPsInterpreter::RunTextOperator(int op) {
  Object a, b, c;
  switch (op) {
    case kShow:
    case kAShow:
    case kWidthShow:
    case kAWidthShow:
    case kKShow:
    case kXShow:
    case kGlyphShow:
    case kCharPath:
      return Show(op);
    case kStringWidth:
      if (!Pop(&a)) return;
      PushNumber(0);
      return PushNumber(0);
    case kFindFont:
    case kCurrentFont:
      if (op == kFindFont && !Pop(&a)) return;
      b.type = PsObject::kFont;
      return Push(b);
    case kScaleFont:
    case kMakeFont:
    case kDefineFont:
      if (!Pop(&b) || !Pop(&a)) return;
      c.type = PsObject::kFont;
      return Push(c);
    case kSetFont:
      return void(Pop(&a));
    case kSelectFont:
      if (!Pop(&b)) return;
      return void(Pop(&a));
    case kFindResource:
      if (!Pop(&b) || !Pop(&a)) return;
      c.type = PsObject::kDict;
      return Push(c);
    case kDefineResource:
      if (!Pop(&c) || !Pop(&b) || !Pop(&a)) return;
      return Push(b);
    default:
      return;
  }
}

void CPsInterpreter::RunFileOperator(int op) {
  Object a, b, c;
  switch (op) {
    case kImage:
    case kImageMask:
    case kColorImage:
      return Image(op);
    case kCurrentFile:
      a.type = PsObject::kFile;
      a.length = kFileCurrent;
      return Push(a);
    case kFilter: {
      if (!Pop(&c)) return;  // the filter's name
      if (TopIs(PsObject::kDict)) Pop(&b);
      const bool subFile = IsName(c, "SubFileDecode");
      Object marker;
      if (subFile) {
        if (!Pop(&marker) || !Pop(&b)) return;
      }
      if (!Pop(&a)) return;  // the source
      uint32_t flags = a.type == PsObject::kFile ? a.length : 0;
      const std::string mark = Text(marker);
      if (IsName(c, "ASCII85Decode"))
        flags |= kFileAscii85;
      else if (IsName(c, "ASCIIHexDecode"))
        flags |= kFileHex;
      else if (subFile && !mark.empty())
        flags |= kFileMarked;
      else if (!(flags & (kFileAscii85 | kFileHex | kFileMarked)))
        flags |= kFileCompressed;
      // The file keeps its end mark as a string of its own, or its source's.
      b = !mark.empty()               ? m_arena.NewString(mark, mark.size())
          : a.type == PsObject::kFile ? a
                                      : Object();
      b.type = PsObject::kFile;
      b.executable = false;
      b.length = flags;
      return Push(b);
    }
    case kReadHexString:
    case kReadString: {
      if (!Pop(&b) || !Pop(&a)) return;
      if (b.type != PsObject::kString) return Fail();
      const size_t wanted = b.length;
      size_t read = 0;
      if (a.type == PsObject::kFile && a.length == kFileCurrent)
        read = op == kReadHexString ? m_scanner.ReadHex(wanted) : m_scanner.ReadBinary(wanted);
      b.length = static_cast<uint32_t>(read);
      Push(b);
      return PushBool(read == wanted);
    }
    case kReadLine:
      if (!Pop(&b) || !Pop(&a)) return;
      b.length = a.type == PsObject::kFile ? static_cast<uint32_t>(m_scanner.ReadLine()) : 0;
      Push(b);
      return PushBool(a.type == PsObject::kFile);
    case kCloseFile:
      return void(Pop(&a));
    case kStatus:
      if (!Pop(&a)) return;
      return PushBool(false);
    case kEexec:
      if (!Pop(&a)) return;
      return SkipEncrypted();

    case kPushZero:
      return PushNumber(0, true);
    case kPushTrue:
      return PushBool(true);
    case kPushFalse:
      return PushBool(false);
    case kPushVmStatus:
      for (int i = 0; i < 3; ++i) PushNumber(0, true);
      return;
    case kPushLevel:
      return PushNumber(2, true);
    default:
      return;
  }
}
