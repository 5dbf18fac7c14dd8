#pragma once
// The upload console ("VantorChild"): a terminal to the receiver's loader with
// its status line, the log view fed through "_debugprint.tmp", the command
// line, the console upload form and its own "&File" menu. The connection, the
// log and the upload live in link::ConsoleSession; its reader and upload
// threads reach this window only through queued signals. A BIN file is made
// into its URT file on a TransferWorker before the upload starts, so the
// window answers while the image is compressed and wrapped.
#include "link/console_session.h"
#include "link/transfer_worker.h"
#include "link/upload_image.h"
#include "shell/command_table.h"
#include "link/upload_config.h"

#include <QWidget>

#include <map>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTextEdit;

namespace velk::gui {

class ConsoleWindow final : public QWidget {
    Q_OBJECT
public:
    // `config` gives the port settings and the image values of a BIN upload.
    ConsoleWindow(const link::UploadConfig& config, const std::filesystem::path& workDir, Ui& ui, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    bool Connected() const { return session_.Connected(); }
    link::ConsoleSession& Session() { return session_; }
    QAction* Action(Command command) const;
    // After the Settings dialog: the status line shows the new port settings.
    void RefreshStatusLine();
    // "&Close": asks, disconnects; true when the console may go.
    bool ConfirmClose();

signals:
    // From the reader and upload threads.
    void logAppended(const QString& text, bool report);
    void packetCountKnown(int count);
    void packetsSent(int sent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class UploadReport;
    QWidget* BuildForm();
    void BuildMenu();
    void ConnectOrDisconnect();
    void Upload();
    void Prepare(const std::filesystem::path& chosen);
    void Prepared(std::optional<link::ConsoleUploadImage> image);
    void StartUpload(link::ConsoleUploadImage image);
    bool Busy() const;
    void CancelUpload();
    void ShowActivity(const QString& text);
    void SaveLog();
    void ClearLog();
    void SendCommandLine();
    void AppendToView(const QString& text, bool report);
    void WatchUploadEnd();
    void UploadEnded();
    void UpdateCommands();
    static void Flash(QLabel* indicator, const QString& letter);

    const link::UploadConfig& config_;
    std::filesystem::path workDir_;
    Ui& ui_;
    link::ConsoleSession session_;
    std::unique_ptr<UploadReport> report_;
    QLabel* statusLine_;
    QTextEdit* log_;
    QLineEdit* commandLine_;
    QLineEdit* fileName_;
    QLineEdit* packetCount_;
    QLineEdit* packetsSent_;
    QLabel* transmit_;
    QLabel* receive_;
    QProgressBar* progress_;
    std::map<Command, QAction*> actions_;
    // What the preparation is doing, shown after the port settings.
    QString activity_;
    // The preparation of the file in hand; gone once it has reported.
    std::unique_ptr<TransferWorker> preparation_;
};

}  // namespace velk::gui
