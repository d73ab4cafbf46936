// Builds a dialog's widgets from its template.
#pragma once

#include <QDialog>
#include <QHash>
#include <QWidget>

#include "app/dialog_style.h"
#include "app/dialog_templates.h"

namespace obscut {

// The widgets of a built dialog that have a control id, found by it.
class DialogControls {
 public:
  void Add(int id, QWidget* widget) { widgets_.insert(id, widget); }

  template <typename Widget>
  Widget* Get(int id) const {
    return qobject_cast<Widget*>(widgets_.value(id));
  }

 private:
  QHash<int, QWidget*> widgets_;
};

// The name of the property that holds a widget's control id.
inline constexpr char kControlIdProperty[] = "controlId";

// Gives `dialog` the caption, the fixed size and the controls of `dialog_template`, each control
// placed in pixels from its dialog units and created in template order, which is therefore the
// tab order. The dialog has a caption, a system menu and a close box, no minimise or maximise
// box, and its texts take the style's text font.
DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& dialog_template,
                           const DialogStyle& style);

}  // namespace obscut
