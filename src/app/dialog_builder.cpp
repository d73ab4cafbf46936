#include "app/dialog_builder.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace obscut {
namespace {

QWidget* CreateControl(QDialog& dialog, const ControlTemplate& control) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::kDefaultButton:
    case ControlKind::kButton: {
      auto* button = new QPushButton(text, &dialog);
      button->setAutoDefault(true);
      button->setDefault(control.kind == ControlKind::kDefaultButton);
      return button;
    }
    case ControlKind::kEdit: {
      auto* edit = new QLineEdit(text, &dialog);
      edit->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
      return edit;
    }
    case ControlKind::kText:
    case ControlKind::kSunkenText: {
      auto* label = new QLabel(text, &dialog);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      if (control.kind == ControlKind::kSunkenText) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
      }
      return label;
    }
  }
  return nullptr;
}

}  // namespace

DialogControls BuildDialog(QDialog& dialog, const DialogTemplate& dialog_template,
                           const DialogStyle& style) {
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  dialog.setWindowTitle(QString::fromUtf8(dialog_template.caption));
  dialog.setFont(style.textFont);
  dialog.setFixedSize(style.units.ToPixels(dialog_template.size));

  DialogControls controls;
  QWidget* previous_tab_stop = nullptr;
  for (const ControlTemplate& control : dialog_template.controls) {
    QWidget* widget = CreateControl(dialog, control);
    widget->setObjectName(QString::fromUtf8(control.name));
    widget->setGeometry(style.units.ToPixels(control.bounds));
    if (control.id != control_id::kNone) {
      widget->setProperty(kControlIdProperty, control.id);
      controls.Add(control.id, widget);
    }
    if (widget->focusPolicy() & Qt::TabFocus) {
      if (previous_tab_stop != nullptr) {
        QWidget::setTabOrder(previous_tab_stop, widget);
      }
      previous_tab_stop = widget;
    }
  }
  return controls;
}

}  // namespace obscut
