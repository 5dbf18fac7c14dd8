#include "sdb/sort_dialog.h"

#include "import/wizard_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace velk::gui {
namespace {

// The frame's UI port with the progress shown in the dialog's own bar.
class DialogProgressUi final : public Ui {
public:
    DialogProgressUi(Ui& frame, QProgressBar* bar) : frame_(frame), bar_(bar) {}
    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override
    {
        return frame_.Message(text, caption, icon, buttons);
    }
    void ProgressBegin(const std::string&, std::uint32_t range) override
    {
        bar_->setRange(0, static_cast<int>(range));
        bar_->setValue(0);
        bar_->show();
    }
    void ProgressSet(std::uint32_t position) override { bar_->setValue(static_cast<int>(position)); }
    void ProgressEnd() override { bar_->hide(); }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override { return frame_.ChooseOpenFile(choice); }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override { return frame_.ChooseSaveFile(choice); }

private:
    Ui& frame_;
    QProgressBar* bar_;
};

template <typename Key>
sdb::LevelSort<Key> LevelOf(const QGroupBox* box, const QComboBox* key, const QComboBox* order)
{
    if (!box->isChecked())
        return {};
    return {static_cast<Key>(key->currentIndex()), order->currentIndex() == 0 ? sdb::SortOrder::Ascending : sdb::SortOrder::Descending};
}

}  // namespace

SortDialog::SortDialog(WorkingStore& store, sdb::SdbSession& session, Ui& ui, QWidget* parent)
    : QDialog(parent), store_(store), session_(session), ui_(ui)
{
    setWindowTitle("Sorting Information");
    // Each key with its two orders, in the order of the core's key enums.
    levels_[0] = AddLevel("Satellite sort", "satelliteSort",
                          {{"Name", "A to Z", "Z to A"}, {"East/West", "East", "West"}, {"Angle", "Asc", "Desc"}});
    levels_[1] = AddLevel("Carrier sort", "carrierSort",
                          {{"Name", "A to Z", "Z to A"}, {"Frequency", "Asc", "Desc"}, {"Symbol rate", "Asc", "Desc"}});
    levels_[2] = AddLevel("Service sort", "serviceSort",
                          {{"Name", "A to Z", "Z to A"}, {"Scrambling", "FTA to Scrambled", "Scrambled to FTA"},
                           {"Service type", "TV to Radio", "Radio to TV"}});
    progress_ = new QProgressBar(this);
    progress_->setObjectName("sortProgress");
    progress_->hide();
    auto* sort = MakeButton("Sort", "sort", this, "Sort SDB information ");
    auto* saveAs = MakeButton("Save As", "saveAs", this, "Sort to save as separate SDB file");
    auto* close = MakeButton("Close", "close", this);
    connect(sort, &QPushButton::clicked, this, [this] { Run(false); });
    connect(saveAs, &QPushButton::clicked, this, [this] { Run(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addStretch();
    for (auto* button : {sort, saveAs, close})
        buttons->addWidget(button);
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    layout->addLayout(buttons);
}

SortDialog::Level SortDialog::AddLevel(const char* title, const char* name, std::initializer_list<std::array<const char*, 3>> keys)
{
    auto* layout = qobject_cast<QVBoxLayout*>(this->layout());
    if (!layout)
        layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    box->setCheckable(true);
    box->setChecked(false);
    auto* key = new QComboBox(box);
    key->setObjectName("key");
    auto* order = new QComboBox(box);
    order->setObjectName("order");
    std::vector<std::array<const char*, 3>> table(keys);
    for (const auto& k : table)
        key->addItem(k[0]);
    const auto showOrders = [order, table](int k) {
        const int kept = std::max(order->currentIndex(), 0);
        order->clear();
        order->addItem(table.at(static_cast<std::size_t>(k))[1]);
        order->addItem(table.at(static_cast<std::size_t>(k))[2]);
        order->setCurrentIndex(kept);
    };
    showOrders(0);
    connect(key, &QComboBox::currentIndexChanged, box, showOrders);
    auto* form = new QFormLayout(box);
    form->addRow("Sort by", key);
    form->addRow("Order", order);
    layout->addWidget(box);
    return {box, key, order};
}

sdb::SortSettings SortDialog::Settings() const
{
    return {LevelOf<sdb::SatelliteSortKey>(levels_[0].box, levels_[0].key, levels_[0].order),
            LevelOf<sdb::CarrierSortKey>(levels_[1].box, levels_[1].key, levels_[1].order),
            LevelOf<sdb::ServiceSortKey>(levels_[2].box, levels_[2].key, levels_[2].order)};
}

void SortDialog::Run(bool saveAs)
{
    DialogProgressUi ui(ui_, progress_);
    const auto settings = Settings();
    const int result = saveAs ? sdb::SortSaveAsButton(store_, session_, ui, settings)
                              : sdb::SortButton(store_, session_, ui, settings);
    if (result != 1)
        return;
    sorted_ = true;
    accept();
}

}  // namespace velk::gui
