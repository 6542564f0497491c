// Every dialog template, checked as a whole: what a player would see as a
// broken dialog (controls off its edge, two fields on top of each other, a
// control id twice) and dialogs that open without their procedure.
#include <set>
#include <string>

#include "resources/dialog_templates.h"
#include "shell/screen_flow.h"
#include "tests/game_fixture.h"

namespace {

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Controls the player reads or uses; group boxes and drawing areas frame or
// underlie others by design.
bool Solid(const ControlTemplate& c) { return c.kind != CTL_GROUP && c.kind != CTL_CANVAS; }

}  // namespace

TEST(DialogTemplates, EveryDialogIsLaidOutSoundly) {
    ASSERT_FALSE(AllDialogTemplates().empty());
    std::set<int> dialogIds;
    for (const DialogTemplate& t : AllDialogTemplates()) {
        SCOPED_TRACE("dialog " + std::to_string(t.id));
        EXPECT_TRUE(dialogIds.insert(t.id).second) << "described twice";
        EXPECT_FALSE(t.title.empty());
        EXPECT_GT(t.fontPoints, 0);
        EXPECT_NE(FindDialogProc(t.id), nullptr) << "no procedure";
        std::set<int> ids;
        for (size_t i = 0; i < t.controls.size(); ++i) {
            const ControlTemplate& c = t.controls[i];
            SCOPED_TRACE("control " + std::to_string(c.id) + " " + Utf8(c.label));
            EXPECT_TRUE(c.id < 0 || ids.insert(c.id).second) << "id used twice";
            EXPECT_TRUE(c.width > 0 && c.height > 0 && c.x >= 0 && c.y >= 0) << "empty or before the edge";
            EXPECT_TRUE(c.x + c.width <= t.width && c.y + c.height <= t.height) << "past the edge";
            for (size_t j = i + 1; j < t.controls.size(); ++j)
                EXPECT_FALSE(Solid(c) && Solid(t.controls[j]) && Overlap(c, t.controls[j])) << "overlaps control " << t.controls[j].id;
        }
    }
}
