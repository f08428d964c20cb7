#include "app/SearchResultModel.h"

namespace {
// Only so much of a long line is shown around the hit.
constexpr qsizetype kBefore = 40;
constexpr qsizetype kShown = 300;
const QString kEllipsis = QStringLiteral("…");

struct TExcerpt {
    QString Text;
    qsizetype MarkStart;
    qsizetype MarkLength;
};

// "12: the line", cut around the hit when the line is long, tabs shown as one space. Only
// the part shown is read, so a snippet of one huge line costs no more than a short one.
TExcerpt Excerpt(const QString& text, const TSearchHit& hit) {
    const qsizetype column = qBound<qsizetype>(0, hit.Column - 1, text.size() - hit.LineStart);
    const qsizetype from = column > kBefore ? column - kBefore / 2 : 0;
    const qsizetype begin = hit.LineStart + from;
    const qsizetype limit = qMin(text.size(), begin + kShown);
    qsizetype end = begin;
    while (end < limit && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    QString shown = QString::number(hit.Line) + QStringLiteral(": ");
    if (from > 0) shown += kEllipsis;
    const qsizetype markStart = shown.size() + column - from;
    shown += QStringView(text).mid(begin, end - begin).toString().replace(u'\t', u' ');
    if (end == limit && end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        shown += kEllipsis;
    return {shown, markStart, qBound<qsizetype>(0, hit.Length, shown.size() - markStart)};
}
}  // namespace

TSearchResultModel::TSearchResultModel(QObject* parent) : QAbstractListModel(parent) {}

void TSearchResultModel::Reset(std::shared_ptr<const TSearchSnapshot> snapshot) {
    beginResetModel();
    fSnapshot = std::move(snapshot);
    fHits.clear();
    fHeadings.clear();
    fRows.clear();
    endResetModel();
}

void TSearchResultModel::Append(const std::vector<TSearchHit>& hits) {
    if (hits.empty() || !fSnapshot) return;
    // Count the rows first: the view hears of them in one insertion.
    int newRows = 0;
    int lastSnippet = fHeadings.empty() ? -1 : fHeadings.back().Snippet;
    for (const TSearchHit& h : hits) {
        if (h.Snippet != lastSnippet) ++newRows;
        lastSnippet = h.Snippet;
        ++newRows;
    }
    const int first = static_cast<int>(fRows.size());
    const int continued = fHeadings.empty() ? -1 : static_cast<int>(fHeadings.size()) - 1;
    beginInsertRows(QModelIndex(), first, first + newRows - 1);
    for (const TSearchHit& h : hits) {
        if (fHeadings.empty() || fHeadings.back().Snippet != h.Snippet) {
            fHeadings.push_back({h.Snippet, 0, static_cast<int>(fRows.size())});
            fRows.push_back(~static_cast<qint32>(fHeadings.size() - 1));
        }
        ++fHeadings.back().Count;
        fRows.push_back(static_cast<qint32>(fHits.size()));
        fHits.push_back(h);
    }
    endInsertRows();
    if (continued >= 0 && fHeadings[static_cast<size_t>(continued)].Snippet == hits[0].Snippet) {
        // The heading of a snippet whose hits came in two batches shows the new count.
        const QModelIndex heading = index(fHeadings[static_cast<size_t>(continued)].Row);
        emit dataChanged(heading, heading);
    }
}

const TSearchHit* TSearchResultModel::HitAt(int row) const {
    if (row < 0 || row >= static_cast<int>(fRows.size())) return nullptr;
    const qint32 r = fRows[static_cast<size_t>(row)];
    return r >= 0 ? &fHits[static_cast<size_t>(r)] : nullptr;
}

int TSearchResultModel::StepHitRow(int row, bool forward) const {
    const int count = static_cast<int>(fRows.size());
    if (fHits.empty()) return -1;
    if (row < 0 || row >= count) row = forward ? -1 : count;
    // Headings never follow each other, so two steps always reach a hit.
    for (int step = 0; step <= count; ++step) {
        row = forward ? (row + 1) % count : (row - 1 + count) % count;
        if (HitAt(row)) return row;
    }
    return -1;
}

int TSearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fRows.size());
}

QVariant TSearchResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(fRows.size()) || !fSnapshot) return {};
    const qint32 r = fRows[static_cast<size_t>(index.row())];
    if (role == IsHeadingRole) return r < 0;
    return r < 0 ? HeadingData(fHeadings[static_cast<size_t>(~r)], role)
                 : HitData(fHits[static_cast<size_t>(r)], role);
}

QVariant TSearchResultModel::HeadingData(const THeading& heading, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return QStringLiteral("%1  (%2)")
        .arg(TitlePath(*fSnapshot, heading.Snippet), QString::number(heading.Count));
}

QVariant TSearchResultModel::HitData(const TSearchHit& hit, int role) const {
    if (role != Qt::DisplayRole && role != MarkStartRole && role != MarkLengthRole) return {};
    const QString& text = (*fSnapshot)[static_cast<size_t>(hit.Snippet)].Text;
    const TExcerpt excerpt = Excerpt(text, hit);
    if (role == MarkStartRole) return excerpt.MarkStart;
    if (role == MarkLengthRole) return excerpt.MarkLength;
    return excerpt.Text;
}
