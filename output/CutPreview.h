// CCutPreview: the job of the cut-output window: a private copy of a drawing document's blocks as
// outline curves (with "TextLine" a text's layout line joins its characters, through the block's
// GetEffectOutline), cut to the document's flagged output areas (or to its page) and placed on the
// media by the cut settings (mirror, move to the media corner, scale), together with the page
// rectangle, which shows where the document's page lies after the same moves. Everything is in
// page units (millimetres, y downward). The document is never changed.
//
// The preview keeps the one matrix that maps the document onto it (placement followed by every
// move the user made since). A rebuild after a change of options cuts the document again in the
// same way as the first build and maps it with that matrix: what stays in the job stays exactly
// where it was, and the media does not move.
#pragma once

#include "model/document/SegArray.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CGroupBlock;
class CTALVEX42Doc;
class CWeldDll;
struct CCutSettings;

class CCutPreview {
public:
  // The four directions in which the media steps over a job larger than itself.
  enum Step { kStepUp, kStepDown, kStepLeft, kStepRight };

  // settings are the program's cut settings, which the preview reads and changes (the zoom and
  // the media rectangle); they outlive the preview.
  explicit CCutPreview(CCutSettings& settings);
  ~CCutPreview();
  CCutPreview(const CCutPreview&) = delete;
  CCutPreview& operator=(const CCutPreview&) = delete;

  // The document the job is cut from (null: an empty job), and the transform library to cut with
  // (null: each build binds its own).
  void SetDocument(CTALVEX42Doc* document) { m_document = document; }
  void SetLibrary(CWeldDll* library) { m_library = library; }

  // Builds the job afresh and places it on the media by the settings; a rectangle given limits a
  // document without output areas to it instead of its page.
  void BuildPreview(const CFRect* rect = nullptr);
  // Builds the job again with the current options (colour, text line) and maps it as the job was.
  void RebuildPreview();
  // A new group of the document's blocks that meet the rectangle, as curves of the colour (or
  // all colours), cut to it by the figure cut; null when nothing of them lies inside.
  CGroupBlock* CollectClipped(const CFRect& rect, DWORD colour);
  // The matrix that places a freshly built job on the media: mirrored when "Mirror" is on, its
  // corner moved to (0.1, 0.1) when "SavePaper" is on, then scaled by "ZoomCut" (0 becomes 1).
  CMatrix2D GetPlacementMatrix();
  // The same as a new matrix (the caller deletes it), or copied to out and null.
  CMatrix2D* GetPlacementMatrix(CMatrix2D* out);

  // Moves of the job that the option pages start. Each maps the job and the page rectangle.
  void SetSavePaper(bool on);
  void MirrorJob();
  void RotateJob();
  // Scales the job to the zoom; false, changing nothing, for a zoom below 0 (0 means 1).
  bool ScaleJob(float zoom);
  // Moves the media by its size less the overlap ("PageGaps"); false (and the media stops at
  // the origin) when up or left would take it past the origin.
  bool StepMedia(Step step);

  CSegArray& GetBlocks() { return m_blocks; }
  CCutSettings& GetSettings() { return m_settings; }
  const CFRect& GetPageRect() const { return m_pageRect; }
  // The union of the job's bounds and the media rectangle: what is to be in view.
  CFRect GetViewBox();
  // The job's bounds, skipping blocks that end left of or above the origin; false when empty.
  bool GetJobBounds(CFRect* bounds);
  // The colour the options choose, or every colour.
  DWORD GetColourFilter() const;
  const CMatrix2D& GetDocumentMatrix() const { return m_documentMatrix; }

private:
  CFRect DocumentPage() const;
  // The clipped job, not yet placed: one group per flagged area, or the page's pieces.
  void CollectJob(const CFRect* rect);
  // The box the moves keep at the origin: the job's bounds with "SavePaper" on, else the page.
  CFRect ReferenceRect();
  // Applies the matrix to the job and the page rectangle and remembers it.
  void Apply(const CMatrix2D& matrix);
  // Mirror and rotation: the matrix followed by a move that keeps the reference's corner.
  void ApplyKeepingCorner(CMatrix2D matrix);

  CCutSettings& m_settings;
  CTALVEX42Doc* m_document;
  CWeldDll* m_library;
  CSegArray m_blocks;
  CFRect m_pageRect;
  CMatrix2D m_documentMatrix;
  // The rectangle the last build was limited to, which a rebuild keeps.
  bool m_limited;
  CFRect m_limit;
};
