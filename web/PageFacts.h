// The settings panel's facts for the page, as JSON: the stored names, the
// dialog's labels, entry ranges and messages, the choices and their bits,
// and the window messages the close rules know.
#pragma once
#include <string>

std::string PageFactsJson();
