#include "media/library/ClipArtBuild.h"

#include <cstdio>
#include <memory>

#include "media/library/LibraryFile.h"
#include "media/library/LibraryFileAccess.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Contour.h"

using namespace library;

namespace {

// A line of the index, cut to the length (never inside a double-byte character).
CString Field(const char* begin, const char* end, int length) {
  CString text(begin, static_cast<int>(end - begin));
  return CString(FixedText(text, static_cast<size_t>(text.GetLength()), length));
}

}  // namespace

CClipArtBuild::CClipArtBuild(LPCSTR collectionFolder, LPCSTR indexFolder)
    : m_collectionFolder(WithBackslash(collectionFolder)),
      m_indexFolder(WithBackslash(indexFolder)) {}

CString CClipArtBuild::WithBackslash(LPCSTR folder) {
  CString text(folder ? folder : "");
  if (!text.IsEmpty() && text[text.GetLength() - 1] != '\\' && text[text.GetLength() - 1] != '/')
    text += "\\";
  return text;
}

std::vector<CClipArtBuild::Part> CClipArtBuild::ParseIndex(const char* text, size_t size) {
  std::vector<Part> parts;
  std::vector<CString> lines;
  const char* end = text + size;
  for (const char* at = text; at < end;) {
    const char* stop = at;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    lines.push_back(CString(at, static_cast<int>(stop - at)));
    if (stop < end && *stop == '\r') ++stop;
    if (stop < end && *stop == '\n') ++stop;
    at = stop;
  }
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    const CString& kind = lines[i];
    const CString& file = lines[i + 1];
    if (file.IsEmpty()) continue;
    LPCSTR k = kind, f = file;
    parts.push_back({Field(k, k + kind.GetLength(), kKindNameLength),
                     Field(f, f + file.GetLength(), kFileNameLength)});
  }
  return parts;
}

std::vector<CClipArtBuild::Part> CClipArtBuild::ReadIndex() const {
  CLibraryFileAccess file;
  if (!file.Open(m_indexFolder + kIndexName, CLibraryFileAccess::kRead) ||
      file.Length() > kLargestIndex)
    return {};
  std::vector<char> text(file.Length());
  if (!text.empty() && !file.ReadAt(0, text.data(), text.size())) return {};
  return ParseIndex(text.data(), text.size());
}

int CClipArtBuild::KindsFor(int count) { return count <= 0 ? 1 : count / kGraphicsPerKind + 1; }

void CClipArtBuild::KindNames(LPCSTR name, int k, int part, int parts, CString& chinese,
                              CString& english) {
  if (parts <= 1) {
    chinese = name;
    english.Format("Kind%d", k);
    return;
  }
  chinese.Format("%s%02d", name, part + 1);
  english.Format("Kind%d-%02d", k, part + 1);
}

CString CClipArtBuild::PartPath(const Part& part) const { return m_collectionFolder + part.file; }

CString CClipArtBuild::Line(int count, const Part& part) {
  CString line;
  line.Format("%3d %20s - %12s", count, static_cast<LPCSTR>(part.kind),
              static_cast<LPCSTR>(part.file));
  return line;
}

int CClipArtBuild::Count(Listener& listener) const {
  int total = 0;
  for (const Part& part : ReadIndex()) {
    CClipArtFile file;
    CString path = PartPath(part);
    listener.OnFile(path);
    if (!file.Open(path)) {
      listener.OnStopped(path, file.GetProblem());
      break;
    }
    listener.OnLine(Line(file.GetCount(), part));
    total += file.GetCount();
  }
  CString line;
  line.Format("Total =%d", total);
  listener.OnLine(line);
  return total;
}

CClipArtBuild::Result CClipArtBuild::Build(LPCSTR libraryPath, LPCSTR chineseTitle,
                                           LPCSTR englishTitle, Listener& listener,
                                           Summary* summary) const {
  Summary done;
  if (::GetFileAttributesA(libraryPath) != INVALID_FILE_ATTRIBUTES) return kLibraryExists;
  LibraryHeader header = MakeLibraryHeader(kVersion60, englishTitle);
  header.graphicSize = kGraphicSize;
  SetFixedText(header.titles[kChineseTitle], kTitleSize, chineseTitle);
  CPicLibrary library;
  if (!CreateLibraryFile(libraryPath, header, true) || !library.OpenFile(libraryPath))
    return kCannotCreate;
  int k = 0;
  for (const Part& part : ReadIndex()) {
    CClipArtFile file;
    CString path = PartPath(part);
    listener.OnFile(path);
    if (!file.Open(path)) {
      listener.OnStopped(path, file.GetProblem());
      break;
    }
    int count = file.GetCount();
    listener.OnLine(Line(count, part));
    int parts = KindsFor(count);
    int first = library.GetKindCount();
    for (int p = 0; p < parts; ++p) {
      CString chinese, english;
      KindNames(part.kind, k, p, parts, chinese, english);
      KindRecord record;
      SetFixedText(record.chineseName, kKindNameSize, chinese, true);
      SetFixedText(record.englishName, kKindNameSize, english, true);
      if (library.AddKind(record)) ++done.kinds;
    }
    for (int i = 0; i < count; ++i) {
      std::unique_ptr<CCurveBlock> curve(file.ReadGraphic(i));
      std::unique_ptr<CContour> outline(curve ? curve->GetContour(nullptr, 0) : nullptr);
      bool added = outline &&
                   library.PutGraphic(first + i / kGraphicsPerKind, outline.get(), nullptr);
      ++(added ? done.added : done.skipped);
      listener.OnGraphic();
    }
    k += parts;
  }
  if (summary) *summary = done;
  return kBuilt;
}
