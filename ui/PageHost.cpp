#include "ui/PageHost.h"

#include "ui/windows/WindowPageHost.h"

namespace {
PageHost*& Installed() {
  static PageHost* host = nullptr;
  return host;
}
}  // namespace

PageHost& Pages() {
  static WindowPageHost windows;
  PageHost* host = Installed();
  return host ? *host : windows;
}

void SetPageHost(PageHost* host) { Installed() = host; }
