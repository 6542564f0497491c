#include "display/canvas.h"

const PenSpec PEN_SPECS[PEN_COUNT] = {
    {1, {0, 0, 0}},       {2, {0, 0, 0}},     {2, {255, 255, 255}}, {1, {255, 255, 0}},
    {1, {255, 0, 0}},     {1, {0, 0, 255}},   {1, {255, 255, 255}}, {1, {0, 255, 0}},
    {3, {255, 0, 0}},     {3, {0, 0, 255}},   {3, {150, 255, 255}}, {3, {0, 255, 0}},
};

const Rgb BRUSH_COLOURS[BRUSH_COUNT] = {
    {255, 255, 0}, {255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 255, 0},
};

const int FONT_HEIGHTS[FONT_COUNT] = {50, 20, 15, 10, 15};

const BitmapSpec BITMAP_SPECS[BMP_COUNT] = {
    {"field1.bmp", 589, 376},    {"icon1.bmp", 50, 51}, {"icon2.bmp", 50, 51},
    {"icon3.bmp", 50, 51},       {"icon4.bmp", 50, 51}, {"icon5.bmp", 50, 51},
    {"ministage1.bmp", 300, 194}, {"bug1.bmp", 10, 10}, {"bug1mask.bmp", 10, 10},
    {"icon6.bmp", 50, 51},       {"tradecenter.bmp", 276, 264}, {"icon7.bmp", 50, 51},
    {"icon8.bmp", 50, 51},       {"icon9.bmp", 50, 51}, {"unit.bmp", 52, 42},
};
