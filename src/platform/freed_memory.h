#pragma once

// Hands what the program has freed back to the system, where the allocator would rather keep it
// for later. Worth its cost only where much was freed at once.
void returnFreedMemory();
