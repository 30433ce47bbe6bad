// COutPort: the one destination of plotter data. Opened from a port name (printer queue, file,
// serial or parallel port, USB plotter plug-in), written string by string and closed. Writers pump
// one window message per step so that a stop button stays alive, and every writer stops as soon
// as the port is cancelled. An owner that writes many small commands to a file may have them
// gathered in memory (EnableFileBuffer): the file gets the same bytes in few system writes.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "framework/String.h"
#include "media/PlotterPlugIn.h"
#include "model/settings/IniFile.h"

class COutPort {
public:
  enum State { kIdle = 0, kOpened = 1, kWriting = 2, kCancelled = -1 };
  enum Method { kMethodDirect = 0, kMethodBytewise = 1, kMethodChunked = 2, kMethodOverlapped = 3 };

  // Consecutive write attempts without progress before a write gives up.
  static constexpr int kDefaultRetryLimit = 100;

  COutPort();
  virtual ~COutPort();
  COutPort(const COutPort&) = delete;
  COutPort& operator=(const COutPort&) = delete;

  // Takes the name and reads "PortInfo" again.
  void SetPortName(LPCSTR name);
  LPCSTR GetPortName() const { return m_portName; }
  int GetPortKind() const;

  void LoadSettings();
  // Writes every "PortInfo" key but "OutMethod".
  void SaveSettings();
  CIniFile& GetSettingsFile() { return m_settings; }

  // Opens the target of the port name; messages of pumpWindow (a dialog) are pumped as dialog
  // messages while writing. A plug-in port is opened by loading its plug-in.
  bool Open(HWND pumpWindow = nullptr);
  // Why the last Open failed, as a system error code (ERROR_CANCELLED when the user cancelled the
  // file dialog); ERROR_SUCCESS after an Open that succeeded. The caller tells the user.
  DWORD GetOpenError() const { return m_openError; }
  // Opens a file, printer queue or device; null when it cannot (a plug-in port never opens here).
  HANDLE OpenDevice();
  void Close();
  HANDLE GetHandle() const { return m_handle; }

  // Writes one string by the port's output method; false when cancelled, not open or failed.
  bool WriteString(LPCSTR text);
  // The same for bytes counted by length: binary plot data may hold NUL bytes.
  bool WriteData(const char* data, DWORD length);
  bool WriteBytewise(LPCSTR text);
  bool WriteChunked(LPCSTR text);
  bool WriteOverlapped(LPCSTR text);
  bool WritePrinterData(LPCSTR text);
  // The direct port services of method 0 do not exist for a Win32 program: written as chunks.
  bool WriteBios(LPCSTR text);

  // Disk files opened from now on gather what WriteString and WriteData give in memory, written
  // out when the buffer fills, by Flush and by Close. Devices, pipes and printers never wait.
  void EnableFileBuffer(bool enable) { m_bufferFiles = enable; }
  // Writes out what is gathered, also after a stop (those bytes were taken before it); false when
  // the file did not take all of it (the bytes are dropped: the job has failed either way).
  bool Flush();

  // Stops every writer at its next step; the state stays cancelled until the next Open.
  void Cancel() { m_state = kCancelled; }
  int GetState() const { return m_state; }
  void SetState(int state) { m_state = state; }
  // Limit of consecutive failed attempts; a negative value restores the default.
  void SetRetryLimit(int limit);
  int GetRetryLimit() const { return m_retryLimit; }
  // A further stop condition tested with the state (an owner's own stop flag).
  void SetStopCheck(std::function<bool()> stopRequested) {
    m_stopRequested = std::move(stopRequested);
  }

  CPlotterPlugIn& GetPlugIn() { return m_plugIn; }
  int GetOpenedKind() const { return m_kind; }

  // Serial settings of "PortInfo".
  DWORD TranSpeed;  // 32 bits: rates above 65535 baud are offered
  int OECheck;
  int DataWidth;
  int StopBits;
  int RTSCTS;
  int DTRDSR;
  int XONXOFF;
  int OutMethod;
  // Folder of the last plot file chosen in the save dialog.
  CString FilePath;

protected:
  // How a writer hands bytes to the open target.
  enum Transfer { kPlainTransfer, kOverlappedTransfer, kPrinterTransfer };
  // What TransferOnce returns when the target can never take the bytes: retrying is useless.
  static constexpr DWORD kRefused = 0xFFFFFFFF;

  // Asks for the plot file of a "FILE" port; false when the user cancels.
  virtual bool AskForPlotFile(CString& path);
  // One attempt to hand length bytes to the open target: how many it took, 0 when it stalled.
  virtual DWORD TransferOnce(Transfer how, const char* data, DWORD length);

private:
  // The shape of one writer's attempts: what it asks for at a time, when it pumps messages and
  // how long it waits after an attempt that moved less than it asked.
  struct AttemptPlan {
    Transfer transfer;
    bool oneByte;
    bool pumpBefore;
    bool pumpAfter;
    int waits;
    DWORD waitMilliseconds;
  };
  static const AttemptPlan kBytewisePlan;
  static const AttemptPlan kChunkedPlan;
  static const AttemptPlan kOverlappedPlan;
  static const AttemptPlan kPrinterPlan;

  // A write that is not stoppable is the flush of bytes taken before a stop.
  bool WriteInAttempts(const char* data, DWORD length, const AttemptPlan& plan,
                       bool stoppable = true);
  bool WriteByMethod(const char* data, DWORD length);
  bool WriteBuffered(const char* data, DWORD length);
  DWORD TransferOverlapped(const char* data, DWORD length);
  HANDLE OpenFileTarget();
  HANDLE OpenPrinterJob(LPCSTR documentName);
  HANDLE OpenCommDevice();
  void ConfigureCommDevice(HANDLE device) const;
  bool IsStopped();
  void PumpOneMessage() const;
  bool PumpAndWait(int waits, DWORD milliseconds);
  bool MayRetry(int* stalls) const;

  CString m_portName;
  int m_state;
  CPlotterPlugIn m_plugIn;
  CIniFile m_settings;
  int m_retryLimit;
  HWND m_pumpWindow;
  int m_kind;
  HANDLE m_handle;
  DWORD m_openError;
  bool m_printerHandle;
  std::function<bool()> m_stopRequested;
  bool m_bufferFiles;
  bool m_buffering;  // the open target is a disk file and gathers its writes
  std::vector<char> m_buffer;
};
