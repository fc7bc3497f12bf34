#include "ui/HeapLog.h"

#include <malloc.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstddef>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizer runtime's own count; GCC ships no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace ikea {

uint64_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  return __sanitizer_get_current_allocated_bytes();
#else
  struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

void StartHeapLog(const std::string& path) {
  if (path.empty()) return;
  std::FILE* out = std::fopen(path.c_str(), "a");
  if (!out) return;
  auto* timer = new QTimer(QCoreApplication::instance());
  auto* since = new QElapsedTimer;
  since->start();
  QObject::connect(timer, &QTimer::timeout, [out, since] {
    std::fprintf(out, "%lld %llu\n", static_cast<long long>(since->elapsed()),
                 static_cast<unsigned long long>(LiveHeapBytes()));
    std::fflush(out);
  });
  QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [out, since] {
    std::fclose(out);
    delete since;
  });
  timer->start(2000);
}

} // namespace ikea
