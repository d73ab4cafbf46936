// The dialog in which the user gives the settings of one conversion run: the shot table, the
// output file, the time window and the output channel.
#pragma once

#include <QDialog>
#include <QLineEdit>

#include "app/user_prompts.h"
#include "run/run_settings.h"
#include "run/settings_fields.h"

namespace obscut {

class ConversionSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  ConversionSettingsDialog(UserPrompts& prompts, QWidget* parent);

  // Shows `settings` in the fields: the paths as they are, the times in their shortest form
  // with 6 significant digits, the channel as a decimal integer.
  void SetSettings(const RunSettings& settings);

  // The settings as the last OK accepted them.
  const RunSettings& Settings() const { return settings_; }

 public slots:
  // OK: the paths are taken as typed; the maximum time, the minimum time and the channel are
  // checked in that order, and the first field that fails is reported, then has the focus with
  // its whole text selected while the dialog stays open.
  void accept() override;

 private:
  // A Browse button puts the chosen path into its own field and changes no other field.
  void BrowseShotTable();
  void BrowseOutput();

  QLineEdit* FieldOf(NumberField field) const;

  UserPrompts& prompts_;
  RunSettings settings_;
  QLineEdit* shot_table_path_;
  QLineEdit* output_path_;
  QLineEdit* min_time_;
  QLineEdit* max_time_;
  QLineEdit* output_channel_;
};

}  // namespace obscut
