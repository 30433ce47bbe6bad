// Answers every message box while in scope and keeps what they said, so that a test never blocks
// on a modal box and can check the text a user would have seen.
#pragma once

#include <string>
#include <vector>

#include "framework/MessageBox.h"

struct CapturedMessageBox {
  std::string text;
  std::string caption;
  UINT type;
};

class MessageBoxCapture {
public:
  explicit MessageBoxCapture(int answer = IDOK) : m_answer(answer) {
    m_previous = AfxSetMessageBoxHandler([this](HWND, LPCSTR text, LPCSTR caption, UINT type) {
      m_boxes.push_back({text ? text : "", caption ? caption : "", type});
      return m_answer;
    });
  }
  ~MessageBoxCapture() { AfxSetMessageBoxHandler(std::move(m_previous)); }
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  void SetAnswer(int answer) { m_answer = answer; }
  const std::vector<CapturedMessageBox>& Boxes() const { return m_boxes; }
  size_t Count() const { return m_boxes.size(); }
  const CapturedMessageBox& Last() const { return m_boxes.back(); }

private:
  int m_answer;
  std::vector<CapturedMessageBox> m_boxes;
  AfxMessageBoxHandler m_previous;
};
