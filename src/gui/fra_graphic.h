#pragma once
// Graphic frame of one ID: latest primary and secondary values, frame counter, a history chart
// of the primary value (1000 x 102, newest at the right) and a gauge.

#include <QFrame>
#include <QImage>
#include <QStringList>
#include <array>

#include "run/result_log.h"

class QLabel;

namespace vornlfrf::gui {

class ClickableLabel;

// The history chart; the picture is drawn stretched to the widget.
class HistoryView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 102;

    explicit HistoryView(QWidget* parent);
    const QImage& image() const { return image_; }
    void clear();
    void mark(int p, bool clipped);
    void scroll(int pixels);
    QSize sizeHint() const override { return {400, kHeight}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

class TfraGraphic : public QFrame {
    Q_OBJECT
  public:
    static constexpr int kOpenHeight = 160;
    static constexpr int kClosedHeight = 23;

    TfraGraphic(int number, QWidget* parent);

    // A new ID took the frame; min, factor and step are the meter scale of the run.
    void reset(const QString& id, double min, double factor, double step);
    // An accepted frame of the ID.
    void showFrame(const run::TFrameGraphic& g);
    // History moves left by 2 pixels.
    void scrollHistory();

    void imgOuvrirClick();
    void imgFermerClick();
    bool isOpen() const { return open_; }

    int count() const { return count_; }
    int position() const { return p_; }
    bool clipped() const { return clipped_; }
    const QStringList& scaleLabels() const { return scale_; }
    const QImage& history() const { return history_->image(); }

  private:
    void drawGauge();

    QLabel* lblID_;
    QLabel* lblCount_;
    std::array<QLabel*, 4> lblNom_{};
    std::array<QLabel*, 4> lblValeur_{};
    ClickableLabel* imgOuvrir_;
    ClickableLabel* imgFermer_;
    QWidget* body_;
    HistoryView* history_;
    QLabel* imgCompteur_;
    QStringList scale_;
    double min_ = 0, factor_ = 1;
    int count_ = 0;
    int p_ = -1;  // no value drawn yet
    bool clipped_ = false;
    bool open_ = true;
};

}  // namespace vornlfrf::gui
