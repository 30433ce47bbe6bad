#include "model/blocks/ImageBlock.h"

#include <algorithm>
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

HBITMAP CImageBlock::CreateBitmap(CDC* dc) {
  if (m_bitmap) ::DeleteObject(m_bitmap);
  m_bitmap = nullptr;
  CRasterService* service = CRasterService::Installed();
  if (service) m_bitmap = service->CreateBitmap(m_fileName, dc ? dc->GetSafeHdc() : nullptr);
  m_bitmapFailed = m_bitmap == nullptr;
  if (m_bitmapFailed) m_failedFile = FileStamp::Of(m_fileName);
  return m_bitmap;
}

bool CImageBlock::StretchInto(CDC* dc, HBITMAP bitmap, const RECT& target) {
  BITMAP size = {};
  if (!dc || !bitmap || !::GetObjectA(bitmap, sizeof size, &size)) return false;
  // A metafile or printer context may not make memory contexts of its own; the screen's serves.
  HDC memory = ::CreateCompatibleDC(dc->GetSafeHdc());
  if (!memory) memory = ::CreateCompatibleDC(nullptr);
  if (!memory) return false;
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  bool drawn = previous != nullptr;
  if (drawn) {
    int mode = ::SetStretchBltMode(dc->GetSafeHdc(), COLORONCOLOR);
    ::StretchBlt(dc->GetSafeHdc(), target.left, target.top, target.right - target.left,
                 target.bottom - target.top, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    if (mode) ::SetStretchBltMode(dc->GetSafeHdc(), mode);
    ::SelectObject(memory, previous);
  }
  ::DeleteDC(memory);
  return drawn;
}

void CImageBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int) {
  if (!dc) return;
  RECT target = CornerRect(m_box, matrix);
  // A file no bitmap could be made of is read again only once it has changed (or appeared).
  if (!m_bitmap && m_bitmapFailed && FileStamp::Of(m_fileName) == m_failedFile) return;
  if (!m_bitmap) CreateBitmap(dc);
  if (!m_bitmap) return;
  // A bitmap made for a context of another kind does not select into this one: make it anew.
  if (!StretchInto(dc, m_bitmap, target) && CreateBitmap(dc)) StretchInto(dc, m_bitmap, target);
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
