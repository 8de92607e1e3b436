// One line on standard error, "orbilux-wayland: TEXT".
#pragma once
#include <string>

void Message(const std::string& text);
