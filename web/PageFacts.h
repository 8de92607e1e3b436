// The settings panel's facts for the page, as JSON: the table of settings
// (names, labels, kinds, ranges, choices), the dialog's warnings for refused
// entries, the window messages the close rules know, and the still
// picture's limits.
#pragma once
#include <string>

std::string PageFactsJson();
