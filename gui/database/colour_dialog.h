#pragma once
// "Color setting": the six list colours. A chosen colour applies at once for
// the run; Ok also stores all six in the settings.
#include "shell/key_value_store.h"
#include "shell/preferences.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>

class QPushButton;

namespace velk::gui {

class ColourDialog : public QDialog {
    Q_OBJECT
public:
    ColourDialog(ColourTable& colours, KeyValueStore& settings, QWidget* parent = nullptr);

    // The chooser asked when a swatch is clicked; the platform's colour dialog by default.
    std::function<QColor(const QColor& initial)> chooser;
    QPushButton* Swatch(int i) const { return swatches_.at(static_cast<std::size_t>(i)); }
    void accept() override;

private:
    void Choose(int i);
    void Paint(int i);
    std::uint32_t& Slot(int i);

    ColourTable& colours_;
    KeyValueStore& settings_;
    std::array<QPushButton*, 6> swatches_{};
};

}  // namespace velk::gui
