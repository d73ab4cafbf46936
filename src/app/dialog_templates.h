// The two dialogs as data: every control with its kind, id, text, and position and size in
// dialog units, in template order, which is also the order in which the focus moves.
#pragma once

#include <QRect>
#include <QSize>
#include <span>

namespace obscut {

enum class ControlKind {
  kDefaultButton,  // the push button that Enter presses
  kButton,
  kEdit,        // a one-line edit field with a border that scrolls as the user types
  kText,        // static text from the top left, wrapped at the ends of words
  kSunkenText,  // static text inside a sunken edge
};

namespace control_id {
inline constexpr int kNone = -1;  // static texts
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kOutputChannel = 1000;
inline constexpr int kBrowseShotTable = 1086;
inline constexpr int kMinTime = 1209;
inline constexpr int kMaxTime = 1210;
inline constexpr int kShotTablePath = 1211;
inline constexpr int kOutputPath = 1212;
inline constexpr int kBrowseOutput = 1213;
}  // namespace control_id

struct ControlTemplate {
  ControlKind kind;
  int id;
  const char* name;  // the widget's object name
  const char* text;
  QRect bounds;  // in dialog units
};

struct DialogTemplate {
  int resourceId;
  const char* caption;
  QSize size;  // of the client area, in dialog units
  std::span<const ControlTemplate> controls;
};

// The main dialog: what the program converts, OK to start a conversion, Cancel to end.
const DialogTemplate& MainDialogTemplate();

// The settings of one conversion: shot table, output file, time window and channel.
const DialogTemplate& SettingsDialogTemplate();

}  // namespace obscut
