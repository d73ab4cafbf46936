// The window that shows how far a conversion has come: the share of the shot table read.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

#include "run/front_end.h"

namespace obscut {

// It has no buttons and ignores Escape and its close box: a run cannot be interrupted. While
// it is shown, the other windows of the program take no input.
class RunProgressWindow : public QDialog {
  Q_OBJECT

 public:
  explicit RunProgressWindow(QWidget* parent);

  // Shows the window and, when the share read has changed by a thousandth or more since the
  // last time, the new share; then lets every window repaint.
  void ShowProgress(const RunProgress& progress);

  // Thousandths of the shot table read, as shown.
  int shownPermille() const { return bar_->value(); }

 public slots:
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label_;
  QProgressBar* bar_;
};

}  // namespace obscut
