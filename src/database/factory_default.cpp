#include "database/factory_default.h"

#include <algorithm>

namespace velk {
namespace {

constexpr unsigned kHierarchy = image_part::kSatellites | image_part::kCarriers | image_part::kServices | image_part::kCarrierOrder;

void Note(std::vector<std::uint32_t>& list, std::uint32_t index)
{
    if (std::find(list.begin(), list.end(), index + 1) == list.end())
        list.push_back(index + 1);
}

std::optional<MarkResult> Commit(WorkingStore& store, Ui& ui, const StoreImage& image, MarkResult result)
{
    if (!CommitStoreImage(store, image, image_part::kSatellites | image_part::kCarriers | image_part::kServices)) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    return result;
}

}  // namespace

FlagEditor::FlagEditor(StoreImage& image) : image_(image), starts_(ServiceBlockStarts(image.carriers)) {}

void FlagEditor::Satellite(std::uint32_t s, std::uint8_t flag)
{
    if (image_.satellites[s].factoryDefault != flag)
        Note(result_.satellites, s);
    image_.satellites[s].factoryDefault = flag;
    if (flag == 1)
        return;
    for (std::uint32_t k = 0; k < image_.carriers.size(); ++k)
        if (image_.carriers[k].satelliteIndex == s)
            Carrier(k, 0);
}

void FlagEditor::Carrier(std::uint32_t k, std::uint8_t flag)
{
    if (image_.carriers[k].factoryDefault != flag)
        Note(result_.carriers, k);
    image_.carriers[k].factoryDefault = flag;
    if (flag == 1)
        return;
    for (auto r = starts_[k]; r < starts_[k + 1]; ++r)
        image_.services[r].factoryDefault = 0;
}

void FlagEditor::Service(std::uint32_t r, std::uint8_t flag)
{
    image_.services[r].factoryDefault = flag;
    if (flag != 1)
        return;
    const auto k = CarrierOfServiceIndex(starts_, r);
    if (!k)
        return;
    auto& carrier = image_.carriers[*k];
    if (carrier.factoryDefault != 1)
        Note(result_.carriers, *k);
    carrier.factoryDefault = 1;
    auto& sat = image_.satellites[carrier.satelliteIndex];
    if (sat.factoryDefault != 1)
        Note(result_.satellites, carrier.satelliteIndex);
    sat.factoryDefault = 1;
}

std::optional<MarkResult> ToggleSatelliteFactoryDefault(WorkingStore& store, Ui& ui, std::uint32_t n)
{
    auto image = LoadStoreImage(store, kHierarchy);
    if (!image || n < 1 || n > image->satellites.size()) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    FlagEditor flags(*image);
    flags.Satellite(n - 1, image->satellites[n - 1].factoryDefault == 1 ? 0 : 1);
    return Commit(store, ui, *image, std::move(flags.Result()));
}

std::optional<MarkResult> ToggleCarrierFactoryDefault(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p)
{
    auto image = LoadStoreImage(store, kHierarchy);
    const auto k = image ? CarrierRecordAt(*image, s, p) : std::nullopt;
    if (!k) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    if (image->satellites[s - 1].factoryDefault != 1) {
        ShowError(ui, "Not possible to set factory default.\nBecause satellite factory default is not set.");
        return std::nullopt;
    }
    FlagEditor flags(*image);
    flags.Carrier(*k, image->carriers[*k].factoryDefault == 1 ? 0 : 1);
    return Commit(store, ui, *image, std::move(flags.Result()));
}

}  // namespace velk
