// Runs the real editor from a private copy of the program folder and watches its windows from
// outside: every wait is bounded, message boxes can be read and answered, and the editor is
// always ended when the object goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"

// The folder of this test program, with a trailing backslash.
std::string TestProgramFolder();

class EditorProcess {
public:
  struct Options {
    bool englishLibrary = true;
    // The program folder's transform library; without it every start reports it missing.
    bool transformLibrary = true;
  };

  EditorProcess();
  explicit EditorProcess(const Options& options);
  ~EditorProcess();
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;

  const std::string& Folder() const { return m_folder.Path(); }
  std::string SettingsFile() const { return m_folder.File("TALVEX42.INI"); }
  std::string ReadSetting(const char* section, const char* key) const;
  void WriteSetting(const char* section, const char* key, const char* value) const;

  // Starts TALVEX42.exe with the arguments; false when it could not be started.
  bool Start(const std::string& arguments = "");
  bool IsRunning() const;
  // Waits for the process to end; false when it is still running after the timeout.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);

  // The editor's main window once it is shown, or null after the timeout. Message boxes that
  // come up meanwhile are left alone.
  HWND WaitForMainWindow(DWORD timeoutMs);
  // A message box (dialog window) of the editor, or null after the timeout.
  HWND WaitForMessageBox(DWORD timeoutMs);
  // The visible top-level windows of the editor.
  std::vector<HWND> TopLevelWindows() const;

  // Asks the editor to close and waits; ends the process by force when it does not go.
  void Close();

private:
  void CopyProgramFolder(const Options& options);

  TempFolder m_folder;
  PROCESS_INFORMATION m_process;
};

std::string WindowText(HWND window);
std::string ClassName(HWND window);
// The text of a message box (its static text control).
std::string MessageBoxText(HWND box);
// Presses the button with the id in a dialog of another process.
void PressButton(HWND dialog, int id);
// The child windows of a window, at any depth, of a window class.
std::vector<HWND> ChildWindows(HWND parent, const char* className);
