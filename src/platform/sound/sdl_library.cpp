// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/sdl_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kvarzel {
namespace {

#if defined(_WIN32)
constexpr const char* libraryNames[] = {"SDL2.dll"};
#elif defined(__APPLE__)
constexpr const char* libraryNames[] = {"libSDL2-2.0.0.dylib", "libSDL2.dylib"};
#else
// The name of SDL 2's binary interface, as its packages install it.
constexpr const char* libraryNames[] = {"libSDL2-2.0.so.0"};
#endif

void* OpenLibrary() {
    for (const char* name : libraryNames) {
#ifdef _WIN32
        if (HMODULE library = LoadLibraryA(name))
            return reinterpret_cast<void*>(library);
#else
        if (void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL))
            return library;
#endif
    }
    return nullptr;
}

void* Symbol(void* library, const char* name) {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return dlsym(library, name);
#endif
}

template <typename Function> bool Find(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(Symbol(library, name));
    return function != nullptr;
}

bool Load(SdlLibrary& sdl) {
    void* library = OpenLibrary();
    if (library == nullptr)
        return false;
    return Find(library, "SDL_InitSubSystem", sdl.InitSubSystem) &&
           Find(library, "SDL_QuitSubSystem", sdl.QuitSubSystem) &&
           Find(library, "SDL_SetHint", sdl.SetHint) &&
           Find(library, "SDL_LogSetOutputFunction", sdl.LogSetOutputFunction) &&
           Find(library, "SDL_Delay", sdl.Delay) &&
           Find(library, "SDL_RWFromFile", sdl.RWFromFile) &&
           Find(library, "SDL_LoadWAV_RW", sdl.LoadWAV_RW) &&
           Find(library, "SDL_FreeWAV", sdl.FreeWAV) &&
           Find(library, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
           Find(library, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
           Find(library, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
           Find(library, "SDL_GetAudioDeviceStatus", sdl.GetAudioDeviceStatus) &&
           Find(library, "SDL_QueueAudio", sdl.QueueAudio) &&
           Find(library, "SDL_GetQueuedAudioSize", sdl.GetQueuedAudioSize) &&
           Find(library, "SDL_NewAudioStream", sdl.NewAudioStream) &&
           Find(library, "SDL_AudioStreamPut", sdl.AudioStreamPut) &&
           Find(library, "SDL_AudioStreamGet", sdl.AudioStreamGet) &&
           Find(library, "SDL_AudioStreamFlush", sdl.AudioStreamFlush) &&
           Find(library, "SDL_FreeAudioStream", sdl.FreeAudioStream);
}

} // namespace

const SdlLibrary* Sdl() {
    static const SdlLibrary* const loaded = []() -> const SdlLibrary* {
        static SdlLibrary sdl;
        return Load(sdl) ? &sdl : nullptr;
    }();
    return loaded;
}

} // namespace kvarzel
