// A block whose per-tool operations only log their names and answer `answer`, so that the
// dispatchers of the base class can be checked against their tables.
#pragma once

#include <string>
#include <vector>

#include "model/blocks/Block.h"

class LoggingBlock : public CBlock {
public:
#define LOGGING_BOOL_OP(name, params) \
  BOOL name params override {         \
    calls.push_back(#name);           \
    return answer;                    \
  }
#define LOGGING_VOID_OP(name, params) \
  void name params override { calls.push_back(#name); }

  LOGGING_BOOL_OP(CanNodeEdit, ())
  LOGGING_BOOL_OP(CanTextEdit, ())
  LOGGING_BOOL_OP(BeginNodeEdit, (CBlockView*))
  LOGGING_BOOL_OP(BeginTextEdit, (CBlockView*))
  LOGGING_VOID_OP(TextDelete, (CBlockView*))
  LOGGING_VOID_OP(TextBackspace, (CBlockView*))
  LOGGING_VOID_OP(NodeDelete, (CBlockView*))
  LOGGING_VOID_OP(NodeBackspace, (CBlockView*))
  LOGGING_BOOL_OP(EndNodeEdit, (CBlockView*))
  LOGGING_BOOL_OP(EndTextEdit, (CBlockView*))
  LOGGING_VOID_OP(DrawTextEditOverlay, (CDC*, CMatrix2D*))
  LOGGING_VOID_OP(DrawNodeEditOverlay, (CDC*, CMatrix2D*))
  LOGGING_BOOL_OP(SelectUpdateCursor, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(TextUpdateCursor, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(NodeUpdateCursor, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(DragUpdateCursor, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(SelectResetCursor, (CBlockView*))
  LOGGING_BOOL_OP(TextResetCursor, (CBlockView*))
  LOGGING_BOOL_OP(NodeResetCursor, (CBlockView*))
  LOGGING_BOOL_OP(DragResetCursor, (CBlockView*))
  LOGGING_BOOL_OP(SelectOnLButtonDown, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(TextOnLButtonDown, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(NodeOnLButtonDown, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(SelectOnMouseMove, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(TextOnMouseMove, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(NodeOnMouseMove, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(FinishHandleDrag, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(TextOnLButtonUp, (CBlockView*, UINT, float, float))
  LOGGING_BOOL_OP(NodeOnLButtonUp, (CBlockView*, UINT, float, float))
  LOGGING_VOID_OP(DrawFilled, (CDC*, CMatrix2D*, int))
  LOGGING_VOID_OP(DrawOutline, (CDC*, CMatrix2D*, int))

  BOOL TextOnChar(CBlockView*, UINT, UINT flags) override {
    return LogWithFlags("TextOnChar", flags);
  }
  BOOL NodeOnChar(CBlockView*, UINT, UINT flags) override {
    return LogWithFlags("NodeOnChar", flags);
  }
  BOOL TextOnKeyDown(CBlockView*, UINT, UINT flags) override {
    return LogWithFlags("TextOnKeyDown", flags);
  }
  BOOL NodeOnKeyDown(CBlockView*, UINT, UINT flags) override {
    return LogWithFlags("NodeOnKeyDown", flags);
  }
  BOOL HitTest(CBlockView*, float, float) override { return hit; }

#undef LOGGING_BOOL_OP
#undef LOGGING_VOID_OP

  // The last call logged, empty when none.
  std::string Last() const { return calls.empty() ? std::string() : calls.back(); }

  std::vector<std::string> calls;
  std::vector<UINT> flagsSeen;
  BOOL answer = TRUE;
  BOOL hit = TRUE;

private:
  BOOL LogWithFlags(const char* name, UINT flags) {
    calls.push_back(name);
    flagsSeen.push_back(flags);
    return answer;
  }
};
