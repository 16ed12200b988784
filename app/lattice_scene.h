// lattice_scene.h
// The lattice view's part of krondel's frame: the lattice where the board is drawn, and its texts.
// The scene draws the panels and the cursor around them as in the board view.
#pragma once

class BitmapFont;
class Sprite;

// The lattice picture on one quad with a frame round it, drawn with `frameSprite` (an untextured
// sprite). Builds the picture again first when it changed.
void DrawLattice(Sprite* frameSprite);

// The size, the share, the largest cluster, the number of clusters, the lattice's own threshold and
// the clicked cell's cluster in the side panel, and the keys under them. The scene draws the verdict.
void DrawLatticeTexts(BitmapFont* font);

// A share in tenths of a percent, rounded to the nearest, halves up; 0 of a whole of 0.
int Permille(int part, int whole);
