#pragma once
// The arena as a picture for people: one pixel per cell, coloured by cell kind.

#include "image.h"

namespace glimmet::tools {

uint32_t CellColour(int kind);
Image ArenaPicture(); // LevelSize x LevelSize pixels of the current arena

} // namespace glimmet::tools
