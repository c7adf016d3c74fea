// VantorBoard: a simulated display board behind a pseudo-terminal, with a
// window that shows it or headless for scripts and tests.
#include "boardhost.h"
#include "boardlink.h"
#include "boardmodel.h"
#include "boardoptions.h"
#include "boardstore.h"
#include "boardwindow.h"
#include "service/quitonsignal.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// Decided before the arguments are parsed: a window needs a QApplication, and
// only that one takes Qt's own options (-platform ...) off the command line.
bool needsNoWindow(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *option :
             {"--headless", "-headless", "--help", "-help", "--version", "-version", "-V"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

void printLines(const QStringList &lines, FILE *to)
{
    for (const QString &line : lines)
        std::fprintf(to, "%s\n", qPrintable(line));
    std::fflush(to);
}

BoardModel *makeModel(const BoardOptions &options, const std::optional<BoardStore> &store)
{
    const auto stored = store ? store->load() : std::nullopt;
    auto *model = new BoardModel(stored.value_or(BoardSettings()));
    if (options.speed)
        model->setBaud(options.speed);
    model->setInputs(quint8(options.inputs));
    model->setVoltageCount(quint16(options.voltageCount));
    model->setCurrentCount(quint16(options.currentCount));
    return model;
}

void wire(BoardLink &link, BoardHost &host, bool trace)
{
    QObject::connect(&link, &BoardLink::received, &host, [&link, &host](const QByteArray &bytes) {
        host.receive(bytes, link.panelBaud());
    });
    QObject::connect(&host, &BoardHost::reply, &link, &BoardLink::write);
    if (trace)
        QObject::connect(&host, &BoardHost::logLines, &host,
                         [](const QStringList &lines) { printLines(lines, stdout); });
}

int run(const BoardOptions &options)
{
    std::optional<BoardStore> store;
    if (!options.store.isEmpty())
        store.emplace(options.store);
    const std::unique_ptr<BoardModel> model(makeModel(options, store));
    BoardHost host(*model);
    host.setStore(store ? &*store : nullptr);
    host.setLogging(options.trace || !options.headless);
    BoardLink link;
    if (!link.open(options.link, model->state().baud)) {
        printLines({QStringLiteral("VantorBoard: ") + link.errorString()}, stderr);
        return 1;
    }
    wire(link, host, options.trace);
    const QuitOnSignal quitOnSignal;
    const QString where = link.linkPath() + QStringLiteral(" -> ") + link.devicePath();
    std::unique_ptr<BoardWindow> window;
    if (!options.headless) {
        window = std::make_unique<BoardWindow>(host, link.linkPath(), link.devicePath());
        window->show();
    }
    printLines({QStringLiteral("VantorBoard: ") + where}, stderr);
    return QCoreApplication::exec();
}

int runWithArguments()
{
    QString error;
    const auto options = BoardOptions::parse(QCoreApplication::arguments(), &error);
    if (!options) {
        printLines({QStringLiteral("VantorBoard: ") + error, BoardOptions::helpText()}, stderr);
        return 2;
    }
    if (options->help) {
        printLines({BoardOptions::helpText()}, stdout);
        return 0;
    }
    if (options->version) {
        printLines({QStringLiteral("VantorBoard " VANTOR_VERSION)}, stdout);
        return 0;
    }
    return run(*options);
}

} // namespace

int main(int argc, char *argv[])
{
    if (needsNoWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        return runWithArguments();
    }
    QApplication app(argc, argv);
    return runWithArguments();
}
