#include "ctl/watch.h"

#include "ctl/ctloutput.h"
#include "ctl/linkchoice.h"
#include "protocol/line/commandset.h"
#include "protocol/line/lineargs.h"
#include "protocol/readingscsv.h"
#include "service/quitonsignal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

// The readings the words name, in the order of ReadingSet::Kinds; all when none.
std::optional<QList<ReadKind>> ChosenReadings(const QStringList &words, QString *error)
{
    QStringList names;
    for (const ReadKind kind : ReadingSet::Kinds)
        names << ReadingSet::word(kind);
    QList<ReadKind> chosen;
    for (const QString &word : words) {
        const auto index = ChoiceArgument(QStringLiteral("READING"), word, names, error);
        if (!index)
            return std::nullopt;
        chosen << ReadingSet::Kinds[size_t(*index)];
    }
    return chosen.isEmpty() ? QList<ReadKind>(ReadingSet::Kinds.begin(), ReadingSet::Kinds.end())
                            : chosen;
}

class Watch
{
public:
    Watch(const CtlOptions &options, const QList<ReadKind> &chosen, CtlLink &link)
        : m_options(options), m_csv(chosen), m_link(link)
    {
        QObject::connect(&m_quit, &QuitOnSignal::signalled, &m_timer,
                         [this] { m_stopping = true; });
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { poll(); });
    }

    int run()
    {
        if (!m_options.line.json)
            PrintResult(QString::fromLatin1(m_csv.header()).chopped(1));
        m_timer.start(int(m_options.intervalSeconds * 1000));
        QTimer::singleShot(0, &m_timer, [this] { poll(); }); // the first at once, in the loop
        QCoreApplication::exec();
        return m_stopping || m_answered > 0 ? StatusDone : StatusNoAnswer;
    }

private:
    void poll()
    {
        ReadingSet readings(QDateTime::currentDateTime());
        for (const ReadKind kind : m_csv.columns()) {
            const auto value = read(kind);
            if (m_stopping)
                return; // a signal came while the read waited: no half row
            readings.setValue(kind, value);
        }
        print(readings);
        if (m_options.count > 0 && ++m_polls >= m_options.count)
            QCoreApplication::quit();
    }

    std::optional<double> read(ReadKind kind)
    {
        QString error;
        LineOptions line = m_options.line; // the words are those of a read
        line.words = QStringList{QStringLiteral("read"), ReadingSet::word(kind)};
        const auto command = BuildFromWords(line.words, {}, &error);
        const LineAnswer answer = m_link.carryOut(line, *command);
        if (answer.status != StatusDone || !answer.json.contains(u"value"))
            return std::nullopt;
        ++m_answered;
        return answer.json.value(u"value").toDouble();
    }

    void print(const ReadingSet &readings) const
    {
        if (!m_options.line.json) {
            PrintResult(QString::fromLatin1(m_csv.row(readings)).chopped(1));
            return;
        }
        QJsonObject object{{"time", readings.time().toString(Qt::ISODateWithMs)}};
        for (const ReadKind kind : m_csv.columns()) {
            const auto value = readings.value(kind);
            object.insert(ReadingsCsv::columnName(kind), value ? QJsonValue(*value) : QJsonValue());
        }
        PrintResult(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    }

    const CtlOptions &m_options;
    ReadingsCsv m_csv;
    CtlLink &m_link;
    QuitOnSignal m_quit;
    QTimer m_timer;
    bool m_stopping = false;
    int m_polls = 0;
    int m_answered = 0;
};

} // namespace

int RunWatch(const CtlOptions &options)
{
    QString error;
    const auto chosen = ChosenReadings(options.line.words.mid(1), &error);
    if (!chosen) {
        PrintError(QStringLiteral("watch: ") + error);
        return StatusBadArguments;
    }
    int status = StatusDone;
    const auto link = OpenLink(options, &status);
    if (!link)
        return status;
    return Watch(options, *chosen, *link).run();
}
