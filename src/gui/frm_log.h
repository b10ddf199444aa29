#pragma once
// The log window: shows the AnalysisLog as it grows; "Clear" empties the log itself.

#include <QDialog>
#include <cstddef>

#include "config/analysis_log.h"

class QPlainTextEdit;
class QPushButton;

namespace vornlfrf::gui {

class TfrmLog : public QDialog {
    Q_OBJECT
  public:
    TfrmLog(config::AnalysisLog& log, QWidget* parent = nullptr);
    ~TfrmLog() override;

  private:
    void refresh();

    config::AnalysisLog& log_;
    QPlainTextEdit* memLog_;
    std::size_t shownLines_ = 0;
};

}  // namespace vornlfrf::gui
