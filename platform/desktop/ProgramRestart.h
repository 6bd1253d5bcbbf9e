#pragma once

// Replaces this process with a fresh start of the same program, with the same arguments.
// Returns only when that cannot be done.
void restartProgram(char** argv);
