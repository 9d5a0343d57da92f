#include "cli/terminal.h"

#include <io.h>

bool Terminal::isTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream)) != 0;
}
