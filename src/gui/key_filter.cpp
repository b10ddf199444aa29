#include "key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "cp1252.h"

namespace vornlfrf::gui {

namespace {

class LineEditKeyFilter : public QObject {
  public:
    LineEditKeyFilter(QLineEdit* edit, KeyFilter filter)
        : QObject(edit), edit_(edit), filter_(std::move(filter)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != edit_ || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        char typed = 0;
        if (key->key() == Qt::Key_Backspace) {
            typed = '\b';
        } else {
            const QString text = key->text();
            // Navigation keys, Delete and shortcuts carry no printable text and pass.
            if (text.size() != 1 || !text.at(0).isPrint()) return false;
            typed = toCp1252(text).at(0);
        }
        QString rest = edit_->text();
        if (edit_->hasSelectedText())
            rest.remove(edit_->selectionStart(), edit_->selectedText().size());
        const char out = filter_(typed, toCp1252(rest));
        if (out == 0) return true;
        if (out == typed) return false;
        edit_->insert(fromCp1252(std::string(1, out)));
        return true;
    }

  private:
    QLineEdit* edit_;
    KeyFilter filter_;
};

}  // namespace

void installKeyFilter(QLineEdit* edit, KeyFilter filter) {
    edit->installEventFilter(new LineEditKeyFilter(edit, std::move(filter)));
}

}  // namespace vornlfrf::gui
