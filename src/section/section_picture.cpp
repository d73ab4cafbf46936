#include "section/section_picture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

#include "section/section_geometry.h"

namespace obscut {
namespace {

// The value of a trace at reduced time `time`, linearly between samples; nothing outside
// the trace.
std::optional<double> ValueAt(const PreparedTrace& trace, double interval, double time) {
  const double position = (time - trace.firstSampleTime) / interval;
  if (position < 0.0 || position > static_cast<double>(trace.values.size() - 1)) {
    return std::nullopt;
  }
  const auto below = static_cast<std::size_t>(position);
  const double fraction = position - static_cast<double>(below);
  const double next = below + 1 < trace.values.size() ? trace.values[below + 1] : 0.0;
  return trace.values[below] * (1.0 - fraction) + next * fraction;
}

// Pixel offset of one sample of a trace from the trace's own column.
double Swing(double value, double spacingPixels) {
  return value * spacingPixels;
}

void DrawWiggles(QPainter& painter, const PreparedSection& section, const PlotFrame& frame) {
  const double spacingPixels = section.spacing / (frame.x.to - frame.x.from) * frame.width;
  for (const PreparedTrace& trace : section.traces) {
    const double column = frame.Column(trace.x);
    QPainterPath line;
    QPainterPath positive;
    bool started = false;
    for (std::size_t k = 0; k < trace.values.size(); ++k) {
      const double time = trace.firstSampleTime + static_cast<double>(k) * section.sampleInterval;
      if (time < section.t.from || time > section.t.to) {
        continue;
      }
      const double row = frame.Row(time);
      const double x = column + Swing(trace.values[k], spacingPixels);
      const double filled = column + Swing(std::max(trace.values[k], 0.0), spacingPixels);
      if (!started) {
        line.moveTo(x, row);
        positive.moveTo(column, row);
        started = true;
      } else {
        line.lineTo(x, row);
      }
      positive.lineTo(filled, row);
    }
    if (!started) {
      continue;
    }
    positive.lineTo(column, positive.currentPosition().y());
    positive.closeSubpath();
    painter.fillPath(positive, Qt::black);
    painter.drawPath(line);
  }
}

void DrawGrey(QPainter& painter, const PreparedSection& section, const PlotFrame& frame) {
  const auto rows = static_cast<int>(std::ceil(frame.height));
  std::vector<double> positions;
  for (const PreparedTrace& trace : section.traces) {
    positions.push_back(trace.x);
  }
  std::sort(positions.begin(), positions.end());
  for (const PreparedTrace& trace : section.traces) {
    // Half-way to each neighbour, but no wider than the usual spacing, so gaps stay white.
    const auto at = std::lower_bound(positions.begin(), positions.end(), trace.x);
    const double before = at == positions.begin() ? section.spacing : trace.x - *(at - 1);
    const auto after_it = std::upper_bound(positions.begin(), positions.end(), trace.x);
    const double after = after_it == positions.end() ? section.spacing : *after_it - trace.x;
    const double left = frame.Column(trace.x - std::min(before, section.spacing) / 2.0);
    const double right = frame.Column(trace.x + std::min(after, section.spacing) / 2.0);
    QImage column(1, rows, QImage::Format_Grayscale8);
    for (int row = 0; row < rows; ++row) {
      const double time =
          section.t.from + (row + 0.5) / frame.height * (section.t.to - section.t.from);
      const auto value = ValueAt(trace, section.sampleInterval, time);
      // Positive dark, negative light, 0 mid-grey; white where the trace has no samples.
      const int level = value ? static_cast<int>(std::lround(127.5 * (1.0 - *value))) : 255;
      column.setPixel(0, row, qRgb(level, level, level));
    }
    painter.drawImage(QRectF(left, frame.top, std::max(1.0, right - left), rows), column);
  }
}

QString TickText(double value, double step) {
  const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  return QString::number(value, 'f', decimals);
}

void DrawAxes(QPainter& painter, const PreparedSection& section, const PlotFrame& frame,
              int fontPixels) {
  const QRectF plot(frame.left, frame.top, frame.width, frame.height);
  painter.setPen(QPen(Qt::black, 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  const double tick = 0.4 * fontPixels;
  const QFontMetricsF metrics(painter.font());

  const auto xTicks = NiceTicks(section.x, std::max(2, static_cast<int>(frame.width / 90.0)));
  const double xStep = xTicks.size() > 1 ? xTicks[1] - xTicks[0] : 1.0;
  for (double value : xTicks) {
    const double x = frame.Column(value);
    painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
    painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.top() - tick));
    const QString text = TickText(value, xStep);
    painter.drawText(
        QPointF(x - metrics.horizontalAdvance(text) / 2.0, plot.bottom() + tick + metrics.ascent()),
        text);
  }
  const auto tTicks = NiceTicks(section.t, std::max(2, static_cast<int>(frame.height / 60.0)));
  const double tStep = tTicks.size() > 1 ? tTicks[1] - tTicks[0] : 1.0;
  for (double value : tTicks) {
    const double y = frame.Row(value);
    painter.drawLine(QPointF(plot.left() - tick, y), QPointF(plot.left(), y));
    painter.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tick, y));
    const QString text = TickText(value, tStep);
    painter.drawText(QPointF(plot.left() - 1.5 * tick - metrics.horizontalAdvance(text),
                             y + metrics.ascent() / 2.5),
                     text);
  }

  const QString xCaption = QString::fromStdString(section.xCaption);
  painter.drawText(QPointF(plot.center().x() - metrics.horizontalAdvance(xCaption) / 2.0,
                           plot.bottom() + tick + metrics.height() + metrics.ascent() + 2.0),
                   xCaption);
  const QString tCaption = QString::fromStdString(section.tCaption);
  painter.save();
  painter.translate(metrics.ascent() + 2.0,
                    plot.center().y() + metrics.horizontalAdvance(tCaption) / 2.0);
  painter.rotate(-90.0);
  painter.drawText(QPointF(0.0, 0.0), tCaption);
  painter.restore();

  QFont titleFont = painter.font();
  titleFont.setPixelSize(static_cast<int>(std::lround(1.25 * fontPixels)));
  titleFont.setBold(true);
  painter.setFont(titleFont);
  const QFontMetricsF titleMetrics(titleFont);
  const QString title = QString::fromStdString(section.title);
  painter.drawText(
      QPointF(plot.center().x() - titleMetrics.horizontalAdvance(title) / 2.0,
              (frame.top - tick - titleMetrics.height()) / 2.0 + titleMetrics.ascent()),
      title);
}

}  // namespace

QImage DrawSection(const PreparedSection& section, DrawStyle style, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  const int fontPixels = LabelFontPixels(width, height);
  const PlotFrame frame = MakePlotFrame(width, height, fontPixels, section.x, section.t);

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(fontPixels);
  painter.setFont(font);

  painter.save();
  painter.setClipRect(QRectF(frame.left, frame.top, frame.width, frame.height));
  if (style == DrawStyle::kGrey) {
    DrawGrey(painter, section, frame);
  } else {
    painter.setPen(QPen(Qt::black, 0.6));
    DrawWiggles(painter, section, frame);
  }
  painter.restore();
  DrawAxes(painter, section, frame, fontPixels);
  painter.end();
  // Everything drawn is black, white or grey: one byte a pixel makes the PNG a third the size.
  return image.convertToFormat(QImage::Format_Grayscale8);
}

}  // namespace obscut
