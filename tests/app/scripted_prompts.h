// Answers to the dialogs' questions from a script, and a record of every question asked, so
// the tests drive the dialogs without a modal window ever waiting for a user.
#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "app/user_prompts.h"

namespace obscut::testing {

class ScriptedPrompts : public UserPrompts {
 public:
  // What was asked, in order, one line each:
  //   "open files: <title> | <filter> | <initial name>"  (also "open file:", "save file:")
  //   "warn: <text>", "file error: <text>", "dialog: <caption>"
  QStringList asked;

  // Answers in the order the questions come; a question with no answer left is cancelled.
  std::deque<std::optional<QStringList>> filesToOpen;
  std::deque<std::optional<QString>> fileToOpen;
  std::deque<std::optional<QString>> fileToSave;
  // What the user does in each modal dialog, which is shown before and hidden after it; the
  // dialog's result is its answer.
  std::deque<std::function<void(QDialog&)>> dialogScripts;
  // Called with every message as it is shown, to look at the windows at that moment.
  std::function<void(const QString&)> onMessage;

  std::optional<QStringList> ChooseFilesToOpen(QWidget* parent,
                                               const FileQuestion& question) override;
  std::optional<QString> ChooseFileToOpen(QWidget* parent, const FileQuestion& question) override;
  std::optional<QString> ChooseFileToSave(QWidget* parent, const FileQuestion& question) override;
  void Warn(QWidget* parent, const QString& text) override;
  void ReportFileError(QWidget* parent, const QString& text) override;
  int RunModal(QDialog& dialog) override;
};

// The line that `asked` holds for a file question.
QString AskedLine(const QString& kind, const FileQuestion& question);

}  // namespace obscut::testing
