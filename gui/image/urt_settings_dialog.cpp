#include "image/urt_settings_dialog.h"

#include "image/image_fields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velk::gui {
namespace {

// The list texts and the index of `value` in the accepted sizes.
template <std::size_t N>
QStringList SizeTexts(const std::array<std::uint32_t, N>& sizes)
{
    QStringList texts;
    for (const std::uint32_t size : sizes)
        texts << QString::number(size);
    return texts;
}

template <std::size_t N>
int IndexOf(const std::array<std::uint32_t, N>& sizes, std::uint32_t value)
{
    const auto it = std::ranges::find(sizes, value);
    return it == sizes.end() ? 0 : static_cast<int>(it - sizes.begin());
}

}  // namespace

UrtSettingsDialog::UrtSettingsDialog(UrtSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), headerId_(HexField(this, "headerId", 2, settings.headerTableId, true)),
      blockId_(HexField(this, "blockId", 2, settings.blockTableId, true)),
      partition_(ListField(this, "partitionSize", SizeTexts(kUrtPartitionSizesKb), IndexOf(kUrtPartitionSizesKb, settings.partitionSize / 1024))),
      block_(ListField(this, "blockSize", SizeTexts(kUrtBlockSizes), IndexOf(kUrtBlockSizes, settings.blockSize)))
{
    setWindowTitle("Settings");
    auto* form = new QFormLayout;
    form->addRow("Loader Image Header Table ID [ 8 bits in Hex ]", headerId_);
    form->addRow("Loader Block Table ID [ 8 bits in Hex ]", blockId_);
    form->addRow("Partition Size [ KB ]", partition_);
    // 4096 stays out of the list: the 12-bit length fields cannot express it.
    form->addRow("Block Size [ Bytes ]", block_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void UrtSettingsDialog::accept()
{
    settings_.headerTableId = static_cast<std::uint8_t>(HexValue(headerId_));
    settings_.blockTableId = static_cast<std::uint8_t>(HexValue(blockId_));
    settings_.partitionSize = kUrtPartitionSizesKb[static_cast<std::size_t>(partition_->currentIndex())] * 1024;
    settings_.blockSize = kUrtBlockSizes[static_cast<std::size_t>(block_->currentIndex())];
    QDialog::accept();
}

}  // namespace velk::gui
