// quillmora-decoder: decodes image files for the program in a process of its
// own, so that no file can crash, hang or exhaust the program.
#include "app/decoder/DecoderServer.h"

int main(int argc, char** argv) { return RunDecoderServer(argc, argv); }
