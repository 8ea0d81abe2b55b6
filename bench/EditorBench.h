#pragma once

#include "BenchPlatform.h"

// Prints the figures of the editors and of the menus they keep.
void printEditorFigures(BenchPlatform &platform);
