#pragma once
// Breaks a message into lines that fit a width, for the status line of the
// picture: at blanks where it can, inside a word only when the word alone is
// wider than the width.

#include <functional>
#include <string>
#include <vector>

// The lines of `text`, each at most `width` wide as `measure` gives widths (a
// line holds at least one character, however narrow the width). Blanks at a
// break are dropped; an empty text gives no line.
std::vector<std::string> wrap_text(const std::string& text, int width,
                                   const std::function<int(const std::string&)>& measure);
