// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/sound_output.h"

#include "platform/sound/sound.h"

namespace kvarzel {
namespace {

class DeviceSound : public SoundOutput {
public:
    void Beep(int frequency, int duration) override { kvarzel::Beep(frequency, duration); }
    void PlayWave(const std::string& fileName) override { PlayWaveFile(fileName); }
};

} // namespace

SoundOutput& DeviceSoundOutput() {
    static DeviceSound device;
    return device;
}

} // namespace kvarzel
