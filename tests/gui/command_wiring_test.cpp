#include "gui_test_support.h"
#include "shell/pending_commands.h"

#include <QtTest>

#include <algorithm>

using namespace velk;
using namespace velk::gui;

// Every command of the table that the frame shows must do something, or be
// listed as pending in shell/pending_commands.h.
class CommandWiringTest : public QObject {
    Q_OBJECT
private slots:
    void everyCommandIsHandledOrPending()
    {
        test::EditorRun run(test::EditorRun::Start::EmptyDatabase);
        QStringList dead, stale;
        for (const auto& info : kCommands) {
            if (info.text.empty())
                continue;  // the recent-file slots: the File menu makes their actions
            const bool pending = std::ranges::find(kPendingCommands, info.id) != std::end(kPendingCommands);
            const auto* action = run.window->Action(info.id);
            const bool handled = action && action->Handled();
            const auto name = QString("%1 %2").arg(static_cast<int>(info.id)).arg(QString::fromUtf8(info.text.data(), info.text.size()));
            if (!handled && !pending)
                dead << name;
            if (handled && pending)
                stale << name;
        }
        QVERIFY2(dead.isEmpty(), qPrintable("no handler (CommandAction::Handle) and not in pending_commands.h: " + dead.join(", ")));
        QVERIFY2(stale.isEmpty(), qPrintable("handled, remove from pending_commands.h: " + stale.join(", ")));
    }
};

QTEST_MAIN(CommandWiringTest)
#include "command_wiring_test.moc"
