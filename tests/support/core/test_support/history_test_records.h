// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Trainings and file helpers for the history file and export tests.
#include "core/history/history_csv.h"
#include "core/training.h"
#include "test_support/registry_test_files.h"

#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
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

// A training of `peas` peas on a chance bucket as it stands after `answered`
// answers, every other guess right, the first one included: abandoned until
// every pea is answered, as its journal holds it.
inline TrainingRecord TrainingSoFar(int answered, int peas) {
    TrainingRecord record;
    const std::chrono::sys_days day{std::chrono::year{2026} / 12 / 7};
    record.Finished = day + std::chrono::minutes{answered};
    // One training: one start and one id, whatever the answers so far.
    record.Start = TrainingStart{day, TrainingId{{0x50FA, static_cast<std::uint64_t>(peas)}}};
    record.PeasCount = peas;
    record.Bucket = {true, 0};
    record.Answers = {answered, 0, 0};
    record.Abandoned = answered < peas;
    EvidenceTrack evidence;
    for (int guess = 0; guess < answered; ++guess) {
        evidence.AddGuess(0.5, guess % 2 == 0);
        record.RightCount += guess % 2 == 0 ? 1 : 0;
    }
    evidence.Read();
    record.Evidence = evidence;
    record.Percentage = ExactPercentage(record.RightCount, answered);
    return AsStoredInHistory(record);
}

inline std::string HistoryText(std::initializer_list<TrainingRecord> records) {
    std::string text = HistoryHeaderLine();
    for (const TrainingRecord& record : records)
        text += HistoryLine(record);
    return text;
}

// The format before the check column, with six bets; its files are still read.
constexpr std::string_view PreviousHeader =
    "finished_utc,peas_count,peas_ratio,timer_enabled,time_interval_ms,black_peas,"
    "white_answers,black_answers,timer_answers,right_answers,percentage,abandoned,"
    "expected_right,right_variance,ln_peak_wealth,ln_wealth_edge_0.15,"
    "ln_wealth_edge_0.25,ln_wealth_edge_0.35,ln_wealth_edge_0.5,ln_wealth_edge_0.7,"
    "ln_wealth_edge_1\n";

// The record as a line of the previous format reads back: the strong bet it
// lacked left at a wealth of one.
inline TrainingRecord SixBetRecord(TrainingRecord record) {
    if (record.Evidence)
        record.Evidence->Total.LogWealth.back() = 0;
    return AsStoredInHistory(record);
}

inline std::string WithoutLastColumns(std::string line, int columns) {
    for (int column = 0; column < columns; ++column)
        line.erase(line.rfind(','));
    return line;
}

// Without the check, the three timing columns and the strong bet.
inline std::string PreviousLine(const TrainingRecord& record) {
    return WithoutLastColumns(HistoryLine(SixBetRecord(record)), 5) + "\n";
}

inline std::string PreviousHistoryText(std::initializer_list<TrainingRecord> records) {
    std::string text(PreviousHeader);
    for (const TrainingRecord& record : records)
        text += PreviousLine(record);
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
