#include "shell/qt_ui.h"

#include "common/build_identity.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

namespace velk::gui {
namespace {

// Runs `work` on the GUI thread and waits for it.
template <typename Fn>
auto OnGuiThread(Fn work)
{
    if (QThread::currentThread() == qApp->thread())
        return work();
    decltype(work()) result{};
    QMetaObject::invokeMethod(qApp, [&] { result = work(); }, Qt::BlockingQueuedConnection);
    return result;
}

QMessageBox::Icon ToQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer FromQt(int button)
{
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

// "Name ( *.BIN )|*.bin" becomes the Qt filter "Name ( *.BIN ) (*.bin *.BIN)".
QString ToQtFilter(const std::string& filter)
{
    const auto bar = filter.find('|');
    if (bar == std::string::npos)
        return QString::fromStdString(filter);
    const auto pattern = QString::fromStdString(filter.substr(bar + 1));
    return QString::fromStdString(filter.substr(0, bar)) + " (" + pattern + " " + pattern.toUpper() + ")";
}

}  // namespace

Answer QtUi::Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons)
{
    return OnGuiThread([&] {
        QMessageBox box(ToQt(icon), QString::fromStdString(caption.empty() ? ApplicationTitle() : caption),
                        QString::fromStdString(text), ToQt(buttons), owner_);
        return FromQt(box.exec());
    });
}

void QtUi::ProgressBegin(const std::string& title, std::uint32_t range)
{
    OnGuiThread([&] {
        progress_ = new QProgressDialog(QString::fromStdString(title), QObject::tr("Cancel"), 0, static_cast<int>(range), owner_);
        progress_->setAttribute(Qt::WA_DeleteOnClose);
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setMinimumDuration(300);
        return 0;
    });
}

void QtUi::ProgressSet(std::uint32_t position)
{
    OnGuiThread([&] {
        if (progress_)
            progress_->setValue(static_cast<int>(position));
        return 0;
    });
}

void QtUi::ProgressEnd()
{
    OnGuiThread([&] {
        if (progress_)
            progress_->close();
        return 0;
    });
}

bool QtUi::ProgressCancelled()
{
    return OnGuiThread([&] { return progress_ && progress_->wasCanceled(); });
}

std::optional<std::filesystem::path> QtUi::ChooseOpenFile(const FileChoice& choice)
{
    return OnGuiThread([&]() -> std::optional<std::filesystem::path> {
        const auto name = QFileDialog::getOpenFileName(owner_, QString::fromStdString(choice.title),
                                                       QString::fromStdString(choice.initial.string()), ToQtFilter(choice.filter));
        if (name.isEmpty())
            return std::nullopt;
        return std::filesystem::path(name.toStdString());
    });
}

std::optional<std::filesystem::path> QtUi::ChooseSaveFile(const FileChoice& choice)
{
    return OnGuiThread([&]() -> std::optional<std::filesystem::path> {
        QFileDialog dialog(owner_, QString::fromStdString(choice.title), QString::fromStdString(choice.initial.string()), ToQtFilter(choice.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromStdString(choice.defaultExtension));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return std::filesystem::path(dialog.selectedFiles().front().toStdString());
    });
}

std::optional<std::filesystem::path> QtUi::ChooseFolder(const std::string& title, const std::filesystem::path& initial)
{
    return OnGuiThread([&]() -> std::optional<std::filesystem::path> {
        const auto folder = QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title),
                                                              QString::fromStdString(initial.string()));
        if (folder.isEmpty())
            return std::nullopt;
        return std::filesystem::path(folder.toStdString());
    });
}

}  // namespace velk::gui
