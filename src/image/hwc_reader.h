#pragma once
// The reading side of "HWC$" compressed image files, both types: the fields, the
// compressed data (inflated or LZARI-decoded), the CRC-16 fields and the padding.
#include "common/bytes.h"
#include "image/verifier_report.h"

#include <optional>

namespace velk {

// Whether the file begins with "HWC$".
bool IsHwcFile(ByteView file);

// Checks every field of the file; the decoded image goes to `image` when the file
// is sound. A "Bin2Cod" file is told apart by "vqx." at offset 20.
InspectionReport InspectHwcFile(ByteView file, Bytes* image = nullptr);

}  // namespace velk
