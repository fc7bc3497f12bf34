#pragma once
// Records drawing calls as readable lines, e.g. "ellipse 1 2 3 4".
#include <string>
#include <vector>

#include "game/Canvas.h"

namespace ikea::test {

class RecordingCanvas final : public Canvas {
public:
  void SetPen(Rgb c, int w) override { add("pen " + rgb(c) + " " + std::to_string(w)); }
  void SetPenWidth(int w) override { add("penwidth " + std::to_string(w)); }
  void SetBrush(Rgb c) override { add("brush " + rgb(c)); }
  void SetBrushSolid() override { add("brush solid"); }
  void SetBrushClear() override { add("brush clear"); }
  void Ellipse(int a, int b, int c, int d) override { add("ellipse " + box(a, b, c, d)); }
  void Rectangle(int a, int b, int c, int d) override { add("rect " + box(a, b, c, d)); }
  void SetFont(Rgb c, int size, bool bold, bool italic) override {
    add("font " + rgb(c) + " " + std::to_string(size) + (bold ? " bold" : "") + (italic ? " italic" : ""));
  }
  void TextOut(int x, int y, const std::string& t) override {
    add("text " + std::to_string(x) + " " + std::to_string(y) + " " + t);
  }
  void DrawPicture(const std::string& h, int x, int y) override {
    add("picture " + h + " " + std::to_string(x) + " " + std::to_string(y));
  }

  std::vector<std::string> calls;

private:
  void add(std::string s) { calls.push_back(std::move(s)); }
  static std::string rgb(Rgb c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
  }
  static std::string box(int a, int b, int c, int d) {
    return std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " + std::to_string(d);
  }
};

} // namespace ikea::test
