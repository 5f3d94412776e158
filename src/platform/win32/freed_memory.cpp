#include "platform/freed_memory.h"

// The Windows heap decommits large free blocks by itself: there is nothing to hand back.
void returnFreedMemory() { }
