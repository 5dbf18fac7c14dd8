#pragma once
// Builders of small channel lists for the import tests.
#include "common/bytes.h"

#include <string>
#include <vector>

namespace velk::test {

// One SatcoDX record; text fields are padded with underscores to their width.
struct SdxRecord {
    std::string version = "03";
    std::string satellite = "ASTRA";  // 18 characters at 10 (protocol 2/3) or 12 at 115 (older)
    char type = 'T';
    std::string frequencyMhz = "011778";
    char polarization = '1';
    std::string name = "ARD";
    std::string position = "0192";
    std::string symbolRateKs = "27500";
    char fec = '3';
    std::string videoPid = "0101";
    std::string audioPid = "0102";
    std::string pcrPid = "0101";
    std::string serviceId = "28106";
    std::string access = "____";
    std::string tail;  // protocol 2/3: name continuation
};

Bytes EncodeSdx(const SdxRecord& r);
// Records joined, with one separator byte after each when `separator`.
Bytes JoinSdx(const std::vector<SdxRecord>& records, bool separator);

// One record as a line of today's lists: "SATCODX1" and the two version
// characters ("03" or "05"), `length` characters (127, or 132 for the long
// line of version 105) with the name continuation from 115 to the end.
Bytes EncodeSdxLine(const SdxRecord& r, std::size_t length);
// Lines joined, `lineEnd` after each.
Bytes JoinSdxLines(const std::vector<SdxRecord>& records, std::size_t length, const std::string& lineEnd);

// One DVB2000 record.
struct DvbRecord {
    std::uint16_t serviceId = 0;
    std::uint16_t frequencyMhz = 0;
    std::uint16_t symbolRateKs = 0;
    std::uint8_t fec = 0;
    std::uint8_t polarization = 0;
    std::uint16_t videoPid = 0;
    std::uint16_t audioPid = 0;
    std::uint16_t pcrPid = 0;
    std::uint8_t type = 0;
    std::string text;
};
Bytes EncodeDvb(const DvbRecord& r);
DvbRecord DvbSatellite(const std::string& text);
DvbRecord DvbChannel(const std::string& name, std::uint16_t frequency, std::uint16_t serviceId, std::uint16_t video = 101,
                     std::uint16_t audio = 102);
Bytes JoinDvb(const std::vector<DvbRecord>& records);

}  // namespace velk::test
