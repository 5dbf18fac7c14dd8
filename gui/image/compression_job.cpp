#include "image/compression_job.h"

namespace velk::gui {

class CompressionJob::WorkerUi final : public Ui {
public:
    explicit WorkerUi(CompressionJob& job) : job_(job) {}

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons) override
    {
        const std::lock_guard lock(job_.mutex_);
        job_.messages_.push_back({text, caption, icon});
        return Answer::Ok;
    }
    void ProgressBegin(const std::string&, std::uint32_t range) override
    {
        range_ = static_cast<int>(range);
        emit job_.progressed(0, range_);
    }
    void ProgressSet(std::uint32_t position) override { emit job_.progressed(static_cast<int>(position), range_); }
    void ProgressEnd() override {}
    bool ProgressCancelled() override { return job_.cancelled_; }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }

private:
    CompressionJob& job_;
    int range_ = 0;
};

CompressionJob::CompressionJob(QObject* parent) : QObject(parent), ui_(std::make_unique<WorkerUi>(*this)) {}

void CompressionJob::Start(CompressionRequest request)
{
    worker_ = std::jthread([this, request = std::move(request)] {
        const int result = CompressImageFile(*ui_, request.input, request.output, request.type, request.level);
        emit finished(result);
    });
}

CompressionJob::~CompressionJob()
{
    cancelled_ = true;
    if (worker_.joinable())
        worker_.join();
}

void CompressionJob::ShowMessages(Ui& ui) const
{
    const std::lock_guard lock(mutex_);
    for (const Message& m : messages_)
        ui.Message(m.text, m.caption, m.icon, Buttons::Ok);
}

}  // namespace velk::gui
