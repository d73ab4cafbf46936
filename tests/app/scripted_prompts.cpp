#include "scripted_prompts.h"

namespace obscut::testing {
namespace {

template <typename Answer>
std::optional<Answer> NextAnswer(std::deque<std::optional<Answer>>& answers) {
  if (answers.empty()) {
    return std::nullopt;
  }
  const bool cancelled = !answers.front().has_value();
  Answer answer = cancelled ? Answer() : std::move(*answers.front());
  answers.pop_front();
  if (cancelled) {
    return std::nullopt;
  }
  return answer;
}

}  // namespace

QString AskedLine(const QString& kind, const FileQuestion& question) {
  return kind + ": " + question.title + " | " + question.filter + " | " + question.initialName;
}

std::optional<QStringList> ScriptedPrompts::ChooseFilesToOpen(QWidget* parent,
                                                              const FileQuestion& question) {
  (void)parent;
  asked.append(AskedLine("open files", question));
  return NextAnswer(filesToOpen);
}

std::optional<QString> ScriptedPrompts::ChooseFileToOpen(QWidget* parent,
                                                         const FileQuestion& question) {
  (void)parent;
  asked.append(AskedLine("open file", question));
  return NextAnswer(fileToOpen);
}

std::optional<QString> ScriptedPrompts::ChooseFileToSave(QWidget* parent,
                                                         const FileQuestion& question) {
  (void)parent;
  asked.append(AskedLine("save file", question));
  return NextAnswer(fileToSave);
}

void ScriptedPrompts::Warn(QWidget* parent, const QString& text) {
  (void)parent;
  asked.append("warn: " + text);
  if (onMessage) {
    onMessage(text);
  }
}

void ScriptedPrompts::ReportFileError(QWidget* parent, const QString& text) {
  (void)parent;
  asked.append("file error: " + text);
  if (onMessage) {
    onMessage(text);
  }
}

int ScriptedPrompts::RunModal(QDialog& dialog) {
  asked.append("dialog: " + dialog.windowTitle());
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  if (!dialogScripts.empty()) {
    const auto script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    script(dialog);
  }
  dialog.hide();
  return dialog.result();
}

}  // namespace obscut::testing
