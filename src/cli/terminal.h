#pragma once

#include <cstdio>

// Defined per platform (linux/, windows/ beside this header).
namespace Terminal {

// Whether `stream` is an interactive terminal (a progress bar may redraw its line there).
bool isTerminal(std::FILE *stream);

} // namespace Terminal
