// The game's pictures, one function each, plus the pieces the town map and
// its building icons share so the icons sit seamlessly on their lots.
#pragma once

#include "canvas.h"

namespace art {

// Outline colour used by all the pixel art: a warm near-black reads softer
// than pure black at these sizes.
constexpr Rgb kInk(44, 36, 56);
// Colour meaning "nothing drawn here" on sprite layers.
constexpr Rgb kKey(255, 0, 255);

enum class Ground { Plaza, Lawn, Dirt };

// Ground under a building, by absolute town-map pixel, so that an icon and
// the lot drawn around it on the map line up pixel for pixel.
Rgb groundColour(Ground g, int mapX, int mapY);

// Where the game draws each building icon on the town map (top-left corner)
// and what its lot is paved with. Index 0 is icon1.
struct Site {
    int x, y;
    Ground ground;
};
extern const Site kSites[9];
constexpr int kIconW = 50;
constexpr int kIconH = 51;

// Sprite helpers shared by the icons, the map decorations and the dialog
// pictures. A sprite is an Image whose background is kKey.
void autoOutline(Image& sprite, Rgb ink = kInk);
// Paints the sprite onto dst with a soft drop shadow offset by (sx, sy).
void stampWithShadow(Image& dst, const Image& sprite, int x, int y, int sx, int sy, double shadow = 0.72);

Image drawBuildingIcon(int n);  // n = 1..9
Image drawFieldMap();
Image drawTradeCenter();
Image drawMiniStage();
Image drawFlySprite();
Image drawFlyMask();
Image drawUnit();
Image drawDialogPicture(int id);  // 150..164
Image drawAppIcon(int size);

}  // namespace art
