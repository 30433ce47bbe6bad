#include "media/scanning/Twain.h"

#include <cstring>
#include <string>

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

const char kManagerFile[] = "TWAIN_32.DLL";
const char kEntryName[] = "DSM_Entry";

// The process-wide manager and source.
HMODULE g_module = nullptr;
TwainEntryProc g_entry = nullptr;
TwainEntryProc g_givenEntry = nullptr;
// 0 not yet tested, 1 present, -1 absent.
int g_available = 0;
TwainIdentity g_source = {};
std::string g_managerPath;

void CopyName(char (&target)[34], const char* name) {
  std::memset(target, 0, sizeof target);
  std::strncpy(target, name, sizeof target - 1);
}

TwainIdentity MakeApplicationIdentity() {
  TwainIdentity identity = {};
  identity.version.majorNum = 1;
  identity.version.minorNum = 0;
  identity.version.language = 13;
  identity.version.country = 1;
  CopyName(identity.version.info, "<?>");
  identity.protocolMajor = 1;
  identity.protocolMinor = 6;
  identity.supportedGroups = twain::kControl | twain::kImage;
  CopyName(identity.manufacturer, "<?>");
  CopyName(identity.productFamily, "<?>");
  CopyName(identity.productName, "<?>");
  return identity;
}

std::string InFolder(UINT(WINAPI* folderOf)(LPSTR, UINT)) {
  char folder[MAX_PATH] = "";
  UINT length = folderOf(folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return std::string();
  std::string path(folder);
  if (path.back() != '\\') path += '\\';
  return path + kManagerFile;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The manager's module with its entry bound, or null (nothing stays loaded then).
HMODULE LoadManagerFile(const std::string& path, TwainEntryProc* entry) {
  if (!FileExists(path)) return nullptr;
  HMODULE module = ::LoadLibraryA(path.c_str());
  if (!module) return nullptr;
  *entry = reinterpret_cast<TwainEntryProc>(
      reinterpret_cast<void*>(::GetProcAddress(module, kEntryName)));
  if (*entry) return module;
  ::FreeLibrary(module);
  return nullptr;
}

}  // namespace

CTwain::CTwain()
    : m_state(1),
      m_savedState(1),
      m_identity(MakeApplicationIdentity()),
      m_lastCode(twain::kSuccess),
      m_interface(),
      m_showInterface(1),
      m_pending(),
      m_owner(nullptr) {}

CTwain::~CTwain() {
  // Only the base's operations run here: the derived parts are gone.
  if (m_state >= 3) CloseSourceManager(m_owner);
  UnloadSourceManager();
}

void CTwain::UseSourceManager(TwainEntryProc entry) {
  if (g_module) ::FreeLibrary(g_module);
  g_module = nullptr;
  g_givenEntry = entry;
  g_entry = entry;
  g_available = entry ? 1 : 0;
  g_source = TwainIdentity();
}

void CTwain::SetManagerPath(LPCSTR path) { g_managerPath = path ? path : ""; }

const TwainIdentity& CTwain::CurrentSource() { return g_source; }

bool CTwain::BindManager() {
  if (g_entry) return true;
  if (g_givenEntry) {
    g_entry = g_givenEntry;
    return true;
  }
  if (!g_managerPath.empty()) {
    g_module = LoadManagerFile(g_managerPath, &g_entry);
  } else {
    g_module = LoadManagerFile(InFolder(::GetWindowsDirectoryA), &g_entry);
    if (!g_module) g_module = LoadManagerFile(InFolder(::GetSystemDirectoryA), &g_entry);
  }
  if (!g_module) g_entry = nullptr;
  return g_entry != nullptr;
}

void CTwain::SetState(int state) {
  m_state = state;
  OnStateChanged(state);
}

WORD CTwain::Call(TwainIdentity* destination, DWORD group, WORD dataType, WORD message,
                  void* data) {
  m_lastCode = g_entry ? g_entry(&m_identity, destination, group, dataType, message, data)
                       : twain::kFailure;
  return m_lastCode;
}

HWND CTwain::OwnerWindow(HWND window) const {
  if (window) return window;
  if (m_owner) return m_owner;
  CWnd* main = AfxGetMainWnd();
  return main ? main->GetSafeHwnd() : nullptr;
}

bool CTwain::IsTwainAvailable() {
  if (g_entry) return true;
  if (g_available == 0) g_available = LoadSourceManager() ? 1 : -1;
  return g_available == 1;
}

bool CTwain::LoadSourceManager() {
  if (m_state >= 2) return true;
  if (!BindManager()) return false;
  g_available = 1;
  SetState(2);
  return true;
}

bool CTwain::UnloadSourceManager() {
  if (m_state == 2) {
    if (g_module) ::FreeLibrary(g_module);
    g_module = nullptr;
    g_entry = nullptr;
    SetState(1);
  }
  return m_state == 1;
}

bool CTwain::OpenSourceManager(HWND window) {
  if (!LoadSourceManager()) return false;
  if (m_state >= 3) return true;
  HWND parent = OwnerWindow(window);
  if (Call(nullptr, twain::kControl, twain::kParent, twain::kOpenManager, &parent) ==
      twain::kSuccess)
    SetState(3);
  return m_state >= 3;
}

bool CTwain::OpenSource() {
  if (m_state != 3) return m_state == 4;
  // An empty identity opens the manager's default source.
  g_source = TwainIdentity();
  if (Call(nullptr, twain::kControl, twain::kIdentity, twain::kOpenSource, &g_source) ==
      twain::kSuccess)
    SetState(4);
  return m_state == 4;
}

bool CTwain::EnableSource(HWND window) {
  if (m_state != 4) return m_state == 5;
  m_interface.showUI = static_cast<WORD>(m_showInterface);
  m_interface.parent = OwnerWindow(window);
  if (Call(&g_source, twain::kControl, twain::kUserInterface, twain::kEnableSource, &m_interface) ==
      twain::kSuccess)
    SetState(5);
  return m_state == 5;
}

bool CTwain::DisableSource() {
  if (m_state == 5 && Call(&g_source, twain::kControl, twain::kUserInterface, twain::kDisableSource,
                           &m_interface) == twain::kSuccess)
    SetState(4);
  return m_state < 5;
}

bool CTwain::CloseSource() {
  if (m_state == 5) DisableSource();
  if (m_state == 4 && Call(nullptr, twain::kControl, twain::kIdentity, twain::kCloseSource,
                           &g_source) == twain::kSuccess)
    SetState(3);
  return m_state < 4;
}

bool CTwain::CloseSourceManager(HWND window) {
  if (m_state >= 4) CloseSource();
  if (m_state == 3) {
    HWND parent = OwnerWindow(window);
    if (Call(nullptr, twain::kControl, twain::kParent, twain::kCloseManager, &parent) ==
        twain::kSuccess)
      SetState(2);
  }
  return m_state < 3;
}

bool CTwain::EndTransfer() {
  if (m_state == 7 && Call(&g_source, twain::kControl, twain::kPendingTransfers,
                           twain::kEndTransfer, &m_pending) == twain::kSuccess)
    SetState(m_pending.count != 0 ? 6 : 5);
  return m_state < 7;
}

bool CTwain::ResetTransfers() {
  if (m_state == 7) EndTransfer();
  if (m_state == 6 && Call(&g_source, twain::kControl, twain::kPendingTransfers, twain::kReset,
                           &m_pending) == twain::kSuccess)
    SetState(5);
  return m_state < 6;
}

bool CTwain::DropToState(int target, HWND window) {
  while (m_state > target) {
    int before = m_state;
    switch (m_state) {
      case 7:
        EndTransfer();
        break;
      case 6:
        ResetTransfers();
        break;
      case 5:
        DisableSource();
        break;
      case 4:
        CloseSource();
        break;
      case 3:
        CloseSourceManager(window);
        break;
      default:
        UnloadSourceManager();
        break;
    }
    if (m_state >= before) return false;
  }
  return true;
}

bool CTwain::SelectSource(HWND window) {
  int before = m_state;
  if (!OpenSourceManager(window)) {
    OnError(kManagerNotOpened);
    DropToState(before, window);
    return false;
  }
  TwainIdentity chosen = {};
  Call(nullptr, twain::kControl, twain::kIdentity, twain::kGetDefault, &chosen);
  bool selected = Call(nullptr, twain::kControl, twain::kIdentity, twain::kUserSelect, &chosen) ==
                  twain::kSuccess;
  DropToState(before, window);
  return selected;
}

bool CTwain::Acquire(HWND window) {
  m_savedState = m_state;
  struct Step {
    int below;
    Error error;
  };
  const Step steps[] = {{3, kManagerNotOpened}, {4, kSourceNotOpened}, {5, kSourceNotEnabled}};
  for (const Step& step : steps) {
    if (m_state >= step.below) continue;
    bool raised = step.below == 3   ? OpenSourceManager(window)
                  : step.below == 4 ? OpenSource()
                                    : EnableSource(window);
    if (!raised) {
      OnError(step.error);
      DropToState(m_savedState, window);
      return false;
    }
  }
  return true;
}

bool CTwain::ProcessEvent(MSG* message) {
  if (m_state < 5 || !message) return false;
  TwainEvent event = {message, twain::kNull};
  WORD code = Call(&g_source, twain::kControl, twain::kEvent, twain::kProcessEvent, &event);
  if (event.message == twain::kTransferReady) {
    SetState(6);
    TransferImages();
  } else if (event.message == twain::kCloseSourceRequest) {
    SetState(5);
    OnCloseRequest();
  }
  // A message the source took is never the owner's, whatever it asks for.
  return code == twain::kSourceEvent;
}

void CTwain::TransferImages() {
  int failures = 0;
  while (m_state == 6) {
    // Room for a handle of either width; a 1.x source on 32 bits writes 32 of them.
    HGLOBAL image = nullptr;
    WORD code = Call(&g_source, twain::kImage, twain::kImageNativeTransfer, twain::kGet, &image);
    if (code == twain::kTransferDone || code == twain::kCancel) SetState(7);
    HGLOBAL kept = code == twain::kTransferDone ? image : nullptr;
    if (m_state == 7) {
      failures = 0;
      EndTransfer();
    } else if (++failures >= kTransferAttempts) {
      // The source cannot deliver: give up the pending images rather than ask forever.
      ResetTransfers();
      OnError(kTransferFailed);
      break;
    }
    if (kept) OnImage(kept);
  }
  if (m_state == 7) OnError(kTransferFailed);
}

void CTwain::OnCloseRequest() { CloseSource(); }

void CTwain::OnImage(HGLOBAL image) { ::GlobalFree(image); }

void CTwain::OnStateChanged(int) {}

void CTwain::OnError(int) {}
