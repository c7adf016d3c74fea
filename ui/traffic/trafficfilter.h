#pragma once

#include <QSortFilterProxyModel>
#include <QStringList>
#include <QStringMatcher>

// The rows of the traffic whose line contains a text, whatever its case;
// every row while the text is empty. New rows are filtered as they come, so
// the filter holds over the whole kept history.
class TrafficFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit TrafficFilter(QObject *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_matcher.pattern(); }
    // The rows that pass, as lines.
    QStringList lines() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    QStringMatcher m_matcher;
};
