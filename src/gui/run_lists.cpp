#include "run_lists.h"

#include <QApplication>
#include <QPainter>

#include "cp1252.h"
#include "run/run_display.h"
#include "run_pictures.h"

namespace vornlfrf::gui {

namespace {

const QColor kNameColour(0x00, 0x00, 0x8b);   // dark blue
const QColor kValueColour(0x00, 0x00, 0xff);  // blue
const QColor kBadCheckTint(0xff, 0xc8, 0xc8);
const QColor kBadCheckSelected(0xff, 0x00, 0x00);
const QColor kBarGreen(0x2e, 0xa0, 0x43);
const QColor kBarGrey(0xc8, 0xcc, 0xd2);

// Draws text in one colour or, with colouring, attribute names and values in theirs.
void drawRow(QPainter* p, const QRect& rect, const QString& text, bool coloured,
             const QColor& plain) {
    const QFontMetrics fm = p->fontMetrics();
    const int baseline = rect.top() + (rect.height() - fm.height()) / 2 + fm.ascent();
    if (!coloured) {
        p->setPen(plain);
        p->drawText(QPoint(rect.left(), baseline), text);
        return;
    }
    // Runs are found on bytes; a character outside Latin-1 keeps its place as '?'.
    const QByteArray bytes = text.toLatin1();
    int x = rect.left();
    for (const run::RowRun& r : run::rowRuns(std::string_view(bytes.constData(), bytes.size()))) {
        const QString piece =
            text.mid(static_cast<qsizetype>(r.start), static_cast<qsizetype>(r.length));
        p->setPen(r.kind == run::RowRun::Name    ? kNameColour
                  : r.kind == run::RowRun::Value ? kValueColour
                                                 : plain);
        p->drawText(QPoint(x, baseline), piece);
        x += fm.horizontalAdvance(piece);
        if (x > rect.right()) break;
    }
}

}  // namespace

// --- RowListModel ---

int RowListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const Row& r = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return r.text;
    if (role == kChannelRole) return r.channel;
    return {};
}

void RowListModel::append(const std::string& text, int channel) {
    const int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back({fromCp1252(text), channel});
    longest_ = std::max(longest_, static_cast<int>(rows_.back().text.size()));
    endInsertRows();
}

void RowListModel::removeFront(int n) {
    n = std::min(n, static_cast<int>(rows_.size()));
    if (n <= 0) return;
    beginRemoveRows({}, 0, n - 1);
    rows_.erase(rows_.begin(), rows_.begin() + n);
    endRemoveRows();
}

void RowListModel::clear() {
    beginResetModel();
    rows_.clear();
    longest_ = 0;
    endResetModel();
}

void RowListModel::assign(const std::deque<run::ListRow>& rows) {
    beginResetModel();
    rows_.clear();
    longest_ = 0;
    for (const run::ListRow& r : rows) {
        rows_.push_back({fromCp1252(r.text), r.channel});
        longest_ = std::max(longest_, static_cast<int>(rows_.back().text.size()));
    }
    endResetModel();
}

// --- IdTableModel ---

int IdTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

int IdTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant IdTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(lines_.size())) return {};
    const Line& l = lines_[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case kId:
                    return l.id;
                case kCount:
                    return l.count;
                case kData:
                    return l.data;
                default:
                    return {};
            }
        case Qt::TextAlignmentRole:
            return index.column() == kCount ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                            : QVariant();
        case kBarLengthRole:
            return run::barLength(l.count, scale_);
        case kBarScaleRole:
            return scale_;
        default:
            return {};
    }
}

QVariant IdTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeaders[kColumns] = {"ID", "Frames", "Count", "Data"};
    return section >= 0 && section < kColumns ? QVariant(kHeaders[section]) : QVariant();
}

void IdTableModel::setEntry(std::size_t e, const run::IdEntry& entry) {
    Line line{fromCp1252(entry.id), entry.framesReceived, fromCp1252(entry.displayText)};
    const int row = static_cast<int>(e);
    if (e >= lines_.size()) {
        // Entries are only ever appended one at a time.
        beginInsertRows({}, static_cast<int>(lines_.size()), row);
        lines_.resize(e + 1);
        lines_[e] = std::move(line);
        endInsertRows();
        return;
    }
    lines_[e] = std::move(line);
    emit dataChanged(index(row, 0), index(row, kColumns - 1));
}

void IdTableModel::setScale(int scale) {
    if (scale == scale_) return;
    scale_ = scale;
    if (!lines_.empty())
        emit dataChanged(index(0, kBar), index(static_cast<int>(lines_.size()) - 1, kBar));
}

void IdTableModel::clear() {
    beginResetModel();
    lines_.clear();
    scale_ = run::kBarScaleStep;
    endResetModel();
}

// --- RowDelegate ---

RowDelegate::RowDelegate(std::function<bool()> coloration, QObject* parent)
    : QStyledItemDelegate(parent), coloration_(std::move(coloration)) {}

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    const bool idTable = qobject_cast<const IdTableModel*>(index.model()) != nullptr;
    if (idTable && index.column() == IdTableModel::kBar) {
        paintBar(painter, option, index);
        return;
    }
    if (idTable && index.column() != IdTableModel::kData) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QString text = index.data(Qt::DisplayRole).toString();
    const bool selected = option.state & QStyle::State_Selected;
    QColor background, foreground = option.palette.color(QPalette::Text);
    if (idTable) {
        if (selected) background = option.palette.color(QPalette::Highlight);
    } else {
        const QByteArray bytes = text.toLatin1();
        const int channel = index.data(kChannelRole).toInt();
        switch (run::rowTint(std::string_view(bytes.constData(), bytes.size()), channel)) {
            case run::RowTint::BadCheck:
                background = selected ? kBadCheckSelected : kBadCheckTint;
                break;
            case run::RowTint::Plain:
                if (selected) background = option.palette.color(QPalette::Highlight);
                break;
            default:
                background =
                    selected ? pictures::channelSelected(channel) : pictures::channelTint(channel);
                break;
        }
    }
    if (selected) foreground = option.palette.color(QPalette::HighlightedText);
    painter->save();
    if (background.isValid()) painter->fillRect(option.rect, background);
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    const bool coloured = !selected && coloration_ && coloration_();
    drawRow(painter, option.rect.adjusted(4, 0, -2, 0), text, coloured, foreground);
    painter->restore();
}

void RowDelegate::paintBar(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    painter->save();
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, option.palette.color(QPalette::Highlight));
    const int green = index.data(kBarLengthRole).toInt();
    const int h = std::max(4, option.rect.height() - 6);
    const QRect bar(option.rect.left() + 2, option.rect.top() + (option.rect.height() - h) / 2,
                    run::kBarWidth, h);
    painter->fillRect(bar, kBarGrey);
    painter->fillRect(QRect(bar.left(), bar.top(), green, bar.height()), kBarGreen);
    painter->restore();
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QFontMetrics fm(option.font);
    const int height = fm.height() + 4;
    if (const auto* rows = qobject_cast<const RowListModel*>(index.model()))
        return {fm.averageCharWidth() * rows->longest() + 12, height};
    if (index.column() == IdTableModel::kBar) return {run::kBarWidth + 4, height};
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    return {s.width(), std::max(s.height(), height)};
}

}  // namespace vornlfrf::gui
