#include "ui/FolderText.h"

#include <vector>

namespace {
bool IsDriveRootText(const std::string& text) {
  return text == "\\" || text == "\\\\" || (text.size() >= 2 && text.compare(text.size() - 2, 2, ":\\") == 0);
}

// The parent folder of a trimmed path, or empty when it has none.
std::string ParentFolder(const std::string& path) {
  if (IsDriveRootText(path)) return "";
  size_t slash = path.find_last_of('\\');
  if (slash == std::string::npos) return "";
  std::string parent = path.substr(0, slash + 1);
  // "C:\" and "\" keep their backslash; other parents lose it.
  if (IsDriveRootText(parent)) return parent;
  return TrimFolderText(parent.substr(0, slash));
}
}  // namespace

std::string TrimFolderText(std::string text) {
  while (!text.empty() && text.back() == '\\' && !IsDriveRootText(text)) text.pop_back();
  return text;
}

std::string StartingFolder(const std::string& path, const std::function<bool(const std::string&)>& exists) {
  for (std::string folder = TrimFolderText(path); !folder.empty(); folder = ParentFolder(folder))
    if (exists(folder)) return folder;
  return "C:\\";
}

std::string ShortenPath(const std::string& path, size_t maxChars) {
  if (path.size() <= maxChars) return path;
  const std::string gap = "\\...\\";
  // The head: the drive ("C:") or the server and share ("\\server\share").
  size_t headEnd;
  if (path.compare(0, 2, "\\\\") == 0) {
    size_t server = path.find('\\', 2);
    headEnd = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
  } else {
    headEnd = path.find('\\');
  }
  size_t lastSlash = path.find_last_of('\\');
  if (headEnd != std::string::npos && lastSlash != std::string::npos && lastSlash > headEnd) {
    std::string head = path.substr(0, headEnd);
    // The longest tail of whole names that fits after the head and the gap.
    std::string best;
    for (size_t slash = lastSlash; slash != std::string::npos && slash > headEnd; slash = path.find_last_of('\\', slash - 1)) {
      std::string tail = path.substr(slash + 1);
      if (head.size() + gap.size() + tail.size() > maxChars) break;
      best = tail;
    }
    if (!best.empty()) return head + gap + best;
  }
  if (maxChars <= 3) return path.substr(path.size() - maxChars);
  return "..." + path.substr(path.size() - (maxChars - 3));
}
