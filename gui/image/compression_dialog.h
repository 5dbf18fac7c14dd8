#pragma once
// "Compression": a binary image into an "HWC$" compressed image file. The
// compression runs on a worker thread with its progress shown and Cancel at hand.
#include "common/ui.h"
#include "image/field_memory.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace velk::gui {

class CompressionJob;

class CompressionDialog : public QDialog {
    Q_OBJECT
public:
    CompressionDialog(Ui& ui, FieldMemory& memory, QWidget* parent = nullptr);
    ~CompressionDialog() override;

    bool Running() const { return job_ != nullptr; }

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
    QPushButton* cancel_;
    QProgressBar* progress_;
    std::unique_ptr<CompressionJob> job_;
};

}  // namespace velk::gui
