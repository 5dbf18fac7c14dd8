#pragma once
// The two "LNB Record Details" dialogs of the wizard's LNB step: one LNB's low
// and high frequency, and the number of LNB records. The wizard model checks
// the values; a refusal keeps the dialog open.
#include <QDialog>

#include <cstdint>
#include <functional>

class QLineEdit;

namespace velk::gui {

class LnbDetailsDialog : public QDialog {
    Q_OBJECT
public:
    // `apply` gets low and high (MHz) and returns false after its warning.
    using Apply = std::function<bool(std::uint32_t lowMhz, std::uint32_t highMhz)>;
    LnbDetailsDialog(std::uint32_t lowMhz, std::uint32_t highMhz, Apply apply, QWidget* parent = nullptr);
    void accept() override;

private:
    Apply apply_;
    QLineEdit* low_;
    QLineEdit* high_;
};

class LnbCountDialog : public QDialog {
    Q_OBJECT
public:
    // `apply` gets the number and returns false after its warning.
    using Apply = std::function<bool(std::uint32_t count)>;
    LnbCountDialog(std::uint32_t count, Apply apply, QWidget* parent = nullptr);
    void accept() override;

private:
    Apply apply_;
    QLineEdit* count_;
};

}  // namespace velk::gui
