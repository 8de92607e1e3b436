// Numbers as people type them, for every host's options and settings files,
// and what was typed quoted back in a message.
#pragma once
#include <cstdint>
#include <string>

// A 32-bit number: decimal (a leading minus allowed, two's complement) or
// 0x hex; nothing else, no surrounding space.
bool ParseNumber32(const char* text, std::uint32_t& value);

// A plain number from `low` to `high`: no minus sign, which would wrap.
bool ParseInRange(const char* text, std::uint32_t low, std::uint32_t high, std::uint32_t& value);

// "OPTION: expected a number from LOW to HIGH, got 'TEXT'".
std::string RangeMessage(const std::string& option, const std::string& text, std::uint32_t low, std::uint32_t high);

// `text` with bytes outside printable ASCII escaped (\x00, \xff): a file
// name at the head of a message.
std::string Escaped(const std::string& text);

// `text` in single quotes for a message: bytes outside printable ASCII
// escaped (\x00, \xff), cut after MAX_QUOTED_BYTES bytes with "..." after
// the closing quote.
std::string Quoted(const std::string& text);
const std::size_t MAX_QUOTED_BYTES = 160;
