#include "ProgramRestart.h"

#include <cstdio>
#include <unistd.h>

void restartProgram(char** argv)
{
    // The running image, even if the file was replaced or moved meanwhile (an upgrade).
    execv("/proc/self/exe", argv);
    std::perror("bolvin: could not start again");
}
