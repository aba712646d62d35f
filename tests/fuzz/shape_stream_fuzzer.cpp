// Fuzzes the stand-alone mesh streams the shape cloud reads: one GeomObject record, whose
// first frame is used only when every face indexes its positions. A record that reads
// must write back to bytes that read the same.
#include <cstdint>

#include "fuzz_input.h"
#include "scene/geom_object_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GeomObjectRecord record;
  if (FAILED(ReadGeomObjectRecord(data, size, record))) return 0;
  if (!record.frames.empty()) FacesIndexPositions(record.frames.front());
  const std::vector<uint8_t> written = WriteGeomObjectRecord(record);
  GeomObjectRecord again;
  if (FAILED(ReadGeomObjectRecord(written.data(), written.size(), again))) {
    FuzzContractBroken("a written mesh record does not read");
  }
  if (WriteGeomObjectRecord(again) != written) FuzzContractBroken("a mesh record writes differently");
  return 0;
}
