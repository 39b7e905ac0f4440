// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/training_id.h"

#include <cstdio>
#include <random>

namespace kvarzel {
namespace {

std::random_device& SystemRandomSource() {
    static std::random_device source = [] {
        try {
            return std::random_device("getentropy");
        } catch (...) {
            return std::random_device("/dev/urandom");
        }
    }();
    return source;
}

std::optional<std::uint64_t> HexWord(std::string_view digits) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return std::nullopt;
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

} // namespace

std::string TrainingId::Text() const {
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx", static_cast<unsigned long long>(Words[0]),
                  static_cast<unsigned long long>(Words[1]));
    return text;
}

std::optional<TrainingId> TrainingId::FromText(std::string_view text) {
    if (text.size() != 32)
        return std::nullopt;
    const auto high = HexWord(text.substr(0, 16));
    const auto low = HexWord(text.substr(16));
    if (!high || !low)
        return std::nullopt;
    return TrainingId{{*high, *low}};
}

TrainingId NewTrainingId() {
    std::random_device& source = SystemRandomSource();
    TrainingId id;
    for (std::uint64_t& word : id.Words)
        word = static_cast<std::uint64_t>(source()) << 32 | source();
    return id;
}

} // namespace kvarzel
