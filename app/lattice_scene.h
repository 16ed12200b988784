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
// the clicked cell's cluster in the side panel; the keys under them; the verdict in the bottom panel.
void DrawLatticeTexts(BitmapFont* font);
