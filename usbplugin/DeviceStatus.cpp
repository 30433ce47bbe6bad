#include "usbplugin/DeviceStatus.h"

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

bool DeviceStatus::Read(const BYTE* bytes, size_t size) {
  CByteReader reader(bytes, size);
  if (size < kSize) return false;
  INT32 unused = 0;
  return reader.ReadInt32(ready) && reader.ReadInt32(unused) && reader.ReadInt32(pending) &&
         reader.ReadInt32(room) && reader.ReadDWord(magic) && reader.ReadDWord(acknowledged) &&
         reader.ReadInt32(scale.y1) && reader.ReadInt32(scale.x1) && reader.ReadInt32(scale.y2) &&
         reader.ReadInt32(scale.x2);
}

void DeviceStatus::Write(BYTE (&bytes)[kSize]) const {
  CByteWriter writer(bytes, sizeof bytes);
  writer.WriteInt32(ready);
  writer.WriteInt32(0);
  writer.WriteInt32(pending);
  writer.WriteInt32(room);
  writer.WriteDWord(magic);
  writer.WriteDWord(acknowledged);
  writer.WriteInt32(scale.y1);
  writer.WriteInt32(scale.x1);
  writer.WriteInt32(scale.y2);
  writer.WriteInt32(scale.x2);
  writer.WriteZeros(8);
}

CDeviceScale DeviceStatus::PlotScale() const {
  if (magic == kScalesValid && scale.IsUsable()) return scale;
  return CDeviceScale();
}
