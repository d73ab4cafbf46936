// The user's answers from Qt's file dialogs and message boxes.
#pragma once

#include "app/user_prompts.h"

namespace obscut {

class QtUserPrompts : public UserPrompts {
 public:
  std::optional<QStringList> ChooseFilesToOpen(QWidget* parent,
                                               const FileQuestion& question) override;
  std::optional<QString> ChooseFileToOpen(QWidget* parent, const FileQuestion& question) override;
  std::optional<QString> ChooseFileToSave(QWidget* parent, const FileQuestion& question) override;
  void Warn(QWidget* parent, const QString& text) override;
  void ReportFileError(QWidget* parent, const QString& text) override;
  int RunModal(QDialog& dialog) override;
};

}  // namespace obscut
