#include "base/Cp932.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace ikea {
namespace {

// One iconv conversion descriptor, closed when done.
class Converter {
public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert cp932");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; returns false at the first byte it cannot
  // take, leaving `in` pointing at it.
  bool Run(const char*& in, size_t& inLeft, std::string& out) {
    char buffer[256];
    while (inLeft > 0) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &dst, &dstLeft);
      out.append(buffer, dst);
      if (r == static_cast<size_t>(-1) && errno != E2BIG) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    return true;
  }

private:
  iconv_t cd_;
};

} // namespace

std::string Cp932ToUtf8(const Text& cp932) {
  Converter conv("UTF-8", "CP932");
  std::string out;
  const char* in = cp932.data();
  size_t left = cp932.size();
  while (!conv.Run(in, left, out)) {
    out += "\xEF\xBF\xBD";  // U+FFFD for a byte cp932 does not define
    ++in;
    --left;
  }
  return out;
}

std::optional<Text> Utf8ToCp932(const std::string& utf8) {
  Converter conv("CP932", "UTF-8");
  Text out;
  const char* in = utf8.data();
  size_t left = utf8.size();
  if (!conv.Run(in, left, out)) return std::nullopt;
  return out;
}

} // namespace ikea
