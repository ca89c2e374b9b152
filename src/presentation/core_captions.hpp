#pragma once

// The captions the core gives the views (menu entries, toolbar buttons, labels, grid titles, the
// time header's names) in the planner's language. The core keeps its English texts and hands
// them to the host unchanged; only what the views show is translated, under the context
// "Tessaro".

#include <span>
#include <string>

#include <QString>

namespace tessaro::qt_detail {

// The caption as the installed translation has it; the core's own text when there is none.
QString CoreCaption(const std::string& text);

// A toolbar button's caption in planner words: the translation when there is one, else what a
// misspelt design caption means ("Hide Mutliline" hides the work-order list).
QString ToolbarCaption(const std::string& text);

// A list of names in one text, such as the chart's day or month names, translated as one: the
// translation keeps the list's separators.
std::string CoreNames(const std::string& names);

// Every caption the core gives the views, in English, so that a test can tell whether each one
// has a translation.
std::span<const char* const> CoreCaptions();

}  // namespace tessaro::qt_detail
