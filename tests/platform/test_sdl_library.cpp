// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/sdl_library.h"
#include "platform/sound/sound.h"

#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace kvarzel {
namespace {

bool SdlIsLoaded() {
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (library != nullptr)
        dlclose(library); // only drops the reference NOLOAD took
    return library != nullptr;
}

// The program links no SDL: the library and everything it pulls in come
// with the first sound, not with every start. Both steps are in one test,
// since nothing may have loaded SDL in this process before it.
TEST(SdlLibrary, IsLoadedByTheFirstSoundOnly) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_FALSE(SdlIsLoaded());
    Beep(600, 10);
    EXPECT_TRUE(SdlIsLoaded());
    const SdlLibrary* sdl = Sdl();
    ASSERT_NE(sdl, nullptr);
    EXPECT_EQ(sdl, Sdl());
    EXPECT_NE(sdl->FreeAudioStream, nullptr);
}

} // namespace
} // namespace kvarzel
