#include "ui/traffic/trafficfilter.h"

TrafficFilter::TrafficFilter(QObject *parent) : QSortFilterProxyModel(parent)
{
    m_matcher.setCaseSensitivity(Qt::CaseInsensitive);
}

void TrafficFilter::setText(const QString &text)
{
    if (text == m_matcher.pattern())
        return;
    m_matcher.setPattern(text);
    invalidateFilter();
}

QStringList TrafficFilter::lines() const
{
    QStringList passed;
    passed.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        passed << index(row, 0).data().toString();
    return passed;
}

bool TrafficFilter::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    if (m_matcher.pattern().isEmpty())
        return true;
    const QString line = sourceModel()->index(sourceRow, 0, sourceParent).data().toString();
    return m_matcher.indexIn(line) >= 0;
}
