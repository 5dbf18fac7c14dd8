#pragma once
// Helpers for the editor tests: a whole run (session, settings, frame) in a
// scratch directory, and a hook that acts on the next modal dialog.
#include "database/editor_window.h"
#include "shell/command_table.h"
#include "shell/main_window.h"
#include "support/sample_database.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

namespace velk::test {

struct EditorRun {
    TempDir dir;
    ScriptedUi ui;
    std::optional<Session> session = Session::Start(dir.Path(), ui);
    MemoryKeyValueStore settings;
    Preferences preferences;
    std::unique_ptr<gui::MainWindow> window;

    // What the frame shows at the start: the sample database, an empty one, or none.
    enum class Start { Sample, EmptyDatabase, NoDatabase };

    explicit EditorRun(Start start = Start::Sample, QSize size = {1000, 600})
    {
        window = std::make_unique<gui::MainWindow>(*session, settings, preferences, &ui);
        window->resize(size);
        window->show();
        if (start != Start::NoDatabase)
            window->NewDatabase();
        if (start == Start::Sample) {
            WriteSampleDatabase(session->Store(), EditorSample());
            Editor()->ResetHistory();  // as if opened: the sample is the saved database
            Editor()->Reload();
        }
    }
    ~EditorRun()
    {
        if (window && !window->IsShutDown()) {
            ui.answers.clear();
            // Exit asks one question: drop unsaved changes, or confirm the close.
            ui.answers.push_back(window->Editor() && window->Editor()->Modified() ? Answer::No : Answer::Ok);
            window->close();
        }
    }
    gui::EditorWindow* Editor() const { return window->Editor(); }
    WorkingStore& Store() { return session->Store(); }
    bool Run(gui::Command command)
    {
        auto* action = window->Action(command);
        if (!action->isEnabled())
            return false;
        action->trigger();
        return true;
    }
    QString Cell(int row, int column) const { return Editor()->Model()->index(row, column).data().toString(); }
    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < Editor()->Model()->rowCount(); ++row)
            texts << Cell(row, column);
        return texts;
    }
    std::string LastMessage() const { return ui.messages.empty() ? std::string() : ui.messages.back().text; }
};

// Calls `act` with the next modal dialog once it shows; `act` must close it.
inline void OnModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

inline void SetText(QWidget* dialog, const char* name, const QString& text)
{
    dialog->findChild<QLineEdit*>(name)->setText(text);
}

inline void ClickOk(QWidget* dialog)
{
    dialog->findChild<QPushButton*>("ok")->click();
}

// Cancel as the user clicks it in a progress dialog (shown or not yet).
inline void ClickCancel(QProgressDialog* progress)
{
    progress->findChild<QPushButton*>()->click();
}

// The widget that holds the focus inside the dialog.
inline QString FocusName(QWidget* dialog)
{
    auto* focus = dialog->focusWidget();
    return focus ? focus->objectName() : QString();
}

}  // namespace velk::test
