#include "app/control_text_fit.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

namespace obscut {
namespace {

// The width of the sunken edge around static text.
constexpr int kSunkenEdgeWidth = 1;
// The room a line edit keeps free left and right of its text.
constexpr int kLineEditTextMargin = 2;

bool StaticTextFits(const QRect& area, const QString& text, const QFontMetrics& metrics) {
  const QRect drawn =
      metrics.boundingRect(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  return area.contains(drawn);
}

}  // namespace

bool ControlTextFits(ControlKind kind, const QString& text, const QSize& size, const QFont& font,
                     const QStyle& style) {
  const QFontMetrics metrics(font);
  const QRect control(QPoint(0, 0), size);
  switch (kind) {
    case ControlKind::kDefaultButton:
    case ControlKind::kButton: {
      QStyleOptionButton option;
      option.rect = control;
      option.text = text;
      option.features = QStyleOptionButton::AutoDefaultButton;
      if (kind == ControlKind::kDefaultButton) {
        option.features |= QStyleOptionButton::DefaultButton;
      }
      const QRect contents = style.subElementRect(QStyle::SE_PushButtonContents, &option);
      return metrics.horizontalAdvance(text) <= contents.width() &&
             metrics.height() <= contents.height();
    }
    case ControlKind::kEdit: {
      QStyleOptionFrame option;
      option.rect = control;
      option.lineWidth = style.pixelMetric(QStyle::PM_DefaultFrameWidth);
      option.state = QStyle::State_Sunken | QStyle::State_Enabled;
      const QRect contents = style.subElementRect(QStyle::SE_LineEditContents, &option);
      return metrics.horizontalAdvance(text) <= contents.width() - 2 * kLineEditTextMargin &&
             metrics.height() <= contents.height();
    }
    case ControlKind::kText:
      return StaticTextFits(control, text, metrics);
    case ControlKind::kSunkenText:
      return StaticTextFits(control.adjusted(kSunkenEdgeWidth, kSunkenEdgeWidth, -kSunkenEdgeWidth,
                                             -kSunkenEdgeWidth),
                            text, metrics);
  }
  return false;
}

}  // namespace obscut
