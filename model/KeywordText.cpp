#include "model/KeywordText.h"

std::vector<KeywordTextPiece> SplitKeywordText(const std::string& text) {
  std::vector<KeywordTextPiece> pieces;
  size_t at = 0;
  while (at < text.size()) {
    size_t open = text.find('%', at);
    if (open != at) pieces.push_back({false, text.substr(at, open == std::string::npos ? open : open - at)});
    if (open == std::string::npos) break;
    size_t close = text.find('%', open + 1);
    pieces.push_back({true, text.substr(open + 1, close == std::string::npos ? close : close - open - 1)});
    at = close == std::string::npos ? text.size() : close + 1;
  }
  return pieces;
}

std::vector<std::string> NamesBetweenPercentSigns(const std::string& text) {
  std::vector<std::string> names;
  size_t open = text.find('%');
  while (open != std::string::npos) {
    size_t close = text.find('%', open + 1);
    if (close == std::string::npos) break;
    if (close > open + 1) names.push_back(text.substr(open + 1, close - open - 1));
    open = close;
  }
  return names;
}
