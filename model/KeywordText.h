#pragma once
// How a description value is cut into literal text and keywords. Pure C++: the native fuzzing
// build compiles it too.
#include <string>
#include <vector>

struct KeywordTextPiece {
  bool isKeyword;
  std::string text;  // the literal text, or the keyword's name without its percent signs
};

// The pieces in order: a keyword runs from a "%" to the next "%"; a "%" without a partner makes
// the rest of the text a keyword's name. No piece of literal text is empty.
std::vector<KeywordTextPiece> SplitKeywordText(const std::string& text);

// The names between each two neighbouring "%" signs, so that a name is found wherever
// "%NAME%" stands in the text (empty names left out).
std::vector<std::string> NamesBetweenPercentSigns(const std::string& text);
