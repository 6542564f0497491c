// Sizes of the small pictures the dialogs show, shared by the generator and
// the checker so the two cannot drift apart.
#pragma once

namespace art {

struct PictureSize {
    int w, h;
};

// Bank and takeover-bid pictures match the building icons; the headquarters
// picture is a 48 x 48 badge; the rest are 100 x 100 panels.
inline PictureSize dialogPictureSize(int id) {
    switch (id) {
        case 154:
        case 155: return {50, 51};
        case 163: return {48, 48};
        default: return {100, 100};
    }
}

}  // namespace art
