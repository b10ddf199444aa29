#pragma once
// Models and painters of the run window's lists. The row lists follow the result log one row at
// a time (append at the end, drop at the front), so a busy stream never rebuilds a whole list.

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <deque>
#include <functional>
#include <vector>

#include "run/result_log.h"

namespace vornlfrf::gui {

// Roles beside the display text.
enum RunListRole {
    kChannelRole = Qt::UserRole,  // row channel 0..4
    kBarLengthRole,               // green pixels of an ID's bar
    kBarScaleRole,                // frames of a full bar
};

// lstFull, lstDatas: result rows with their channel.
class RowListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void append(const std::string& text, int channel);
    void removeFront(int n);
    void clear();
    void assign(const std::deque<run::ListRow>& rows);
    // Longest row so far, in characters (the width the painter asks for).
    int longest() const { return longest_; }

  private:
    struct Row {
        QString text;
        int channel;
    };
    std::deque<Row> rows_;
    int longest_ = 0;
};

// One line per entry of the per-ID table: ID, bar, frame count, display text. lstID shows the
// first column, lstGraphic all of them.
class IdTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kId, kBar, kCount, kData, kColumns };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Entry e of the table took a row: appended, replaced or updated.
    void setEntry(std::size_t e, const run::IdEntry& entry);
    void setScale(int scale);
    int scale() const { return scale_; }
    void clear();

  private:
    struct Line {
        QString id;
        int count = 0;
        QString data;
    };
    std::vector<Line> lines_;
    int scale_ = 100;
};

// Paints rows tinted by channel (a failed frame check in red) and, when colouring is on,
// attribute names and values in their colours. On the ID table it paints the bar column and
// the display text.
class RowDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    RowDelegate(std::function<bool()> coloration, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    void paintBar(QPainter* painter, const QStyleOptionViewItem& option,
                  const QModelIndex& index) const;
    std::function<bool()> coloration_;
};

}  // namespace vornlfrf::gui
