#include "boardoptions.h"

#include <QCommandLineParser>

namespace {

struct Option
{
    const char *name;
    const char *valueName;
    const char *description;
};

constexpr Option Options[] = {
    {"link", "path", "Symbolic link to the board's serial device (default /tmp/vantorboard)."},
    {"store", "file", "File that keeps the board's non-volatile memory across runs."},
    {"headless", nullptr, "Run without a window."},
    {"trace", nullptr, "Print every decoded command on standard output."},
    {"speed", "bit/s", "Start at 9600 or 19200 bit/s instead of the stored speed."},
    {"inputs", "n", "State of the digital inputs, 0 to 255."},
    {"voltage", "count", "Count of the 0-10 V input, 0 to 65535."},
    {"current", "count", "Count of the 0-20 mA input, 0 to 65535."},
    {"help", nullptr, "Show this help."},
    {"version", nullptr, "Show the version (also -V)."},
};

void addOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("V"), QStringLiteral("Show the version.")});
    for (const Option &option : Options) {
        if (option.valueName)
            parser.addOption({QString::fromLatin1(option.name),
                              QString::fromLatin1(option.description),
                              QString::fromLatin1(option.valueName)});
        else
            parser.addOption(
                {QString::fromLatin1(option.name), QString::fromLatin1(option.description)});
    }
}

// The option's whole number within [low, high], or fallback when it is not given.
std::optional<int> number(const QCommandLineParser &parser, const char *name, int low, int high,
                          int fallback)
{
    const QString key = QString::fromLatin1(name);
    if (!parser.isSet(key))
        return fallback;
    bool ok = false;
    const int value = parser.value(key).toInt(&ok, 0);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<BoardOptions> BoardOptions::parse(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    BoardOptions options;
    options.link =
        parser.isSet(QStringLiteral("link")) ? parser.value(QStringLiteral("link")) : defaultLink();
    options.store = parser.value(QStringLiteral("store"));
    options.headless = parser.isSet(QStringLiteral("headless"));
    options.trace = parser.isSet(QStringLiteral("trace"));
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version")) || parser.isSet(QStringLiteral("V"));
    const auto speed = number(parser, "speed", 9600, 19200, 0);
    const auto inputs = number(parser, "inputs", 0, 255, 0);
    const auto voltage = number(parser, "voltage", 0, 65535, 0);
    const auto current = number(parser, "current", 0, 65535, 0);
    if (!speed || (*speed != 0 && *speed != 9600 && *speed != 19200) || !inputs || !voltage
        || !current || options.link.isEmpty()) {
        *error = QStringLiteral(
            "bad value: --link needs a path, --speed 9600 or 19200, --inputs 0 to 255, "
            "--voltage and --current 0 to 65535");
        return std::nullopt;
    }
    options.speed = *speed;
    options.inputs = *inputs;
    options.voltageCount = *voltage;
    options.currentCount = *current;
    return options;
}

QString BoardOptions::helpText()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("VantorBoard: a simulated 16x2 serial display board."));
    addOptions(parser);
    return parser.helpText();
}
