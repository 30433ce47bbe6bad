// CTwain: one scanner connection through the TWAIN source manager's entry DSM_Entry. It keeps the
// connection in the protocol's seven states (1 manager not loaded, 2 loaded, 3 manager open,
// 4 source open, 5 source enabled, 6 transfer ready, 7 transferring), changes a state only when
// the manager answers with success, and tells a derived class of every state change, every image
// (a packed device-independent bitmap in movable global memory that the receiver owns) and every
// failure through its virtual operations. Images arrive through the owner's message loop: the
// owner passes every message to ProcessEvent before its own translation.
//
// The manager's module, its entry and the current source's identity are process-wide: at most one
// object is in use at a time, on the user-interface thread. The manager is looked for as
// TWAIN_32.DLL in the Windows folder and then in the system folder (where 64-bit Windows and Wine
// keep it); tests put an entry of their own in its place.
#pragma once

#include <windows.h>

#include "media/scanning/TwainTypes.h"

class CTwain {
public:
  // What OnError reports.
  enum Error {
    kManagerNotOpened = 0,
    kSourceNotOpened = 1,
    kSourceNotEnabled = 2,
    // A native transfer kept failing; the transfers were reset.
    kTransferFailed = 3,
  };
  // Failed native transfers in a row after which the transfers are reset.
  static constexpr int kTransferAttempts = 3;

  CTwain();
  virtual ~CTwain();
  CTwain(const CTwain&) = delete;
  CTwain& operator=(const CTwain&) = delete;

  int GetState() const { return m_state; }
  WORD GetLastCode() const { return m_lastCode; }
  void SetParentWnd(HWND window) { m_owner = window; }
  void SetShowInterface(bool show) { m_showInterface = show ? 1 : 0; }

  bool IsTwainAvailable();
  bool LoadSourceManager();
  bool UnloadSourceManager();
  bool OpenSourceManager(HWND window);
  bool OpenSource();
  bool EnableSource(HWND window);
  bool DisableSource();
  bool CloseSource();
  bool CloseSourceManager(HWND window);
  bool EndTransfer();
  bool ResetTransfers();
  // Leaves state after state until the target is reached; false at the first step that fails.
  bool DropToState(int target, HWND window = nullptr);

  // Shows the manager's source chooser; the choice becomes the manager's default source. Returns
  // to the state it began in.
  bool SelectSource(HWND window = nullptr);
  // Raises the connection to an enabled source (state 5); a failure returns to the state it began
  // in.
  bool Acquire(HWND window = nullptr);
  // True when the message was the source's and must not be dispatched.
  bool ProcessEvent(MSG* message);

  // The process-wide manager entry for tests: an entry of their own, or null to forget any
  // manager (loaded or given) and the availability found.
  static void UseSourceManager(TwainEntryProc entry);
  // The manager file to load instead of the folders' TWAIN_32.DLL (tests); null for the folders.
  static void SetManagerPath(LPCSTR path);
  static const TwainIdentity& CurrentSource();

protected:
  virtual void TransferImages();
  virtual void OnCloseRequest();
  virtual void OnImage(HGLOBAL image);
  virtual void OnStateChanged(int state);
  virtual void OnError(int code);

private:
  void SetState(int state);
  WORD Call(TwainIdentity* destination, DWORD group, WORD dataType, WORD message, void* data);
  HWND OwnerWindow(HWND window) const;
  static bool BindManager();

  int m_state;
  int m_savedState;
  TwainIdentity m_identity;
  WORD m_lastCode;
  TwainUserInterface m_interface;
  int m_showInterface;
  TwainPendingTransfers m_pending;
  HWND m_owner;
};
