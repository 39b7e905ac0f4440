// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Trainings and file helpers for the history file and export tests.
#include "core/history/history_csv.h"
#include "core/training.h"
#include "test_support/registry_test_files.h"

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvarzel::testing {

// A finished four-pea training with `right` right answers, the evidence of
// its guesses included.
inline TrainingRecord Training(int right) {
    TrainingRecord record;
    record.Finished =
        std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::minutes{right};
    // Made again with the same answers, it is the same training.
    record.Start = TrainingStart{record.Finished - std::chrono::seconds{50},
                                 TrainingId{{0x7E57, static_cast<std::uint64_t>(right)}}};
    record.PeasCount = 4;
    record.Bucket = {true, 0};
    record.Answers = {2, 2, 0};
    record.RightCount = right;
    record.Percentage = ExactPercentage(right, 4);
    EvidenceTrack evidence;
    for (int guess = 0; guess < 4; ++guess)
        evidence.AddGuess(0.5, guess < right);
    evidence.Read();
    record.Evidence = evidence;
    return record;
}

inline std::string HistoryText(std::initializer_list<TrainingRecord> records) {
    std::string text = HistoryHeaderLine();
    for (const TrainingRecord& record : records)
        text += HistoryLine(record);
    return text;
}

inline std::filesystem::perms Permissions(const std::filesystem::path& path) {
    return std::filesystem::status(path).permissions();
}

// Root can hand a file to someone else; an ordinary user cannot.
constexpr uid_t AnotherUser = 65534;
inline bool RunsAsRoot() {
    return ::geteuid() == 0;
}

} // namespace kvarzel::testing
