// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound/sdl_audio_session.h"

#include "platform/sound/sdl_library.h"

#include <SDL.h>
#if __has_include(<dlfcn.h>)
#include <dlfcn.h>
#define KVARZEL_HAS_DLOPEN 1
#endif

namespace kvarzel {
namespace {

void DiscardSdlLog(void*, int, SDL_LogPriority, const char*) {}

#ifdef KVARZEL_HAS_DLOPEN
void DiscardAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

// ALSA, which SDL may load, prints its complaints (no card, unknown PCM)
// straight to stderr; its error handler is the only way to stop that.
void SilenceAlsa() {
#ifdef KVARZEL_HAS_DLOPEN
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    static const bool silenced = [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (alsa == nullptr)
            return false;
        auto setHandler =
            reinterpret_cast<int (*)(ErrorHandler)>(dlsym(alsa, "snd_lib_error_set_handler"));
        if (setHandler != nullptr)
            setHandler(&DiscardAlsaError);
        return true; // stays loaded, so the handler stays in place
    }();
    (void)silenced;
#endif
}

} // namespace

SdlAudioSession::SdlAudioSession() {
    const SdlLibrary* sdl = Sdl();
    if (sdl == nullptr)
        return;
    sdl->LogSetOutputFunction(&DiscardSdlLog, nullptr);
    // Ctrl+C must still end the program while a sound plays.
    sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SilenceAlsa();
    started = sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
}

SdlAudioSession::~SdlAudioSession() {
    if (started)
        Sdl()->QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace kvarzel
