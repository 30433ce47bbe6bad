// Answers modal dialogs while in scope: each dialog that appears gets the next action (which
// can set controls, post commands or end it). A dialog that is still open once everything it was
// sent has been handled is cancelled and counted as stuck, so a test never blocks.
#pragma once

#include <deque>
#include <functional>
#include <utility>

#include "framework/Dialog.h"

class ModalDialogDriver {
public:
  using Action = std::function<void(CDialog* dialog)>;

  ModalDialogDriver() {
    m_previous = AfxSetModalDialogHandler(
        [this](CWnd* window, int idleCount) { OnIdle(window, idleCount); });
  }
  ~ModalDialogDriver() { AfxSetModalDialogHandler(std::move(m_previous)); }
  ModalDialogDriver(const ModalDialogDriver&) = delete;
  ModalDialogDriver& operator=(const ModalDialogDriver&) = delete;

  void Then(Action action) { m_actions.push_back(std::move(action)); }
  int Shown() const { return m_shown; }
  int Stuck() const { return m_stuck; }

  // Common actions
  static Action PressOk() {
    return [](CDialog* dialog) { dialog->PostMessage(WM_COMMAND, IDOK); };
  }
  static Action PressCancel() {
    return [](CDialog* dialog) { dialog->PostMessage(WM_COMMAND, IDCANCEL); };
  }
  // A list or combo entry chosen as a click would: the selection set, then its notification.
  static void Choose(HWND dialog, UINT list, UINT message, UINT notification, WPARAM index) {
    HWND control = GetDlgItem(dialog, static_cast<int>(list));
    SendMessageA(control, message, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, notification),
                 reinterpret_cast<LPARAM>(control));
  }

private:
  void OnIdle(CWnd* window, int idleCount) {
    auto* dialog = static_cast<CDialog*>(window);
    if (idleCount == 0) {
      ++m_shown;
      if (!m_actions.empty()) {
        Action action = std::move(m_actions.front());
        m_actions.pop_front();
        action(dialog);
        return;
      }
    }
    ++m_stuck;
    dialog->EndDialog(IDCANCEL);
  }

  std::deque<Action> m_actions;
  int m_shown = 0;
  int m_stuck = 0;
  AfxModalDialogHandler m_previous;
};
