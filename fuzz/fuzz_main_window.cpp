// The real main window behind the fake port, played by WindowScript: every reply
// handler gets arbitrary frames while the user clicks, types and switches tabs. Each
// input starts from a fresh window and empty settings and ends with the window closed
// as "E&xit" closes it, so the closing steps run on whatever state the input left.
#include "FuzzInput.h"
#include "WindowScript.h"
#include "platform/SettingsStore.h"
#include "ui/widgets/UserPrompts.h"
#include "support/FakeSerialPort.h"
#include "ui/frmQVOrvalisETMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace {

FuzzInput* g_input = nullptr;  // the input being played, for the prompts' answers

// In memory where there is such a place: every settings write is synced at once, and
// on a disk the syncs would be most of an input's time.
QTemporaryDir& PrivateFolder()
{
    static QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm/orvalis-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/orvalis-fuzz-XXXXXX"));
    return folder;
}

// The file dialog answers with one of a few files of the private folder (or cancels),
// as the input chooses; questions too. Nothing modal ever opens.
void AnswerPromptsFromInput()
{
    UserPrompts::TestAnswers answers;
    answers.onMessage = [](const QString&, const QString&) {};
    answers.onQuestion = [](const QString&, const QString&) { return g_input->below(2) == 0; };
    answers.onChooseFile = [](const UserPrompts::FileDialogRequest&) {
        const char* names[] = {"", "a.olf", "b.olf", "not-a-log.txt"};
        const QString name = QLatin1String(names[g_input->below(4)]);
        return name.isEmpty() ? QString() : PrivateFolder().filePath(name);
    };
    UserPrompts::SetAnswersForTesting(answers);
}

// Fuzzing would drown in the program's and Qt's diagnostics; fatal ones still abort.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        fprintf(stderr, "%s\n", qPrintable(message));
        abort();
    }
}

void StartFromEmptyFolder()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsStore::kApplicationTitle)
        .clear();
    QDir folder(PrivateFolder().path());
    for (const QString& name : folder.entryList(QDir::Files))
        folder.remove(name);
    QFile notALog(PrivateFolder().filePath(QStringLiteral("not-a-log.txt")));
    if (notALog.open(QIODevice::WriteOnly))
        notALog.write("just text\n");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", PrivateFolder().filePath(QStringLiteral("config")).toLocal8Bit());
    qInstallMessageHandler(QuietMessages);
    static int argc = 1;
    static char name[] = "fuzz_main_window";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time exit handlers run.
    static QApplication* app = new QApplication(argc, argv);
    Q_UNUSED(app);
    AnswerPromptsFromInput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StartFromEmptyFolder();
    FuzzInput input(data, size);
    g_input = &input;
    {
        auto* port = new FakeSerialPort;
        port->setOnlyPortsAvailable({});  // start-up finds no module at once
        frmQVOrvalisETMain window{std::unique_ptr<SerialPort>(port)};
        window.show();
        window.activateWindow();
        port->setOnlyPortsAvailable({1});
        port->selectPort(1);
        port->open();
        WindowScript(window, *port, input).run();
        window.close();
    }
    // What the window left for later goes now, so that an input frees what it took and
    // libFuzzer's leak check stays quiet for inputs that do not leak.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    g_input = nullptr;
    return 0;
}
