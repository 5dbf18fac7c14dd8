#include "database/colour_dialog.h"

#include "database/record_list_model.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

struct SwatchSpec {
    const char* label;
    const char* tip;
};
constexpr std::array<SwatchSpec, 6> kSwatches{{
    {"Active", "Click to change color of active satellites( with service )"},
    {"Inactive", "Click to change color of inactive satellites( without service )"},
    {"Active", "Click to change color of active carriers( with service )"},
    {"Inactive", "Click to change color of inactive carriers( without service )"},
    {"TV", "Click to change color of TV services"},
    {"Radio", "Click to change color of Radio services"},
}};

std::uint32_t ToBgr(const QColor& c)
{
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 | static_cast<std::uint32_t>(c.blue()) << 16;
}

}  // namespace

ColourDialog::ColourDialog(ColourTable& colours, KeyValueStore& settings, QWidget* parent)
    : QDialog(parent), colours_(colours), settings_(settings)
{
    setWindowTitle("Color setting");
    chooser = [this](const QColor& initial) { return QColorDialog::getColor(initial, this); };
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    const char* groupNames[] = {"Satellite", "Carrier", "Service"};
    for (int g = 0; g < 3; ++g) {
        auto* box = new QGroupBox(groupNames[g], this);
        auto* boxLayout = new QVBoxLayout(box);
        for (int k = 0; k < 2; ++k) {
            const int i = g * 2 + k;
            auto* swatch = new QPushButton(kSwatches[static_cast<std::size_t>(i)].label, box);
            swatch->setObjectName(QString("swatch%1").arg(i));
            swatch->setToolTip(kSwatches[static_cast<std::size_t>(i)].tip);
            swatch->setMinimumHeight(32);
            connect(swatch, &QPushButton::clicked, this, [this, i] { Choose(i); });
            boxLayout->addWidget(swatch);
            swatches_[static_cast<std::size_t>(i)] = swatch;
            Paint(i);
        }
        groups->addWidget(box);
    }
    layout->addLayout(groups);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);
    auto* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("ok");
    ok->setToolTip("Click to set current color");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::uint32_t& ColourDialog::Slot(int i)
{
    std::uint32_t* table[] = {&colours_.activeSatellite, &colours_.inactiveSatellite, &colours_.activeCarrier,
                              &colours_.inactiveCarrier, &colours_.tvService, &colours_.radioService};
    return *table[i];
}

void ColourDialog::Paint(int i)
{
    // The swatch shows its colour, its label drawn in that colour on white.
    const auto colour = ColourFromBgr(Slot(i)).name();
    swatches_[static_cast<std::size_t>(i)]->setStyleSheet(
        QString("QPushButton { background: white; color: %1; border: 6px solid %1; font-weight: bold; }").arg(colour));
}

void ColourDialog::Choose(int i)
{
    const auto chosen = chooser(ColourFromBgr(Slot(i)));
    if (!chosen.isValid())
        return;
    Slot(i) = ToBgr(chosen);
    Paint(i);
}

void ColourDialog::accept()
{
    colours_.Store(settings_);
    QDialog::accept();
}

}  // namespace velk::gui
