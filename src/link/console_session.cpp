#include "link/console_session.h"

#include "link/upload_errors.h"

#include <system_error>

namespace velk::link {

// Upload rows go to the log; progress also to the caller's events.
class ConsoleSession::Events final : public UploadEvents {
public:
    Events(ConsoleSession& console, UploadEvents* extra) : console_(console), extra_(extra) {}
    void Status(const std::string& text) override { if (extra_) extra_->Status(text); }
    void PacketCount(std::uint32_t n) override { if (extra_) extra_->PacketCount(n); }
    void PacketsSent(std::uint32_t n) override { if (extra_) extra_->PacketsSent(n); }
    void Report(int code) override
    {
        console_.Append(UploadErrorText(code), true);
        if (extra_)
            extra_->Report(code);
    }

private:
    ConsoleSession& console_;
    UploadEvents* extra_;
};

ConsoleSession::ConsoleSession(std::filesystem::path workDir, Ui& ui, LogView view)
    : ui_(ui), log_(std::move(workDir), ui), view_(std::move(view))
{
}

ConsoleSession::~ConsoleSession()
{
    if (Connected())
        ConnectDisConnectWithPort({});
}

int ConsoleSession::ConnectDisConnectWithPort(const PortSettings& settings)
{
    if (!Connected()) {
        port_ = OpenCommPort(settings.port, LineSettingsFromPort(settings), ui_);
        if (!port_)
            return 0;
        reader_ = StartReaderThread(*port_, [this](ByteView bytes) { return OnReceived(bytes); });
        if (!reader_) {
            CloseCommPort(std::move(port_));
            return 0;
        }
        return 1;
    }
    if (UploadRunning())
        CancelUpload();
    EndUpload();
    StopReaderThread(std::move(reader_));
    if (CloseCommPort(std::move(port_)) != 1)
        ShowError(ui_, "Port Close API failed");
    return 1;
}

bool ConsoleSession::SendCommandLine(std::string_view text)
{
    const auto line = CommandLineToSend(text);
    if (!line || !Connected())
        return false;
    return WriteCommPort(*port_, *line) == line->size();
}

bool ConsoleSession::StartUpload(Bytes urtFile, UploadEvents* events)
{
    if (!Connected() || UploadRunning())
        return false;
    EndUpload();
    const std::lock_guard lock(uploadMutex_);
    events_ = std::make_unique<Events>(*this, events);
    std::vector<Bytes> files;
    files.push_back(std::move(urtFile));
    machine_ = std::make_unique<UploadMachine>(UploadKind::Console, std::move(files), *events_);
    driver_ = std::make_unique<TransferDriver>(*port_, *machine_);
    try {
        driver_->Start();
    } catch (const std::system_error&) {
        // No thread for the upload: the console stays connected without one.
        driver_.reset();
        return false;
    }
    uploadCallback_ = driver_->Callback();
    return true;
}

bool ConsoleSession::UploadRunning() const
{
    const std::lock_guard lock(uploadMutex_);
    return driver_ && !driver_->Finished();
}

void ConsoleSession::CancelUpload()
{
    if (!driver_)
        return;
    // A write blocked on a line nobody drains is released, and the port stays usable.
    driver_->Cancel(true);
    port_->ResetAbort();
    if (machine_->Outcome() == UploadOutcome::Cancelled)
        Append(UploadErrorText(kUploadTerminated), true);
}

// The receive display: the upload's handshake first, then the bytes as text.
int ConsoleSession::OnReceived(ByteView bytes)
{
    {
        const std::lock_guard lock(uploadMutex_);
        if (uploadCallback_ && driver_ && !driver_->Finished())
            uploadCallback_(bytes);
    }
    Append(FilterReceivedBytes(bytes), false);
    return 0;
}

void ConsoleSession::Append(const std::string& text, bool report)
{
    const std::lock_guard lock(appendMutex_);
    if (log_.Append(text) && view_)
        view_(text, report);
}

void ConsoleSession::EndUpload()
{
    std::unique_ptr<TransferDriver> driver;
    {
        const std::lock_guard lock(uploadMutex_);
        driver = std::move(driver_);
        uploadCallback_ = nullptr;
    }
    if (driver)
        driver->Cancel(false);
    const std::lock_guard lock(uploadMutex_);
    machine_.reset();
    events_.reset();
}

}  // namespace velk::link
