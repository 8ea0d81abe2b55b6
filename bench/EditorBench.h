#pragma once

#include "BenchPlatform.h"

// Prints switch_editor_open_1000 and switch_editor_save_1000.
void printEditorFigures(BenchPlatform &platform);
