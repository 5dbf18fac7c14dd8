#pragma once
// One compression on a worker thread. The core runs against a Ui that never waits
// for the GUI thread: progress goes out as queued signals, messages are kept and
// shown on the GUI thread once the work is done, and Cancel is a flag.
#include "common/ui.h"
#include "image/compress_image.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace velk::gui {

struct CompressionRequest {
    std::filesystem::path input;
    std::filesystem::path output;
    CompressionType type = CompressionType::Zlib;
    int level = 6;
};

class CompressionJob : public QObject {
    Q_OBJECT
public:
    explicit CompressionJob(QObject* parent = nullptr);
    // The destructor cancels and waits for the worker.
    ~CompressionJob() override;

    // Runs the compression once; connect to the signals first.
    void Start(CompressionRequest request);
    void Cancel() { cancelled_ = true; }
    // After finished(): shows the core's messages through `ui`, in their order.
    void ShowMessages(Ui& ui) const;

signals:
    void progressed(int value, int maximum);
    void finished(int result);

private:
    class WorkerUi;
    struct Message {
        std::string text, caption;
        Icon icon;
    };

    std::atomic<bool> cancelled_ = false;
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
    std::unique_ptr<WorkerUi> ui_;
    std::jthread worker_;  // last: joined before the rest goes
};

}  // namespace velk::gui
