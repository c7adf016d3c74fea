#include "ui/traffic/trafficmodel.h"

using namespace Qt::StringLiterals;

namespace {

// Hands the bytes on in pieces of at most `size`.
template <typename Take> void inPieces(const QByteArray &bytes, int size, Take take)
{
    for (qsizetype at = 0; at < bytes.size(); at += size)
        take(bytes.mid(at, size));
}

} // namespace

TrafficModel::TrafficModel(QObject *parent) : QAbstractListModel(parent)
{
    m_clock.start();
}

void TrafficModel::written(const QByteArray &bytes)
{
    QList<Entry> batch;
    inPieces(bytes, MaxEntryBytes, [this, &batch](const QByteArray &piece) {
        batch << Entry{m_clock.elapsed(), Direction::ToBoard, piece, writtenMeaning(piece)};
    });
    append(batch);
}

void TrafficModel::received(const QByteArray &bytes)
{
    QList<Entry> batch;
    inPieces(bytes, MaxEntryBytes, [this, &batch](const QByteArray &piece) {
        batch << Entry{m_clock.elapsed(), Direction::FromBoard, piece, m_replies.describe(piece)};
    });
    append(batch);
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
    if (batch.size() > MaxEntries)
        batch.remove(0, batch.size() - MaxEntries);
    dropOldest(int(m_entries.size() + batch.size()) - MaxEntries);
    if (m_paused) {
        m_entries.insert(m_entries.end(), batch.cbegin(), batch.cend());
        emit heldCountChanged(heldCount());
        return;
    }
    beginInsertRows(QModelIndex(), m_shown, m_shown + int(batch.size()) - 1);
    m_entries.insert(m_entries.end(), batch.cbegin(), batch.cend());
    m_shown = int(m_entries.size());
    endInsertRows();
}

// The shown rows go first, as they are the oldest.
void TrafficModel::dropOldest(int count)
{
    if (count <= 0)
        return;
    const int shownDropped = std::min(count, m_shown);
    if (shownDropped > 0)
        beginRemoveRows(QModelIndex(), 0, shownDropped - 1);
    m_entries.erase(m_entries.begin(), m_entries.begin() + count);
    m_shown -= shownDropped;
    if (shownDropped > 0)
        endRemoveRows();
}

void TrafficModel::setPaused(bool paused)
{
    m_paused = paused;
    if (paused || heldCount() == 0)
        return;
    beginInsertRows(QModelIndex(), m_shown, int(m_entries.size()) - 1);
    m_shown = int(m_entries.size());
    endInsertRows();
    emit heldCountChanged(0);
}

void TrafficModel::clear()
{
    beginResetModel();
    m_entries.clear();
    m_shown = 0;
    endResetModel();
    emit heldCountChanged(0);
}

QStringList TrafficModel::lines() const
{
    QStringList shown;
    shown.reserve(m_shown);
    for (int row = 0; row < m_shown; ++row)
        shown << line(m_entries[size_t(row)]);
    return shown;
}

int TrafficModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

QVariant TrafficModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown
        || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QVariant();
    return line(m_entries[size_t(index.row())]);
}

QString TrafficModel::line(const Entry &entry)
{
    const QString direction = entry.direction == Direction::ToBoard ? u"→ board"_s : u"← board"_s;
    return u"%1 ms  %2  "_s.arg(entry.ms, 8).arg(direction)
           + DecodedCommand::HexLine(entry.bytes, entry.meaning);
}
