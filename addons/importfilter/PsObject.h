// PsObject: a PostScript object as the interpreter keeps it, sixteen bytes copied freely. Simple
// objects hold their value. Composite objects (arrays and procedures, strings, dictionaries) hold
// the index of their storage in the read's arena (CPsArena) and, arrays and strings, the part of
// it they see, so that getinterval shares its original's elements as PostScript's composites
// do. An object owns nothing: dropping one frees nothing, and objects that hold one another, in
// a cycle or a chain of any length, are never walked recursively.
#pragma once

#include <cstdint>

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
  // A dictionary's storage index 0 is the read's definitions, which every dictionary made
  // with dict, userdict or currentdict stands for.
  static const uint32_t kDefinitions = 0;

  Type type = kNull;
  bool executable = false;
  bool integer = false;  // a number without a fraction, as written or as an operator made it
  uint32_t length = 0;   // of an array's or string's part; a file's flags
  union {
    double number = 0;  // a number; a bool 0 or 1; a name's or operator's id
    struct {
      uint32_t index;  // in the arena; a file's end mark (a string), 0 for none
      uint32_t start;  // of an array's or string's part
    } storage;
  };

  bool IsComposite() const { return type == kString || type == kArray || type == kDict; }
  bool IsProcedure() const { return type == kArray && executable; }

  static PsObject Of(Type type, double number = 0) {
    PsObject object;
    object.type = type;
    object.number = number;
    return object;
  }
  static PsObject Composite(Type type, uint32_t index, uint32_t start, uint32_t length) {
    PsObject object;
    object.type = type;
    object.storage.index = index;
    object.storage.start = start;
    object.length = length;
    return object;
  }
};
static_assert(sizeof(PsObject) == 16, "the stack, arrays and memory charges count on it");
