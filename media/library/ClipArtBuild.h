// CClipArtBuild: builds a new graphics library (version 6.0, graphic size 4096) from a clip-art
// collection: the index text "newtuku.idx" in the index folder names, in line pairs ended by CR
// LF, a kind name (at most 39 characters) and a collection file (at most 99 characters) of the
// collection folder. Each collection file becomes one kind per started 250 graphics (a file of 250
// graphics one kind, of 620 three: 250, 250 and 120); a file of no more than 250 graphics keeps the
// pair's name, a larger one numbers its kinds "name01", "name02", ... The new library goes into the
// index folder and never replaces a file there.
//
// The build stops at the first collection file that does not open and keeps what it wrote before;
// a graphic that does not read (damaged, of no extent) is skipped and counted. The listener hears
// of every file, line and graphic, so that a dialog can show them and stay painted.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "media/library/ClipArtFile.h"

class CClipArtBuild {
public:
  static constexpr int kGraphicsPerKind = 250;
  static constexpr WORD kGraphicSize = 4096;
  static constexpr int kKindNameLength = 39;
  static constexpr int kFileNameLength = 99;
  // An index text larger than this is no index.
  static constexpr DWORD kLargestIndex = 1u << 20;
  static constexpr char kIndexName[] = "newtuku.idx";

  struct Part {
    CString kind;
    CString file;
  };

  class Listener {
  public:
    virtual ~Listener() = default;
    // A collection file is about to be read.
    virtual void OnFile(LPCSTR /*path*/) {}
    // A line of the listing: "%3d %20s - %12s" per file, "Total =%d" at the end of a count.
    virtual void OnLine(LPCSTR /*line*/) {}
    // A collection file did not open; the build or count ends there.
    virtual void OnStopped(LPCSTR /*path*/, CClipArtFile::Problem /*problem*/) {}
    // A graphic was handled (added or skipped).
    virtual void OnGraphic() {}
  };

  enum Result { kBuilt, kLibraryExists, kCannotCreate };

  struct Summary {
    int kinds = 0;
    int added = 0;
    int skipped = 0;
  };

  CClipArtBuild(LPCSTR collectionFolder, LPCSTR indexFolder);

  // The index's pairs; none when it does not read. A line past its length is cut.
  std::vector<Part> ReadIndex() const;
  static std::vector<Part> ParseIndex(const char* text, size_t size);
  // Kinds a collection file of count graphics takes: one per whole 250 and one more, so that a
  // file of exactly 250 (or 500) graphics ends with an empty kind.
  static int KindsFor(int count);
  // The two names of part (0-based) of parts kinds made for a pair, k the running kind number.
  static void KindNames(LPCSTR name, int k, int part, int parts, CString& chinese,
                        CString& english);
  // A folder with its trailing backslash.
  static CString WithBackslash(LPCSTR folder);

  // Lists every collection file's count; the total of the files that opened.
  int Count(Listener& listener) const;
  // Builds the library at the path with the two titles.
  Result Build(LPCSTR libraryPath, LPCSTR chineseTitle, LPCSTR englishTitle, Listener& listener,
               Summary* summary = nullptr) const;

private:
  CString PartPath(const Part& part) const;
  static CString Line(int count, const Part& part);

  CString m_collectionFolder;
  CString m_indexFolder;
};
