#include "toolkit/Label.h"

#include <QPainter>

#include "toolkit/Colour.h"
#include "toolkit/Handlers.h"
#include "toolkit/Look.h"
#include "toolkit/TextCodec.h"

namespace ikea::tk {
namespace {

QStringList SplitParagraphs(const QString& text) {
  QString unified = text;
  unified.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
  unified.replace(QChar(u'\n'), QChar(u'\r'));
  return unified.split(QChar(u'\r'));
}

void WrapParagraph(const QString& paragraph, const QFontMetrics& metrics, int width, QStringList& out) {
  QString line;
  for (QChar c : paragraph) {
    QString candidate = line + c;
    if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
      qsizetype space = line.lastIndexOf(QChar(u' '));
      if (c == QChar(u' ')) {
        out << line;
        line.clear();
        continue;
      }
      if (space > 0) {
        out << line.left(space);
        line = line.mid(space + 1) + c;
      } else {
        out << line;
        line = QString(c);
      }
      continue;
    }
    line = candidate;
  }
  out << line;
}

}  // namespace

QStringList BreakLines(const QString& text, const QFontMetrics& metrics, int width) {
  QStringList lines;
  for (const QString& paragraph : SplitParagraphs(text)) {
    if (width <= 0) {
      lines << paragraph;
    } else {
      WrapParagraph(paragraph, metrics, width, lines);
    }
  }
  return lines;
}

Label::Label(QWidget* parent) : QWidget(parent) {}

void Label::SetCaption(const Text& cp932Caption) {
  if (cp932Caption == caption_) return;
  caption_ = cp932Caption;
  ForgetLines();
  Fit();
  update();
}

void Label::SetBackColour(Rgb colour) {
  back_ = colour;
  update();
}

void Label::SetTextColour(Rgb colour) {
  tk::SetTextColour(this, colour);
  update();
}

void Label::SetTransparent(bool transparent) {
  transparent_ = transparent;
  update();
}

void Label::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  ForgetLines();
  Fit();
  update();
}

void Label::SetAlignment(Align align) {
  align_ = align;
  update();
}

void Label::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

QStringList Label::Lines() const {
  const int wrapWidth = wordWrap_ ? width() : 0;
  if (linesWidth_ != wrapWidth) {
    lines_ = BreakLines(Shown(), fontMetrics(), wrapWidth);
    linesWidth_ = wrapWidth;
  }
  return lines_;
}

namespace {

int WidestLine(const QString& text, const QFontMetrics& metrics) {
  int widest = 0;
  for (const QString& line : BreakLines(text, metrics, 0)) widest = std::max(widest, metrics.horizontalAdvance(line));
  return widest;
}

}  // namespace

int Label::TextWidth() const { return WidestLine(Shown(), fontMetrics()); }

int Label::NativeWidth() const {
  if (!autoSize_ || wordWrap_) return width();
  return WidestLine(DisplayText(caption_), fontMetrics());
}

void Label::SetTextKind(TextKind kind) {
  kind_ = kind;
  ForgetLines();
  Fit();
  update();
}

// Lines are as high as the font's pixel size, as the game's fixed layout
// expects (its card labels hold ten 12-pixel lines in 121 pixels); the IPA
// fonts' own line spacing is a little taller.
int Label::LineHeight() const {
  const int pixels = font().pixelSize();
  return pixels > 0 ? pixels : fontMetrics().height();
}

void Label::Fit() {
  if (!autoSize_) return;
  int lineHeight = LineHeight();
  if (wordWrap_) {
    resize(width(), static_cast<int>(Lines().size()) * lineHeight);
    return;
  }
  int lines = static_cast<int>(BreakLines(Shown(), fontMetrics(), 0).size());
  int newWidth = TextWidth();
  int right = x() + width();
  setGeometry(align_ == Align::Right ? right - newWidth : x(), y(), newWidth, lines * lineHeight);
}

void Label::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (back_ && !transparent_) painter.fillRect(rect(), ToQColor(*back_));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(font());
  const QFontMetrics metrics = fontMetrics();
  int y = 0;
  for (const QString& line : Lines()) {
    int x = align_ == Align::Right ? width() - metrics.horizontalAdvance(line) : 0;
    painter.drawText(x, y + metrics.ascent(), line);
    y += LineHeight();
  }
}

void Label::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (onMouseDown) {
    QPoint at = event->position().toPoint();
    RunHandler([&] { onMouseDown(ButtonOf(event), at.x(), at.y()); });
  }
}

void Label::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::LanguageChange) {
    ForgetLines();
    Fit();
  }
}

}  // namespace ikea::tk
