#include "platform/WinUser.h"
#include "platform/ui/sdl2/KeyTextFilter.h"
#include "platform/ui/sdl2/SdlKeys.h"

#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

TEST(SdlKeys, KeysMapToTheirVirtualKeyCodes) {
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_a), 'A');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_z), 'Z');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_0), '0');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_9), '9');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_KP_1), '1');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_KP_9), '9');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_KP_0), '0');
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_F1), VK_F1);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_F12), VK_F1 + 11);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_F13), VK_F1 + 12);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_F24), VK_F1 + 23);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_RETURN), VK_RETURN);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_BACKSPACE), VK_BACK);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_PAGEUP), VK_PRIOR);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_PAGEDOWN), VK_NEXT);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_DOWN), VK_DOWN);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_RSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_RCTRL), VK_CONTROL);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_LALT), VK_MENU);
    // Keys with no code.
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_CAPSLOCK), 0);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_KP_PERIOD), 0);
    EXPECT_EQ(VirtualKeyOfSdl(SDLK_COMMA), 0);
}

TEST(KeyTextFilter, TheKeysOwnCharacterIsDroppedOnce) {
    KeyTextFilter filter;
    filter.KeyDown('A', false, false);
    EXPECT_FALSE(filter.TakeText(u"a"));
    EXPECT_TRUE(filter.TakeText(u"a")); // a second text is not the key's
    filter.KeyDown('A', false, false);  // Caps Lock on: the host types "A"
    EXPECT_FALSE(filter.TakeText(u"A"));
    filter.KeyDown('5', false, false);
    EXPECT_FALSE(filter.TakeText(u"5"));
    filter.KeyDown(VK_SPACE, true, false);
    EXPECT_FALSE(filter.TakeText(u" "));
}

TEST(KeyTextFilter, TextTheKeyDoesNotMakeGoesThrough) {
    KeyTextFilter filter;
    filter.KeyDown('1', true, false); // Shift+1 is only text
    EXPECT_TRUE(filter.TakeText(u"!"));
    filter.KeyDown('A', false, false); // a dead key or input method
    EXPECT_TRUE(filter.TakeText(u"\u00E1"));
    filter.KeyDown('K', false, false);
    EXPECT_TRUE(filter.TakeText(u"\u304B\u306A")); // committed composition
    EXPECT_TRUE(filter.TakeText(u"x"));            // no key before it
    filter.KeyDown('A', false, true);              // Control+A makes a control code
    EXPECT_TRUE(filter.TakeText(u"a"));
}
