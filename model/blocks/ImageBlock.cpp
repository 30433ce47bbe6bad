#include "model/blocks/ImageBlock.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "framework/DC.h"
#include "model/blocks/ImageFolderScope.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/blocks/RasterService.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

namespace {

const size_t kLongestStoredName = CImageBlock::kNameFieldSize - 1;
// Header (tag, length, type, attributes), box, name field, end byte.
static_assert(CImageBlock::kRecordLength == 8 + 16 + CImageBlock::kNameFieldSize + 1,
              "the image record's layout");

bool FitsRecord(const CString& name) {
  return !name.IsEmpty() && static_cast<size_t>(name.GetLength()) <= kLongestStoredName;
}

LONG Truncate(float value) { return static_cast<LONG>(value); }

RECT ToRect(const CFRect& box) {
  RECT rect = {Truncate(box.left), Truncate(box.top), Truncate(box.right), Truncate(box.bottom)};
  if (rect.left > rect.right) std::swap(rect.left, rect.right);
  if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
  return rect;
}

// The box through the matrix by its two stored corners (the screen: no rotation to follow).
RECT CornerRect(const CFRect& box, const CMatrix2D* matrix) {
  CFRect mapped = box;
  if (matrix) matrix->TransformRectToInt(&mapped);
  return ToRect(mapped);
}

// The bounding box of all four corners (printing may turn the page).
RECT BoundingRect(const CFRect& box, const CMatrix2D* matrix) {
  CFRect mapped = box;
  if (matrix) matrix->TransformRect(&mapped);
  return ToRect(mapped);
}

void StretchPlain(HDC dc, HDC source, SIZE size, const RECT& target) {
  int mode = ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               source, 0, 0, size.cx, size.cy, SRCCOPY);
  if (mode) ::SetStretchBltMode(dc, mode);
}

// A header with room for the largest colour table (or the three masks of bit fields).
struct SectionInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// A section of the given size in the format of the section selected into source (its depth and
// its colour table or masks); null for a device bitmap.
HBITMAP MakeStage(HDC source, HBITMAP section, int width, int height) {
  DIBSECTION format = {};
  if (::GetObjectA(section, sizeof format, &format) != sizeof format) return nullptr;
  SectionInfo info = {};
  info.header = format.dsBmih;
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biSizeImage = 0;
  if (info.header.biCompression == BI_BITFIELDS) {
    memcpy(info.colours, format.dsBitfields, sizeof format.dsBitfields);
  } else if (info.header.biBitCount <= 8) {
    info.header.biClrUsed = ::GetDIBColorTable(source, 0, 256, info.colours);
    if (info.header.biClrUsed == 0) return nullptr;
  }
  void* bits = nullptr;
  return ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                            nullptr, 0);
}

// A stretch between bitmaps of different depths first converts the whole source to the
// target's depth: for a large picture that is many times the memory it holds, on every repaint.
// The part of the target that shows is stretched first into a stage of the picture's own depth,
// which samples the picture exactly as the stretch on the screen would, and only that part is
// converted. Contexts that map, scale or record their drawing take the plain stretch.
bool StretchThroughStage(HDC dc, HDC source, HBITMAP section, SIZE size, const RECT& target) {
  RECT clip, shown;
  if (::GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY || ::GetMapMode(dc) != MM_TEXT ||
      ::GetGraphicsMode(dc) != GM_COMPATIBLE || ::GetClipBox(dc, &clip) == ERROR)
    return false;
  if (!::IntersectRect(&shown, &target, &clip)) return true;
  const int width = shown.right - shown.left, height = shown.bottom - shown.top;
  HBITMAP stage = MakeStage(source, section, width, height);
  if (!stage) return false;
  HDC stageDc = ::CreateCompatibleDC(dc);
  HGDIOBJ previous = stageDc ? ::SelectObject(stageDc, stage) : nullptr;
  if (previous) {
    const RECT onStage = {target.left - shown.left, target.top - shown.top,
                          target.right - shown.left, target.bottom - shown.top};
    StretchPlain(stageDc, source, size, onStage);
    ::BitBlt(dc, shown.left, shown.top, width, height, stageDc, 0, 0, SRCCOPY);
    ::SelectObject(stageDc, previous);
  }
  if (stageDc) ::DeleteDC(stageDc);
  ::DeleteObject(stage);
  return previous != nullptr;
}

}  // namespace

