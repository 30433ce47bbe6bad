#include "framework/PtrList.h"

#include "framework/InvalidArgException.h"

CPtrList::~CPtrList() { RemoveAll(); }

CPtrList::Node* CPtrList::NodeOf(POSITION position) {
  if (!position) AfxThrowInvalidArgException();
  return static_cast<Node*>(position);
}

CPtrList::Node* CPtrList::NewNode(Node* prev, Node* next, void* item) {
  Node* node = new Node;
  node->prev = prev;
  node->next = next;
  node->data = item;
  if (prev)
    prev->next = node;
  else
    m_head = node;
  if (next)
    next->prev = node;
  else
    m_tail = node;
  ++m_count;
  return node;
}

void*& CPtrList::GetHead() {
  if (!m_head) AfxThrowInvalidArgException();
  return m_head->data;
}

void*& CPtrList::GetTail() {
  if (!m_tail) AfxThrowInvalidArgException();
  return m_tail->data;
}

void* CPtrList::RemoveHead() {
  void* item = GetHead();
  RemoveAt(m_head);
  return item;
}

void* CPtrList::RemoveTail() {
  void* item = GetTail();
  RemoveAt(m_tail);
  return item;
}

POSITION CPtrList::AddHead(void* item) { return NewNode(nullptr, m_head, item); }

POSITION CPtrList::AddTail(void* item) { return NewNode(m_tail, nullptr, item); }

void CPtrList::AddTail(CPtrList* other) {
  if (!other || other == this) AfxThrowInvalidArgException();
  for (Node* node = other->m_head; node; node = node->next) AddTail(node->data);
}

void CPtrList::RemoveAll() {
  Node* node = m_head;
  while (node) {
    Node* next = node->next;
    delete node;
    node = next;
  }
  m_head = m_tail = nullptr;
  m_count = 0;
}

void*& CPtrList::GetNext(POSITION& position) {
  Node* node = NodeOf(position);
  position = Pos(node->next);
  return node->data;
}

void*& CPtrList::GetPrev(POSITION& position) {
  Node* node = NodeOf(position);
  position = Pos(node->prev);
  return node->data;
}

void*& CPtrList::GetAt(POSITION position) { return NodeOf(position)->data; }

void CPtrList::SetAt(POSITION position, void* item) { NodeOf(position)->data = item; }

void CPtrList::RemoveAt(POSITION position) {
  Node* node = NodeOf(position);
  if (node->prev)
    node->prev->next = node->next;
  else
    m_head = node->next;
  if (node->next)
    node->next->prev = node->prev;
  else
    m_tail = node->prev;
  delete node;
  --m_count;
}

POSITION CPtrList::InsertBefore(POSITION position, void* item) {
  if (!position) return AddHead(item);
  Node* node = NodeOf(position);
  return NewNode(node->prev, node, item);
}

POSITION CPtrList::InsertAfter(POSITION position, void* item) {
  if (!position) return AddTail(item);
  Node* node = NodeOf(position);
  return NewNode(node, node->next, item);
}

POSITION CPtrList::Find(void* item, POSITION startAfter) const {
  Node* node = startAfter ? static_cast<Node*>(startAfter)->next : m_head;
  for (; node; node = node->next) {
    if (node->data == item) return Pos(node);
  }
  return nullptr;
}

POSITION CPtrList::FindIndex(INT_PTR index) const {
  if (index < 0 || index >= m_count) return nullptr;
  Node* node = m_head;
  while (index-- > 0) node = node->next;
  return Pos(node);
}
