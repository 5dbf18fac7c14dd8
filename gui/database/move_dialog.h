#pragma once
// "Move Information" and "Move Service Information": one number typed in, checked
// by the core's rule; a refusal keeps the dialog open with the focus on the field.
#include <QDialog>

#include <functional>
#include <optional>
#include <string_view>

class QLineEdit;

namespace velk::gui {

class MoveDialog : public QDialog {
    Q_OBJECT
public:
    using Check = std::function<std::optional<std::uint32_t>(std::string_view typed)>;
    MoveDialog(const QString& title, const QString& label, const QString& okTip, Check check, QWidget* parent = nullptr);

    // The accepted target.
    std::uint32_t Target() const { return target_; }
    void accept() override;

private:
    Check check_;
    QLineEdit* edit_;
    std::uint32_t target_ = 0;
};

}  // namespace velk::gui
