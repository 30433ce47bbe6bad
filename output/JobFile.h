// CJobFile: a cut job handed to the job manager. The editor writes the job file (signature
// "ODSINFO") in the temporary folder and passes its path to the manager's main window in a global
// atom; the manager reads and queues it and deletes the atom, which tells the editor that the job
// was taken. From then on the manager owns the job file and the plot-data file it names.
//
// The job file, little-endian:
//   +0 signature "ODSINFO" in 16 bytes, NUL-padded   +16 version, 32-bit float 6.0
//   +20 five zero bytes                               +25 output method, 16-bit
//   +27 port name, 200 bytes, NUL-terminated          +227 offset of the document name (255)
//   +231 four zero bytes                              +235 offset of the data path
//   +239 sixteen zero bytes
//   +255 document name with its NUL (at most 119 characters are read back), then the data-file
//   path with its NUL (at most 149).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/String.h"

class CJobFile {
public:
  static const size_t kHeaderSize = 255;
  static const size_t kPortNameSize = 200;
  static const size_t kDocumentNameSize = 120;
  static const size_t kDataPathSize = 150;
  static constexpr float kVersion = 6.0f;
  // The hand-over messages to the manager's main window.
  static const UINT kBeginHandOver = WM_USER + 1;
  static const UINT kEndHandOver = WM_USER + 2;
  static const UINT kHandOverJob = WM_USER + 3;

  CJobFile();

  // The fields, each cut to what its place holds (one byte is kept for the NUL); the data path
  // is kept whole, and a job whose data path does not fit is not handed over.
  void SetOutputMethod(short method) { m_outputMethod = method; }
  void SetPortName(LPCSTR name);
  void SetDocumentName(LPCSTR name);
  void SetDataPath(LPCSTR path);
  void SetVersion(float version) { m_version = version; }
  short GetOutputMethod() const { return m_outputMethod; }
  const CString& GetPortName() const { return m_portName; }
  const CString& GetDocumentName() const { return m_documentName; }
  const CString& GetDataPath() const { return m_dataPath; }
  float GetVersion() const { return m_version; }

  // The whole job file as it is written.
  std::vector<BYTE> BuildBytes() const;
  // Reads a job file as the job manager does: the signature must be "ODSINFO" and the version at
  // least 6.0; the names are read at their offsets, the document name cut to 119 characters.
  // False for a file that is missing, short, of another kind or with offsets outside the names'
  // part, and for a data path that is empty or does not end (with its NUL) within 150 bytes and
  // within the file.
  bool Read(LPCSTR path);
  bool ReadBytes(const BYTE* data, size_t size);

  // Writes the job file under a new name ("OSI....TMP") in the temporary folder; false, leaving
  // no file, when it cannot be made.
  bool WriteToFile();
  const CString& GetPath() const { return m_path; }

  // The manager's main window by its title, or null; the result is also kept.
  HWND FindManagerWindow();
  // The manager's title, the same in every language of either program, so that an editor of one
  // language finds a manager of another. Compared in its wide form: it does not depend on the
  // code page either process runs in.
  static std::wstring ManagerTitle();
  // Writes the job file and hands the job to the manager, starting the manager when it is not
  // running and waiting (bounded) for its window. True when the manager took the job. A data
  // path longer than the manager reads (149 characters) goes as its short form, or not at all.
  // Any failure is reported to the user and deletes the job file and the data file: a job is
  // never dropped silently.
  bool SendToManager();

  // The manager program (default: ORV.EXE in the program folder) and how long a newly started
  // one is waited for.
  void SetManagerProgram(LPCSTR path) { m_managerProgram = path; }
  void SetStartWait(DWORD milliseconds) { m_startWaitMilliseconds = milliseconds; }

private:
  bool FitDataPath();
  HWND StartManager();
  void DeleteFiles() const;
  void ReportFailure(LPCSTR text, LPCSTR caption) const;

  short m_outputMethod;
  float m_version;
  CString m_portName;
  CString m_documentName;
  CString m_dataPath;
  HWND m_managerWindow;
  CString m_path;
  CString m_managerProgram;
  DWORD m_startWaitMilliseconds;
};
