#pragma once

// What tark9ctl's exit status tells a script. The numbers are part of the tool's interface:
// never renumber them.
enum ExitCode {
    ExitSuccess = 0,
    ExitUsage = 2,            // the command line is wrong
    ExitNoController = 3,     // no controller ports (for flash: no boot-loader port)
    ExitPortBusy = 4,         // the controller's port is held by another program
    ExitTimedOut = 5,         // the controller stopped answering or stopped taking data
    ExitBadFile = 6,          // a file cannot be read, is not what it should be, or cannot be written
    ExitTransferFailed = 7,   // the data did not arrive whole, differs when read back, or the flash failed
    ExitMidiSystem = 8,       // the MIDI system cannot be opened (missing, or not this user's)
    ExitBootLoaderAccess = 9, // the boot loader's port is there but this user cannot open it
    ExitWrongVersion = 10,    // after a firmware update the controller runs another version than expected
    ExitNotBack = 11          // after a firmware update the controller did not come back in MIDI mode
};
