#include "database/channel_texts.h"

#include "database/name_text.h"
#include "database/value_texts.h"

namespace velk::gui {

QStringList ChannelHeaders()
{
    return {"Satellite", "Carrier", "Program no.", "Service Name"};
}

QString CarrierText(const CarrierRecord& carrier)
{
    return QString("%1 %2").arg(carrier.frequencyMhz).arg(QString::fromStdString(TextAt(PolarizationNames(), carrier.polarization)));
}

QString ChannelText(const ServiceCatalog& catalog, const CatalogEntry& entry, int column)
{
    switch (column) {
    case 0: return NameToQString(catalog.Satellite(entry).name.Text());
    case 1: return CarrierText(catalog.Carrier(entry));
    case 2: return QString::number(catalog.Service(entry).programNumber);
    default: return NameToQString(catalog.Service(entry).name.Text());
    }
}

}  // namespace velk::gui
