#include "app/settings_dialog.h"

#include <QPushButton>
#include <variant>

#include "app/dialog_builder.h"
#include "app/file_questions.h"
#include "app/local_text.h"

namespace obscut {

ConversionSettingsDialog::ConversionSettingsDialog(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
  const DialogControls controls = BuildDialog(*this, SettingsDialogTemplate(), ChooseDialogStyle());
  shot_table_path_ = controls.Get<QLineEdit>(control_id::kShotTablePath);
  output_path_ = controls.Get<QLineEdit>(control_id::kOutputPath);
  min_time_ = controls.Get<QLineEdit>(control_id::kMinTime);
  max_time_ = controls.Get<QLineEdit>(control_id::kMaxTime);
  output_channel_ = controls.Get<QLineEdit>(control_id::kOutputChannel);

  auto* ok = controls.Get<QPushButton>(control_id::kOk);
  connect(ok, &QPushButton::clicked, this, &ConversionSettingsDialog::accept);
  connect(controls.Get<QPushButton>(control_id::kCancel), &QPushButton::clicked, this,
          &ConversionSettingsDialog::reject);
  connect(controls.Get<QPushButton>(control_id::kBrowseShotTable), &QPushButton::clicked, this,
          &ConversionSettingsDialog::BrowseShotTable);
  connect(controls.Get<QPushButton>(control_id::kBrowseOutput), &QPushButton::clicked, this,
          &ConversionSettingsDialog::BrowseOutput);
  ok->setFocus();  // the first tab stop: Enter at once accepts what is shown

  SetSettings(settings_);
}

void ConversionSettingsDialog::SetSettings(const RunSettings& settings) {
  settings_ = settings;
  shot_table_path_->setText(FromLocalText(settings.shotTablePath));
  output_path_->setText(FromLocalText(settings.outputPath));
  max_time_->setText(QString::fromStdString(FormatTimeField(settings.maxTime)));
  min_time_->setText(QString::fromStdString(FormatTimeField(settings.minTime)));
  output_channel_->setText(QString::number(settings.outputChannel));
}

void ConversionSettingsDialog::accept() {
  const NumberFieldTexts texts{ToLocalText(max_time_->text()), ToLocalText(min_time_->text()),
                               ToLocalText(output_channel_->text())};
  const auto checked = CheckNumberFields(texts);
  if (const auto* rejection = std::get_if<NumberFieldRejection>(&checked)) {
    prompts_.Warn(this, QString::fromUtf8(rejection->message));
    QLineEdit* field = FieldOf(rejection->field);
    field->setFocus();
    field->selectAll();
    return;
  }
  const auto& values = std::get<NumberFieldValues>(checked);
  settings_.outputPath = ToLocalText(output_path_->text());
  settings_.shotTablePath = ToLocalText(shot_table_path_->text());
  settings_.maxTime = values.maxTime;
  settings_.minTime = values.minTime;
  settings_.outputChannel = values.outputChannel;
  QDialog::accept();
}

void ConversionSettingsDialog::BrowseShotTable() {
  if (const auto path = prompts_.ChooseFileToOpen(this, ShotTableQuestion())) {
    shot_table_path_->setText(*path);
  }
}

void ConversionSettingsDialog::BrowseOutput() {
  if (const auto path = prompts_.ChooseFileToSave(this, OutputFileQuestion())) {
    output_path_->setText(*path);
  }
}

QLineEdit* ConversionSettingsDialog::FieldOf(NumberField field) const {
  switch (field) {
    case NumberField::kMaxTime:
      return max_time_;
    case NumberField::kMinTime:
      return min_time_;
    case NumberField::kOutputChannel:
      return output_channel_;
  }
  return output_channel_;
}

}  // namespace obscut
