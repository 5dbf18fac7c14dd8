#pragma once
// How a service of the catalogue is named in the find results and the
// duplicate groups: satellite, carrier frequency and polarisation, program
// number, service name.
#include "database/service_catalog.h"

#include <QStringList>

namespace velk::gui {

inline constexpr int kChannelColumns = 4;

QStringList ChannelHeaders();
QString ChannelText(const ServiceCatalog& catalog, const CatalogEntry& entry, int column);
QString CarrierText(const CarrierRecord& carrier);  // "11362 H"

}  // namespace velk::gui
