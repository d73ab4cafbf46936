#include "app/run_progress_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QVBoxLayout>
#include <algorithm>

namespace obscut {
namespace {

constexpr int kPermille = 1000;

int PermilleRead(const RunProgress& progress) {
  if (progress.shotTableLength <= 0) {
    return 0;
  }
  const std::int64_t permille = progress.shotTableBytesRead * kPermille / progress.shotTableLength;
  return static_cast<int>(std::clamp<std::int64_t>(permille, 0, kPermille));
}

}  // namespace

RunProgressWindow::RunProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("runProgress"));
  setWindowTitle(QCoreApplication::applicationName());
  setWindowModality(Qt::ApplicationModal);
  bar_->setRange(0, kPermille);
  bar_->setValue(0);
  bar_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RunProgressWindow::ShowProgress(const RunProgress& progress) {
  const int permille = PermilleRead(progress);
  if (isVisible() && permille == bar_->value()) {
    return;
  }
  bar_->setValue(permille);
  label_->setText(QStringLiteral("Converting the shot table: %1 shot lines read")
                      .arg(static_cast<qlonglong>(progress.shotLinesRead)));
  if (!isVisible()) {
    show();
  }
  QCoreApplication::processEvents();
}

void RunProgressWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace obscut
