#include "ui/traffic/trafficmodel.h"

#include <QTime>

using namespace Qt::StringLiterals;

namespace {

const QString ToBoard = u"→ board  "_s;
const QString FromBoard = u"← board  "_s;
const QString Port = u"• port   "_s;

// Hands the bytes on in pieces of at most `size`.
template <typename Take> void inPieces(const QByteArray &bytes, int size, Take take)
{
    for (qsizetype at = 0; at < bytes.size(); at += size)
        take(bytes.mid(at, size));
}

// "14:03:07.250", by hand: the filter builds every line at each key press.
QString ClockText(int ms)
{
    const int parts[] = {ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000};
    char text[] = "00:00:00.000";
    const int at[] = {0, 3, 6, 9};
    for (int i = 0; i < 3; ++i) {
        text[at[i]] = char('0' + parts[i] / 10 % 10);
        text[at[i] + 1] = char('0' + parts[i] % 10);
    }
    text[9] = char('0' + parts[3] / 100);
    text[10] = char('0' + parts[3] / 10 % 10);
    text[11] = char('0' + parts[3] % 10);
    return QString::fromLatin1(text, 12);
}

// The meaning, named for the program whose traffic it is, if another's.
QString Marked(const QString &origin, const QString &meaning)
{
    return origin.isEmpty() ? meaning : origin + u": "_s + meaning;
}

} // namespace

TrafficModel::TrafficModel(QObject *parent) : QAbstractListModel(parent)
{
    m_clock.start();
}

void TrafficModel::written(const QByteArray &bytes, const QString &origin)
{
    QList<Entry> batch;
    inPieces(bytes, MaxEntryBytes, [&](const QByteArray &piece) {
        batch << entry(ToBoard
                       + DecodedCommand::HexLine(piece, Marked(origin, writtenMeaning(piece))));
    });
    append(batch);
}

void TrafficModel::received(const QByteArray &bytes, const QString &origin)
{
    QList<Entry> batch;
    inPieces(bytes, MaxEntryBytes, [&](const QByteArray &piece) {
        batch << entry(FromBoard
                       + DecodedCommand::HexLine(piece, Marked(origin, m_replies.describe(piece))));
    });
    append(batch);
}

void TrafficModel::noted(const QString &event)
{
    append({entry(Port + event)});
}

// The line is made once, here: the view and the filter read it again and again.
TrafficModel::Entry TrafficModel::entry(const QString &text) const
{
    return Entry{m_clock.elapsed(), QTime::currentTime().msecsSinceStartOfDay(), text};
}

// The commands the piece completes; a command it leaves unfinished is named
// too, as the rest of it comes in a later write.
QString TrafficModel::writtenMeaning(const QByteArray &piece)
{
    QStringList meanings;
    for (const DecodedCommand &command : m_commands.feed(piece)) {
        meanings << command.description;
        if (command.read != ReadKind::None)
            m_replies.expect(command.read);
    }
    if (!m_commands.pending().isEmpty())
        meanings << m_commands.pending() + u" (continues)"_s;
    return meanings.join(u"; "_s);
}

// The view hears of a whole piece at once: a flood of small entries would
// otherwise cost it an update for each.
void TrafficModel::append(QList<Entry> batch)
{
    if (batch.isEmpty())
        return;
    if (m_paused) {
        hold(std::move(batch));
        return;
    }
    if (batch.size() > MaxEntries)
        batch.remove(0, batch.size() - MaxEntries);
    dropOldest(int(m_entries.size() + batch.size()) - MaxEntries);
    beginInsertRows(QModelIndex(), m_shown, m_shown + int(batch.size()) - 1);
    m_entries.insert(m_entries.end(), batch.cbegin(), batch.cend());
    m_shown = int(m_entries.size());
    endInsertRows();
}

// While paused the rows shown stand still: room for new entries is made
// among the held ones, oldest first, and when the rows shown alone fill the
// bound, the oldest of the new ones are not kept.
void TrafficModel::hold(QList<Entry> batch)
{
    const qsizetype excess = qsizetype(m_entries.size()) + batch.size() - MaxEntries;
    if (excess > 0) {
        const qsizetype fromHeld = std::min<qsizetype>(excess, heldCount());
        const auto firstHeld = m_entries.begin() + m_shown;
        m_entries.erase(firstHeld, firstHeld + fromHeld);
        batch.remove(0, excess - fromHeld);
        m_dropped += excess;
    }
    m_entries.insert(m_entries.end(), batch.cbegin(), batch.cend());
    emit heldCountChanged(heldCount());
}

// Not paused, every entry is shown: the oldest go.
void TrafficModel::dropOldest(int count)
{
    if (count <= 0)
        return;
    beginRemoveRows(QModelIndex(), 0, count - 1);
    m_entries.erase(m_entries.begin(), m_entries.begin() + count);
    m_shown -= count;
    endRemoveRows();
}

void TrafficModel::setPaused(bool paused)
{
    m_paused = paused;
    if (paused)
        return;
    m_dropped = 0;
    if (heldCount() > 0) {
        beginInsertRows(QModelIndex(), m_shown, int(m_entries.size()) - 1);
        m_shown = int(m_entries.size());
        endInsertRows();
    }
    emit heldCountChanged(0);
}

void TrafficModel::setTimeStyle(TimeStyle style)
{
    if (style == m_timeStyle)
        return;
    m_timeStyle = style;
    if (m_shown > 0)
        emit dataChanged(index(0), index(m_shown - 1));
}

void TrafficModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_shown = 0;
    m_dropped = 0;
    endResetModel();
    emit heldCountChanged(0);
}

int TrafficModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

QVariant TrafficModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown
        || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole))
        return QVariant();
    return line(m_entries[size_t(index.row())]);
}

QString TrafficModel::line(const Entry &entry) const
{
    if (m_timeStyle == TimeStyle::Clock)
        return ClockText(entry.clockMs) + u"  "_s + entry.text;
    return QString::number(entry.ms).rightJustified(8) + u" ms  "_s + entry.text;
}
