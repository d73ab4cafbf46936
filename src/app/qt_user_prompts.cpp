#include "app/qt_user_prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace obscut {
namespace {

// Asks with `dialog` set up for `question`; the chosen names as full paths in the system's own
// notation, or nothing when the user cancelled.
std::optional<QStringList> Ask(QFileDialog& dialog, const FileQuestion& question) {
  dialog.setWindowTitle(question.title);
  dialog.setNameFilter(question.filter);
  if (!question.initialName.isEmpty()) {
    dialog.selectFile(question.initialName);
  }
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  QStringList paths;
  for (const QString& path : dialog.selectedFiles()) {
    paths.append(QDir::toNativeSeparators(path));
  }
  return paths;
}

std::optional<QString> AskOne(QFileDialog& dialog, const FileQuestion& question) {
  const auto paths = Ask(dialog, question);
  if (!paths || paths->isEmpty()) {
    return std::nullopt;
  }
  return paths->first();
}

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  // The caption of every message is the program's title, the name of its executable.
  QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

std::optional<QStringList> QtUserPrompts::ChooseFilesToOpen(QWidget* parent,
                                                            const FileQuestion& question) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  return Ask(dialog, question);
}

std::optional<QString> QtUserPrompts::ChooseFileToOpen(QWidget* parent,
                                                       const FileQuestion& question) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  return AskOne(dialog, question);
}

std::optional<QString> QtUserPrompts::ChooseFileToSave(QWidget* parent,
                                                       const FileQuestion& question) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);  // confirms overwriting an existing file
  dialog.setFileMode(QFileDialog::AnyFile);
  return AskOne(dialog, question);
}

void QtUserPrompts::Warn(QWidget* parent, const QString& text) {
  ShowMessage(parent, QMessageBox::Warning, text);
}

void QtUserPrompts::ReportFileError(QWidget* parent, const QString& text) {
  ShowMessage(parent, QMessageBox::Critical, text);
}

int QtUserPrompts::RunModal(QDialog& dialog) {
  return dialog.exec();
}

}  // namespace obscut
