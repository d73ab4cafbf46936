// The questions the dialogs put to the user, as small functions. The desktop answers them with
// file dialogs and message boxes; the tests answer with a script, so no modal window blocks.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

namespace obscut {

// What a file dialog shows: its title, its one filter ("Label (pattern)") and the name it
// starts with in its name box.
struct FileQuestion {
  QString title;
  QString filter;
  QString initialName;
};

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  // Existing files, any number at once, as full paths; nothing when the user cancelled.
  virtual std::optional<QStringList> ChooseFilesToOpen(QWidget* parent,
                                                       const FileQuestion& question) = 0;

  // One file to read, as a full path; it need not exist.
  virtual std::optional<QString> ChooseFileToOpen(QWidget* parent,
                                                  const FileQuestion& question) = 0;

  // One file to write, as a full path; the user confirms an existing file before it is given.
  virtual std::optional<QString> ChooseFileToSave(QWidget* parent,
                                                  const FileQuestion& question) = 0;

  // A message with one OK button and the warning icon; returns when the user closed it.
  virtual void Warn(QWidget* parent, const QString& text) = 0;

  // A message with one OK button and the stop icon: a file could not be used.
  virtual void ReportFileError(QWidget* parent, const QString& text) = 0;

  // Shows `dialog` modally until it is closed; gives QDialog::Accepted or QDialog::Rejected.
  virtual int RunModal(QDialog& dialog) = 0;
};

}  // namespace obscut
