#pragma once
// "Compression": a binary image into an "HWC$" compressed image file. The
// compression runs as a background task: its progress dialog shows once it
// takes a second, with Cancel at hand.
#include "common/ui.h"
#include "image/field_memory.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velk::gui {

class BackgroundTask;

class CompressionDialog : public QDialog {
    Q_OBJECT
public:
    CompressionDialog(Ui& ui, FieldMemory& memory, QWidget* parent = nullptr);
    ~CompressionDialog() override;

    bool Running() const { return task_ != nullptr; }
    BackgroundTask* Task() const { return task_.get(); }

signals:
    // A compression ended (result 1 when the file was written).
    void compressionFinished(int result);

protected:
    void done(int result) override;

private:
    void Browse();
    void TypeChanged(int index);
    void Compress();
    void Finished(int result);

    Ui& ui_;
    FieldMemory& memory_;
    QLineEdit* input_;
    QComboBox* type_;
    QLabel* levelLabel_;
    QComboBox* level_;
    QPushButton* compress_;
    std::unique_ptr<BackgroundTask> task_;
};

}  // namespace velk::gui
