#pragma once

#include <QAbstractListModel>
#include <memory>
#include <vector>

#include "app/NotebookSearch.h"

// The hits of a full-text search as one flat list: a heading row per snippet (its title
// path and its number of hits), then a row per hit. Rows are only appended while a search
// runs, and their text is made when a row is shown, so a large result costs the window
// little.
class TSearchResultModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum TRole {
        IsHeadingRole = Qt::UserRole + 1,  // bool
        MarkStartRole,                     // where the hit starts in the shown text
        MarkLengthRole,
    };

    explicit TSearchResultModel(QObject* parent = nullptr);

    // Empties the list; the rows that follow point into `snapshot`.
    void Reset(std::shared_ptr<const TSearchSnapshot> snapshot = nullptr);
    // Hits in tree order, continuing the previous ones.
    void Append(const std::vector<TSearchHit>& hits);

    int HitCount() const { return static_cast<int>(fHits.size()); }
    int SnippetCount() const { return static_cast<int>(fHeadings.size()); }
    const TSearchSnapshot* Snapshot() const { return fSnapshot.get(); }
    // The hit shown in `row`, or null for a heading or a row out of range.
    const TSearchHit* HitAt(int row) const;
    // The next hit row after `row` (or before it), going round at the ends; -1 when there is
    // no hit. From row -1 it is the first hit forwards and the last one backwards.
    int StepHitRow(int row, bool forward) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct THeading {
        int Snippet;
        int Count;
        int Row;
    };
    QVariant HeadingData(const THeading& heading, int role) const;
    QVariant HitData(const TSearchHit& hit, int role) const;

    std::shared_ptr<const TSearchSnapshot> fSnapshot;
    std::vector<TSearchHit> fHits;
    std::vector<THeading> fHeadings;
    // A row is a hit index (>= 0) or a heading, ~heading index (< 0).
    std::vector<qint32> fRows;
};
