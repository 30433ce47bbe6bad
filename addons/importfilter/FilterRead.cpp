#include "addons/importfilter/FilterRead.h"

#include <cmath>
#include <memory>
#include <new>
#include <vector>

#include "addons/importfilter/DxfReader.h"
#include "addons/importfilter/EpsReader.h"
#include "addons/importfilter/HpglReader.h"

namespace {

const int kPlotKind = 3;
const int kPostScriptKind = 4;
const int kCutKind = 5;
const int kDxfKind = 6;

bool ReadWholeFile(LPCSTR path, std::vector<char>* bytes, ImportFilterReport* report) {
  HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    report->problem = kImportCannotOpen;
    return false;
  }
  LARGE_INTEGER size;
  bool read = false;
  if (!::GetFileSizeEx(file, &size)) {
    report->problem = kImportCannotOpen;
  } else if (size.QuadPart > static_cast<LONGLONG>(CFilterRead::kLargestFile)) {
    report->problem = kImportTooLarge;
  } else {
    bytes->resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    read = bytes->empty() ||
           (::ReadFile(file, bytes->data(), static_cast<DWORD>(bytes->size()), &got, nullptr) &&
            got == bytes->size());
    if (!read) report->problem = kImportCannotOpen;
  }
  ::CloseHandle(file);
  return read;
}

}  // namespace

int CFilterRead::KindOf(LPCSTR path) {
  if (!path) return -1;
  const char* dot = nullptr;
  for (const char* at = path; *at; ++at) {
    if (*at == '.') dot = at;
    if (*at == '\\' || *at == '/') dot = nullptr;
  }
  if (!dot) return -1;
  if (::lstrcmpiA(dot, ".PLT") == 0) return kPlotKind;
  if (::lstrcmpiA(dot, ".EPS") == 0 || ::lstrcmpiA(dot, ".AI") == 0) return kPostScriptKind;
  if (::lstrcmpiA(dot, ".CUT") == 0) return kCutKind;
  if (::lstrcmpiA(dot, ".DXF") == 0) return kDxfKind;
  return -1;
}

HGLOBAL CFilterRead::Read(LPCSTR path, float scale, ImportFilterReport* report) {
  *report = ImportFilterReport();
  const int kind = KindOf(path);
  if (kind == kCutKind) {
    report->problem = kImportCutFile;
    return nullptr;
  }
  if (kind < 0) {
    report->problem = kImportNotThisKind;
    return nullptr;
  }
  std::vector<char> bytes;
  try {
    if (!ReadWholeFile(path, &bytes, report)) return nullptr;
  } catch (const std::bad_alloc&) {
    report->problem = kImportTooLarge;
    return nullptr;
  }
  return ReadBytes(bytes.data(), bytes.size(), kind, scale, report);
}

HGLOBAL CFilterRead::ReadBytes(const char* data, size_t size, int kind, float scale,
                               ImportFilterReport* report) {
  *report = ImportFilterReport();
  if (!(scale >= 0) || scale > kLargestScale) {
    report->problem = kImportNotThisKind;
    return nullptr;
  }
  std::unique_ptr<CFormatReader> reader;
  switch (kind) {
    case kPlotKind:
      reader.reset(new CHpglReader);
      break;
    case kPostScriptKind:
      reader.reset(new CEpsReader);
      break;
    case kDxfKind:
      reader.reset(new CDxfReader);
      break;
    case kCutKind:
      report->problem = kImportCutFile;
      return nullptr;
    default:
      report->problem = kImportNotThisKind;
      return nullptr;
  }
  try {
    CImportedDrawing drawing;
    reader->Read(data, size, &drawing, report);
    // A file that ends early gives what came before its end, and is damaged there without it.
    const bool endedEarly = report->problem == kImportEndedEarly;
    if (report->problem != kImportRead && !endedEarly) return nullptr;
    if (drawing.TooComplex()) {
      report->problem = kImportTooComplex;
      return nullptr;
    }
    double left, bottom, right, top;
    if (drawing.CurveCount() == 0 || !drawing.GetBounds(&left, &bottom, &right, &top)) {
      report->problem = endedEarly ? kImportDamaged : kImportNothingToRead;
      return nullptr;
    }
    reader->GetFrame(&left, &bottom, &right, &top);
    // Turned over within the frame: its top edge comes to its bottom edge's place.
    const double unit = scale > 0 ? scale / 25.4 : 1.0;
    const ImportMatrix toPage = {unit, 0, 0, -unit, 0, (top + bottom) * unit};
    HGLOBAL record = drawing.WriteRecord(toPage);
    if (!record) report->problem = kImportTooComplex;
    return record;
  } catch (const std::bad_alloc&) {
    report->problem = kImportTooComplex;
    return nullptr;
  }
}
