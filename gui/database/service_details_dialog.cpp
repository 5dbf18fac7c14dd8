#include "database/service_details_dialog.h"

<<<<<<< HEAD
=======
#include "database/name_text.h"
#include "database/display_texts.h"
#include "database/field_rules.h"

>>>>>>> extras
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QGroupBox* Group(QWidget* parent, const DetailGroup& group)
{
    auto* box = new QGroupBox(Q(group.caption), parent);
    auto* form = new QFormLayout(box);
    for (const auto& [label, value] : group.fields) {
        auto* field = new QLabel(Q(value), box);
        field->setObjectName(Q(label));
        form->addRow(Q(label), field);
    }
    return box;
}

}  // namespace

ServiceDetailsDialog::ServiceDetailsDialog(const ServiceDetails& details, QWidget* parent) : QDialog(parent)
{
<<<<<<< HEAD
    setWindowTitle(Q(details.title));
    auto* layout = new QVBoxLayout(this);
    for (const auto* group : {&details.satellite, &details.carrier, &details.service})
        layout->addWidget(Group(this, *group));
=======
    const ServiceRecord sv = service < s.services.size() ? s.services[service] : ServiceRecord{};
    const auto carrierIndex = service < s.carrierOfService.size() ? s.carrierOfService[service] : -1;
    const CarrierRecord car = carrierIndex >= 0 ? s.carriers[static_cast<std::size_t>(carrierIndex)] : CarrierRecord{};
    const SatelliteRecord sat = car.satelliteIndex < s.satellites.size() ? s.satellites[car.satelliteIndex] : SatelliteRecord{};
    const LnbRecord lnb = sat.lnbIndex < s.lnbs.size() ? s.lnbs[sat.lnbIndex] : LnbRecord{};
    const QString radix = hex ? " [Hex]" : " [Dec]";

    setWindowTitle(NameToQString(sv.name.Text()) + " Service Information");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(this, "Satellite - " + NameToQString(sat.name.Text()),
                            {{"Low freq. [MHz]", QString::number(lnb.LowMhz())},
                             {"High freq. [MHz]", QString::number(lnb.HighMhz())},
                             {QString::fromUtf8("Satellite angle \u00B0"), Q(AngleText(sat.angle))},
                             {"Satellite position", QString::number(sat.position)},
                             {"East / West flag", Q(TextAt(EastWestNames(), sat.west))}}));
    layout->addWidget(Group(this, "Carrier - " + NameToQString(car.name.Text()),
                            {{"Frequency [MHz]", QString::number(car.frequency)},
                             {"Symbol rate [kSps]", QString::number(car.symbolRate)},
                             {"Polarization", Q(TextAt(PolarizationNames(), car.polarization))},
                             {"FEC", Q(TextAt(FecNames(), car.fec))}}));
    layout->addWidget(Group(this, "Service - " + NameToQString(sv.name.Text()),
                            {{"Program no.", QString::number(sv.programNumber)},
                             {"Service type", sv.type == kServiceRadio ? "Radio" : "TV"},
                             {"Video PID" + radix, Q(PidText(sv.videoPid, hex))},
                             {"Audio PID" + radix, Q(PidText(sv.audioPid, hex))},
                             {"PCR PID" + radix, Q(PidText(sv.pcrPid, hex))}}));
>>>>>>> extras
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace velk::gui