CImageBlock::FileStamp CImageBlock::FileStamp::Of(LPCSTR path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!path || !path[0] || !::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
    return stamp;
  stamp.exists = true;
  stamp.size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  stamp.written = static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                  data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

bool CImageBlock::FileStamp::operator==(const FileStamp& other) const {
  return exists == other.exists && size == other.size && written == other.written;
}

CImageBlock::CImageBlock(LPCSTR fileName)
    : m_fileName(fileName ? fileName : ""),
      m_recordName(StorableName(fileName)),
      m_nameFromRecord(false),
      m_bitmap(nullptr),
      m_bitmapFailed(false) {
  m_type = kImageBlock;
  m_box = CFRect(0.0f, 0.0f, 0.0f, 0.0f);
}

CImageBlock::~CImageBlock() {
  if (m_bitmap) ::DeleteObject(m_bitmap);
}

BOOL CImageBlock::CanNodeEdit() { return TRUE; }

BOOL CImageBlock::ReadImage(RasterImageInfo* info) const {
  CRasterService* service = CRasterService::Installed();
  return service && info && service->ReadInfo(m_fileName, info) ? TRUE : FALSE;
}

HGLOBAL CImageBlock::ReadPalette() const {
  CRasterService* service = CRasterService::Installed();
  return service ? service->ReadPalette(m_fileName) : nullptr;
}

int CImageBlock::GetColorCount() const {
  CRasterService* service = CRasterService::Installed();
  return service ? service->GetColorCount(m_fileName) : 0;
}

HGLOBAL CImageBlock::ReadBits(bool topDown) const {
  CRasterService* service = CRasterService::Installed();
  return service ? service->ReadBits(m_fileName, topDown) : nullptr;
}

HBITMAP CImageBlock::CreateBitmap() {
  if (m_bitmap) ::DeleteObject(m_bitmap);
  m_bitmap = nullptr;
  CRasterService* service = CRasterService::Installed();
  if (service) m_bitmap = service->CreateDib(m_fileName);
  m_bitmapFailed = m_bitmap == nullptr;
  if (m_bitmapFailed) m_failedFile = FileStamp::Of(m_fileName);
  return m_bitmap;
}

void CImageBlock::StretchInto(CDC* dc, HBITMAP bitmap, const RECT& target) {
  BITMAP size = {};
  if (!dc || !bitmap || !::GetObjectA(bitmap, sizeof size, &size)) return;
  // A metafile or printer context may not make memory contexts of its own; the screen's serves.
  HDC memory = ::CreateCompatibleDC(dc->GetSafeHdc());
  if (!memory) memory = ::CreateCompatibleDC(nullptr);
  if (!memory) return;
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  if (previous) {
    const SIZE source = {size.bmWidth, size.bmHeight};
    if (!StretchThroughStage(dc->GetSafeHdc(), memory, bitmap, source, target))
      StretchPlain(dc->GetSafeHdc(), memory, source, target);
    ::SelectObject(memory, previous);
  }
  ::DeleteDC(memory);
}

void CImageBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int) {
  if (!dc) return;
  // A file no bitmap could be made of is read again only once it has changed (or appeared).
  if (!m_bitmap && m_bitmapFailed && FileStamp::Of(m_fileName) == m_failedFile) return;
  if (!m_bitmap) CreateBitmap();
  StretchInto(dc, m_bitmap, CornerRect(m_box, matrix));
}

void CImageBlock::DrawFilled(CDC* dc, CMatrix2D* matrix, int flag) {
  DrawOutline(dc, matrix, flag);
}

void CImageBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) {
  CRasterService* service = CRasterService::Installed();
  if (!dc || !service || !(flag & kPrintImages)) return;
  HBITMAP bitmap = service->CreateBitmap(m_fileName, dc->GetSafeHdc());
  if (!bitmap) return;
  StretchInto(dc, bitmap, BoundingRect(m_box, matrix));
  ::DeleteObject(bitmap);
}

CString CImageBlock::StorableName(LPCSTR path) {
  CString name(path ? path : "");
  if (FitsRecord(name)) return name;
  char shortPath[MAX_PATH] = {};
  DWORD length = name.IsEmpty() ? 0 : ::GetShortPathNameA(name, shortPath, sizeof shortPath);
  if (length > 0 && length < sizeof shortPath && FitsRecord(shortPath)) return CString(shortPath);
  CString relative = CImageFolderScope::MakeRelative(name);
  return FitsRecord(relative) ? relative : CString();
}

int CImageBlock::WriteRecord(HGLOBAL* record) {
  *record = nullptr;
  CString name = StorableName(m_fileName);
  if (name.IsEmpty()) name = m_recordName;
  if (name.IsEmpty() && !m_nameFromRecord) return 0;
  CBlockRecordWriter writer(kImageRecordTag, *this);
  writer.WriteRect(m_box);
  writer.Fields().WriteFixedString(name, kNameFieldSize);
  return writer.Finish(record);
}

CBlock* LoadImageBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kImageRecordTag, CImageBlock::kRecordLength)) return nullptr;
  CFRect box;
  CString name;
  // The name field is read within its 60 bytes whether or not it holds a terminator.
  if (!reader.ReadRect(box) || !reader.Fields().ReadFixedString(name, CImageBlock::kNameFieldSize))
    return nullptr;
  std::unique_ptr<CImageBlock> image(new CImageBlock(CImageFolderScope::Resolve(name)));
  // The type stays 133 whatever the record says: other code goes by the type code.
  reader.ReadHeaderInto(*image, false);
  image->m_box = box;
  image->m_recordName = name;
  image->m_nameFromRecord = true;
  return image.release();
}
