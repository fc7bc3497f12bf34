#pragma once
// A caption drawn in the widget's font: a carriage return breaks the line,
// word wrap breaks long lines at the width, and auto-size fits the widget to
// its text (a right-aligned label keeps its right edge). Without a back
// colour of its own, or when transparent, the parent shows through.
#include <QWidget>
#include <optional>

#include "toolkit/ShownText.h"

#include "base/Text.h"
#include "base/Rgb.h"
#include "toolkit/Mouse.h"

namespace ikea::tk {

enum class Align { Left, Right };

class Label : public QWidget {
public:
  explicit Label(QWidget* parent);

  void SetCaption(const Text& cp932Caption);
  const Text& Caption() const { return caption_; }

  void SetBackColour(Rgb colour);
  void SetTextColour(Rgb colour);
  void SetTransparent(bool transparent);
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return wordWrap_; }
  void SetAlignment(Align align);
  void SetAutoSize(bool autoSize);
  // How the caption is shown: translated (Game, the default) or as it is.
  void SetTextKind(TextKind kind);

  // The width the label has for its caption in the game's own language:
  // with auto-size, the widest line of the untranslated caption.
  int NativeWidth() const;

  // Pixel width of the caption's widest line in the label's font.
  int TextWidth() const;
  // The caption as drawn: one entry per line after breaking and wrapping.
  QStringList Lines() const;

  MouseHandler onMouseDown;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void Fit();
  int LineHeight() const;
  void ForgetLines() { linesWidth_.reset(); }
  QString Shown() const { return ShownText(caption_, kind_); }

  // Breaking a caption shapes its text character by character, and the
  // status labels are painted over and over unchanged: the lines are kept
  // until the caption, the font, the wrapping or (when wrapping) the width
  // change.
  mutable QStringList lines_;
  mutable std::optional<int> linesWidth_;

  Text caption_;
  std::optional<Rgb> back_;
  bool transparent_ = false;
  bool wordWrap_ = false;
  Align align_ = Align::Left;
  bool autoSize_ = false;
  TextKind kind_ = TextKind::Game;
};

// Lines of a text at a width: breaks at carriage returns, then wraps lines
// wider than `width` (at the last space when there is one, else between
// characters). No wrapping when width is 0 or less.
QStringList BreakLines(const QString& text, const QFontMetrics& metrics, int width);

}  // namespace ikea::tk
