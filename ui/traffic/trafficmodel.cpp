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
    inPieces(bytes, MaxEntryBytes, [this](const QByteArray &piece) { writtenPiece(piece); });
}

void TrafficModel::received(const QByteArray &bytes)
{
    inPieces(bytes, MaxEntryBytes, [this](const QByteArray &piece) {
        add(Direction::FromBoard, piece, m_replies.describe(piece));
    });
}

// The commands the piece completes; a command it leaves unfinished is named
// too, as the rest of it comes in a later write.
void TrafficModel::writtenPiece(const QByteArray &piece)
{
    QStringList meanings;
    for (const DecodedCommand &command : m_commands.feed(piece)) {
        meanings << command.description;
        if (command.read != ReadKind::None)
            m_replies.expect(command.read);
    }
    if (!m_commands.pending().isEmpty())
        meanings << m_commands.pending() + u" (continues)"_s;
    add(Direction::ToBoard, piece, meanings.join(u"; "_s));
}

void TrafficModel::add(Direction direction, const QByteArray &bytes, const QString &meaning)
{
    if (m_entries.size() == MaxEntries)
        dropOldest();
    const Entry entry{m_clock.elapsed(), direction, bytes, meaning};
    if (m_paused) {
        m_entries.push_back(entry);
        emit heldCountChanged(heldCount());
        return;
    }
    beginInsertRows(QModelIndex(), m_shown, m_shown);
    m_entries.push_back(entry);
    ++m_shown;
    endInsertRows();
}

void TrafficModel::dropOldest()
{
    if (m_shown == 0) {
        m_entries.pop_front();
        return;
    }
    beginRemoveRows(QModelIndex(), 0, 0);
    m_entries.pop_front();
    --m_shown;
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
