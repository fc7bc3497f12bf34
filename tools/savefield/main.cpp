// Reads or sets one field of a save file by its name, so scripts need not
// know the file's line numbers:
//   save-field FILE NAME [SLOT]           prints the value (SLOT for tank items)
//   save-field FILE NAME [SLOT] = VALUE   sets it, keeping every other byte
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "game/SaveLayout.h"

namespace {

int Usage() {
  std::fputs("usage: save-field FILE NAME [SLOT] [= VALUE]\nnames:", stderr);
  for (const char* name : ikea::kSaveItemNames) std::fprintf(stderr, " %s", name);
  std::fputs("\n", stderr);
  return 2;
}

bool ParseSlot(const std::string& text, int lines, int& slot) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 0 || value >= lines) return false;
  slot = static_cast<int>(value);
  return true;
}

// The file's lines with their CR LF (or LF) ends, so a rewrite keeps them.
std::vector<std::string> ReadLines(const char* file, bool& ok) {
  std::ifstream in(file, std::ios::binary);
  ok = static_cast<bool>(in);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    lines.push_back(bytes.substr(start, next - start));
    start = next;
  }
  return lines;
}

std::string WithoutLineEnd(const std::string& line) {
  std::string value = line;
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string value;
  bool setting = false;
  if (args.size() >= 3 && args[args.size() - 2] == "=") {
    value = args.back();
    setting = true;
    args.resize(args.size() - 2);
  }
  if (args.size() < 2 || args.size() > 3) return Usage();
  const ikea::SaveLines item = ikea::SaveLinesOf(args[1]);
  int slot = 0;
  if (item.lines == 0 || (args.size() == 3 && !ParseSlot(args[2], item.lines, slot))) return Usage();

  bool ok = false;
  std::vector<std::string> lines = ReadLines(args[0].c_str(), ok);
  const std::size_t index = static_cast<std::size_t>(item.first - 1 + slot);
  if (!ok || index >= lines.size()) {
    std::fprintf(stderr, "save-field: %s is no save file\n", args[0].c_str());
    return 1;
  }
  if (!setting) {
    std::cout << WithoutLineEnd(lines[index]) << '\n';
    return 0;
  }
  const std::string& old = lines[index];
  lines[index] = value + old.substr(WithoutLineEnd(old).size());
  std::ofstream out(args[0], std::ios::binary | std::ios::trunc);
  for (const std::string& line : lines) out << line;
  return out ? 0 : 1;
}
