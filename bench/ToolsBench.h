#pragma once

class BenchPlatform;

// Prints the figures of the game tools: opening the GRF manager on large
// "newgrf" folders, and the language text tool on a large text file.
void printToolsFigures(BenchPlatform &platform);
