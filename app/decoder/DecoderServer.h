#pragma once
// The decoder process's main loop: hello, then one reply per request until
// its input closes. Pixels go to the shared memory file named on the command
// line (--pixels <path>, a /proc/<pid>/fd/<n> path of the program's memfd).
int RunDecoderServer(int argc, char** argv);
