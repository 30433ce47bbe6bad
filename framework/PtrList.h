// CPtrList: a doubly linked list of pointers addressed by POSITION values.
#pragma once

#include "framework/Object.h"

struct __POSITION {};
typedef __POSITION* POSITION;

class CPtrList : public CObject {
public:
  CPtrList() = default;
  ~CPtrList() override;
  CPtrList(const CPtrList&) = delete;
  CPtrList& operator=(const CPtrList&) = delete;

  INT_PTR GetCount() const { return m_count; }
  INT_PTR GetSize() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }

  void*& GetHead();
  void*& GetTail();
  void* RemoveHead();
  void* RemoveTail();
  POSITION AddHead(void* item);
  POSITION AddTail(void* item);
  void AddTail(CPtrList* other);
  void RemoveAll();

  POSITION GetHeadPosition() const { return Pos(m_head); }
  POSITION GetTailPosition() const { return Pos(m_tail); }
  // Returns the item at position and moves position on (to null after the last item).
  void*& GetNext(POSITION& position);
  void*& GetPrev(POSITION& position);
  void*& GetAt(POSITION position);
  void SetAt(POSITION position, void* item);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, void* item);
  POSITION InsertAfter(POSITION position, void* item);

  POSITION Find(void* item, POSITION startAfter = nullptr) const;
  POSITION FindIndex(INT_PTR index) const;

private:
  struct Node : __POSITION {
    Node* next;
    Node* prev;
    void* data;
  };
  static POSITION Pos(Node* node) { return node; }
  static Node* NodeOf(POSITION position);
  Node* NewNode(Node* prev, Node* next, void* item);

  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  INT_PTR m_count = 0;
};
