// The image dialogs offscreen: their checks in order with the exact messages and
// the focus, and whole runs whose files match velk's for the same inputs.
#include "gui_test_support.h"

#include "image/compression_dialog.h"
#include "image/image_tools.h"
#include "image/verifier_window.h"
#include "image/multiple_image_dialog.h"
#include "image/single_image_dialog.h"
#include "image/urt_settings_dialog.h"
#include "shell/background_task.h"

#include "commands.h"
#include "image/image_urt_commands.h"
#include "image/urt_file.h"
#include "image/urt_reader.h"
#include "support/run_velk.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QProgressDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace velk;
using velk::test::ReadBytes;
using velk::test::WriteBytes;

namespace {

Bytes Firmware(std::size_t size)
{
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(i % 7 == 0 ? i / 7 : "Receiver firmware "[i % 18]);
    return out;
}

int Velk(std::vector<std::string> args) { return test::RunVelk(cli::AddImageCommands, std::move(args)); }

// The date and time a URT file's header carries (the trailers carry the same).
Bytes HeaderTime(const std::filesystem::path& urt)
{
    const Bytes file = ReadBytes(urt);
    constexpr std::size_t kPayload = 6 + 4;
    if (file.size() < kPayload + 9)
        return {};
    const std::size_t at = kPayload + 13 + (file[kPayload + 8] & 0x0F);
    return file.size() < at + 8 ? Bytes{} : Bytes(file.begin() + static_cast<std::ptrdiff_t>(at), file.begin() + static_cast<std::ptrdiff_t>(at + 8));
}

// Runs `both` (dialog and velk) until their files carry the same time, so that they can be compared whole.
void WithinOneSecond(const std::function<void()>& both, const std::filesystem::path& dialogFile, const std::filesystem::path& velkFile)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        both();
        if (HeaderTime(dialogFile) == HeaderTime(velkFile))
            return;
    }
}

void Click(QWidget* dialog, const char* name) { dialog->findChild<QPushButton*>(name)->click(); }
void Check(QWidget* dialog, const char* name, bool on) { dialog->findChild<QCheckBox*>(name)->setChecked(on); }
void Choose(QWidget* dialog, const char* name, int index) { dialog->findChild<QComboBox*>(name)->setCurrentIndex(index); }

}  // namespace

class ImageDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void compressionRefusesInputAndFollowsTheType()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        gui::FieldMemory memory;
        gui::CompressionDialog dialog(ui, memory);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Compression"));
        QCOMPARE(dialog.findChild<QComboBox*>("level")->currentText(), QString("6"));
        Choose(&dialog, "type", 1);
        QVERIFY(!dialog.findChild<QComboBox*>("level")->isEnabled());
        Choose(&dialog, "type", 0);
        QVERIFY(dialog.findChild<QComboBox*>("level")->isEnabled());
        test::SetText(&dialog, "input", QString::fromStdString((dir / "none.bin").string()));
        Click(&dialog, "compress");
        WriteBytes(dir / "empty.bin", {});
        test::SetText(&dialog, "input", QString::fromStdString((dir / "empty.bin").string()));
        Click(&dialog, "compress");
        QCOMPARE(ui.Texts(), (std::vector<std::string>{"Binary file does not exist or invalid path.",
                                                       "Binary file does not contains any data to compress."}));
        QCOMPARE(ui.messages.back().caption, std::string("Compression"));
        QVERIFY(ui.fileChoices.empty());  // refused before the output is asked for
    }

    void compressionWholeRunMatchesVelk()
    {
        for (const int type : {0, 1}) {
            test::TempDir dir;
            test::ScriptedUi ui;
            gui::FieldMemory memory;
            WriteBytes(dir / "in.bin", Firmware(50000));
            gui::CompressionDialog dialog(ui, memory);
            dialog.show();
            test::SetText(&dialog, "input", QString::fromStdString((dir / "in.bin").string()));
            Choose(&dialog, "type", type);
            Choose(&dialog, "level", 8);
            ui.files.push_back(dir / "dialog.bin");
            QSignalSpy finished(&dialog, &gui::CompressionDialog::compressionFinished);
            Click(&dialog, "compress");
            QVERIFY(dialog.Running());
            QVERIFY(finished.wait(60000));
            QCOMPARE(finished.front().front().toInt(), 1);
            QCOMPARE(ui.fileChoices.front().title, std::string("Save Compressed Bin File as"));
            QCOMPARE(ui.messages.back().text, (dir / "in.bin").string() + "\nis compressed as\n" + (dir / "dialog.bin").string());
            const std::string mode = type ? "--bin2cod" : "--zlib=9";
            QCOMPARE(Velk({"compress", mode, (dir / "in.bin").string(), (dir / "velk.bin").string()}), 0);
            QVERIFY(ReadBytes(dir / "dialog.bin") == ReadBytes(dir / "velk.bin"));
        }
    }

    void compressionCancelLeavesNoFile()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        gui::FieldMemory memory;
        WriteBytes(dir / "in.bin", Firmware(3 * 1024 * 1024));
        gui::CompressionDialog dialog(ui, memory);
        dialog.show();
        test::SetText(&dialog, "input", QString::fromStdString((dir / "in.bin").string()));
        Choose(&dialog, "type", 1);
        ui.files.push_back(dir / "out.bin");
        QSignalSpy finished(&dialog, &gui::CompressionDialog::compressionFinished);
        Click(&dialog, "compress");
        QVERIFY(dialog.Running());
        test::ClickCancel(dialog.Task()->Dialog());  // before the dialog had time to show
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.front().front().toInt(), 0);
        QVERIFY(ui.messages.empty());
        QVERIFY(!std::filesystem::exists(dir / "out.bin"));
        QVERIFY(dialog.findChild<QPushButton*>("compress")->isEnabled());
    }

    void singleImageChecksInOrderWithFocus()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        gui::FieldMemory memory;
        UrtSettings settings;
        WriteBytes(dir / "big.bin", Bytes(0x1000 - 31));
        gui::SingleImageDialog dialog(gui::SingleImageDialog::Mode::SingleImage, ui, settings, {}, memory);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QString("Single Image Details"));
        QVERIFY(!dialog.findChild<QLineEdit*>("decompressStart")->isEnabled());
        struct Step {
            const char* field;  // filled before the press, null for none
            QString value;
            std::string message;
            QString focus;
        };
        const Step steps[] = {
            {nullptr, {}, "Enter Loader Text", {}},
            {"loaderText", "Database", "Enter Manufacture ID", "manufacturerId"},
            {"manufacturerId", "A2", "You should enter start address.", "startAddress"},
            {"startAddress", "7FE40000", "You should enter End address.", "endAddress"},
            {"endAddress", "7FE41000", "Enter Image file", {}},
            {"imageFile", QString::fromStdString((dir / "none.bin").string()), "File Open Error ", {}},
            {"imageFile", QString::fromStdString((dir / "big.bin").string()), " Image Size greater than the Flash Size ", {}},
        };
        for (const Step& step : steps) {
            if (step.field)
                test::SetText(&dialog, step.field, step.value);
            dialog.findChild<QLineEdit*>("swMajor")->setFocus();
            Click(&dialog, "urt");
            QCOMPARE(ui.messages.back().text, step.message);
            QCOMPARE(ui.messages.back().icon, Icon::Error);
            if (!step.focus.isEmpty())
                QCOMPARE(test::FocusName(&dialog), step.focus);
        }
        WriteBytes(dir / "big.bin", Bytes(0x1000 - 32));
        Check(&dialog, "compressed", true);
        QVERIFY(dialog.findChild<QLineEdit*>("decompressStart")->isEnabled());
        Click(&dialog, "urt");
        QCOMPARE(ui.messages.back().text, std::string("You should decompress start address."));
        QCOMPARE(test::FocusName(&dialog), QString("decompressStart"));
        QVERIFY(dialog.isVisible());
        QVERIFY(ui.fileChoices.empty());
    }

    void singleImageAndBin2UrtMatchVelk()
    {
        for (const auto mode : {gui::SingleImageDialog::Mode::SingleImage, gui::SingleImageDialog::Mode::Bin2Urt}) {
            test::TempDir dir;
            test::ScriptedUi ui;
            gui::FieldMemory memory;
            const UrtSettings settings;
            WriteBytes(dir / "in.bin", Firmware(30000));  // fits the BIN2URT start region of 64 KiB
            const bool bin2urt = mode == gui::SingleImageDialog::Mode::Bin2Urt;
            const UrtImageParams start = bin2urt ? Bin2UrtDefaultParams() : UrtImageParams{};
            WithinOneSecond([&] {
                gui::SingleImageDialog dialog(mode, ui, settings, start, memory);
                dialog.show();
                test::SetText(&dialog, "imageFile", QString::fromStdString((dir / "in.bin").string()));
                if (!bin2urt) {
                    Choose(&dialog, "destination", 5);
                    Choose(&dialog, "imageType", 2);
                    const std::pair<const char*, const char*> fields[] = {
                        {"loaderText", "App"}, {"manufacturerId", "A1"}, {"startAddress", "7FF60000"}, {"endAddress", "7FFF0000"},
                        {"hwMajor", "1"}, {"hwMinor", "0"}, {"swMajor", "2"}, {"swMinor", "1"}};
                    for (const auto& [name, value] : fields)
                        test::SetText(&dialog, name, value);
                }
                ui.files.push_back(dir / "dialog.urt");
                Click(&dialog, "urt");
                QVERIFY2(!dialog.isVisible(), ui.messages.empty() ? "" : ui.messages.back().text.c_str());  // closed after the generation
                const std::vector<std::string> args = bin2urt ? std::vector<std::string>{}
                    : std::vector<std::string>{"--type", "2", "--dest", "15", "--mfr", "A1", "--loader", "App", "--start", "7FF60000",
                                               "--end", "7FFF0000", "--sw", "2.1", "--hw", "1.0"};
                std::vector<std::string> command{"urt", (dir / "in.bin").string(), (dir / "velk.urt").string()};
                command.insert(command.end(), args.begin(), args.end());
                QCOMPARE(Velk(command), 0);
            }, dir / "dialog.urt", dir / "velk.urt");
            QCOMPARE(ui.fileChoices.back().title, std::string("Save as URT File"));
            const std::string shown = bin2urt ? (dir / "dialog.urt").string() + " file generated successfully."
                                              : (dir / "dialog.urt").string() + " \nfile is generated successfully.";
            QCOMPARE(ui.messages.back().text, shown);
            QVERIFY(ReadBytes(dir / "dialog.urt") == ReadBytes(dir / "velk.urt"));
            QVERIFY(InspectUrtFile(ReadBytes(dir / "dialog.urt")).Sound());
        }
    }

    void multipleImageChecksAndOverlapFocus()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        gui::FieldMemory memory;
        UrtSettings settings;
        WriteBytes(dir / "app.bin", Firmware(1000));
        WriteBytes(dir / "res.bin", Firmware(500));
        gui::MultipleImageDialog dialog(ui, settings, memory);
        dialog.show();
        QVERIFY(!dialog.findChild<QLineEdit*>("appStart")->isEnabled());
        Check(&dialog, "appPresent", true);
        QVERIFY(dialog.findChild<QLineEdit*>("appStart")->isEnabled());
        QVERIFY(!dialog.findChild<QLineEdit*>("appDecompressStart")->isEnabled());
        Click(&dialog, "urt");
        QCOMPARE(ui.messages.back().text, std::string("Enter application image file"));
        QCOMPARE(test::FocusName(&dialog), QString("appFile"));
        test::SetText(&dialog, "appFile", QString::fromStdString((dir / "app.bin").string()));
        test::SetText(&dialog, "appStart", "0");
        Click(&dialog, "urt");
        QCOMPARE(ui.messages.back().text, std::string("You should enter application start address."));
        QCOMPARE(test::FocusName(&dialog), QString("appStart"));
        test::SetText(&dialog, "appStart", "7FF60000");
        Check(&dialog, "resPresent", true);
        test::SetText(&dialog, "resFile", QString::fromStdString((dir / "res.bin").string()));
        test::SetText(&dialog, "resEnd", "7FF60001");  // one byte into the application
        Click(&dialog, "urt");
        QCOMPARE(ui.messages.back().text, std::string("Resource end address overlapped with application image."));
        QCOMPARE(test::FocusName(&dialog), QString("resEnd"));
        Check(&dialog, "resPresent", false);  // an unchecked image is never tested
        ui.files.push_back(std::nullopt);
        Click(&dialog, "urt");
        QCOMPARE(ui.fileChoices.back().title, std::string("Save as URT File"));
    }

    void multipleImageWholeRunMatchesVelk()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        gui::FieldMemory memory;
        UrtSettings settings;
        WriteBytes(dir / "app.bin", Firmware(30000));
        WriteBytes(dir / "sdb.bin", Firmware(9000));
        WithinOneSecond([&] {
            gui::MultipleImageDialog dialog(ui, settings, memory);
            dialog.show();
            Check(&dialog, "appPresent", true);
            Check(&dialog, "sdbPresent", true);
            test::SetText(&dialog, "appFile", QString::fromStdString((dir / "app.bin").string()));
            test::SetText(&dialog, "sdbFile", QString::fromStdString((dir / "sdb.bin").string()));
            test::SetText(&dialog, "loaderText", "Multi");
            ui.files.push_back(dir / "dialog.urt");
            Click(&dialog, "urt");
            QCOMPARE(Velk({"urt-multi", (dir / "velk.urt").string(), "--app", (dir / "app.bin").string() + ",7FF60000,7FFF0000,1.0", "--sdb",
                           (dir / "sdb.bin").string() + ",7FF10000,7FF20000,1.0", "--loader", "Multi"}),
                     0);
        }, dir / "dialog.urt", dir / "velk.urt");
        QCOMPARE(ui.messages.back().text, (dir / "dialog.urt").string() + " \nfile is generated successfully.");
        QVERIFY(ReadBytes(dir / "dialog.urt") == ReadBytes(dir / "velk.urt"));
    }

    void settingsDialogPreselectsAndLeaves4096Out()
    {
        UrtSettings settings;
        settings.partitionSize = 64 * 1024;
        gui::UrtSettingsDialog dialog(settings);
        QCOMPARE(dialog.findChild<QLineEdit*>("headerId")->text(), QString("F1"));
        QCOMPARE(dialog.findChild<QLineEdit*>("blockId")->text(), QString("F2"));
        QCOMPARE(dialog.findChild<QComboBox*>("partitionSize")->currentText(), QString("64"));
        auto* block = dialog.findChild<QComboBox*>("blockSize");
        QCOMPARE(block->currentText(), QString("2048"));
        QCOMPARE(block->findText("4096"), -1);
        test::SetText(&dialog, "headerId", "a0");
        block->setCurrentIndex(0);
        dialog.accept();
        QCOMPARE(settings.headerTableId, std::uint8_t{0xA0});
        QCOMPARE(settings.blockSize, 512u);
    }

    void frameWiresTheToolsAndTheyRememberInputs()
    {
        test::EditorRun run(test::EditorRun::Start::EmptyDatabase);
        QAction* compression = run.window->Action(gui::cmd::Compression);
        QVERIFY(compression->isEnabled());
        QCOMPARE(compression->shortcut(), QKeySequence("Ctrl+P"));
        auto* urtMenu = run.window->findChild<QToolButton*>("URT_MENU")->menu();
        QStringList texts;
        for (QAction* a : urtMenu->actions())
            texts << a->text();
        QVERIFY(texts.contains("&Single Image") && texts.contains("URT &Settings") && texts.contains("&Inspect"));
        for (int pass = 0; pass < 2; ++pass) {
            QString seen;
            test::OnModal([&](QWidget* dialog) {
                auto* loader = dialog->findChild<QLineEdit*>("loaderText");
                seen = loader->text();
                loader->setText("Remembered");
                Click(dialog, "close");
            });
            run.window->Action(gui::cmd::SingleImage)->trigger();
            QCOMPARE(seen, pass == 0 ? QString() : QString("Remembered"));
        }
    }

    void inspectWindowShowsProblemsInRed()
    {
        UrtSettings settings;
        UrtImageParams params = Bin2UrtDefaultParams();
        Bytes file = BuildUrtFile(Firmware(500), settings, params);
        file[40] ^= 1;
        const InspectionReport report = InspectUrtFile(file);
        gui::InspectWindow window("damaged.urt", report);
        QVERIFY(window.findChild<QLabel*>("verdict")->text().contains("offset 0x"));
        int red = 0;
        for (int row = 0; row < window.Table()->rowCount(); ++row)
            red += window.Table()->item(row, 2)->foreground().color() == Qt::red;
        QCOMPARE(red, static_cast<int>(report.problems.size()));
        QVERIFY(red > 0);
    }
};

QTEST_MAIN(ImageDialogsTest)
#include "image_dialogs_test.moc"
