#pragma once
// The reading side of URT files: packets, header, partition table, every block and
// CRC, and the trailer that closes a single image, checked against each other.
#include "common/bytes.h"
#include "image/verifier_report.h"

namespace velk {

// Whether the file begins with "MZ".
bool IsUrtFile(ByteView file);

// Reads the whole file; every length and offset taken from it is checked before use
// and only moves forward. The prepared image (the blocks' data in order) goes to
// `prepared` when the packets could be followed to the end.
InspectionReport InspectUrtFile(ByteView file, Bytes* prepared = nullptr);

}  // namespace velk
