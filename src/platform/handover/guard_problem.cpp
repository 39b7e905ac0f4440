// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover/guard_problem.h"

#include <cstring>

namespace kvarzel {
namespace {

std::string InGuillemets(const std::filesystem::path& place) {
    return "«" + place.string() + "»";
}

std::string Reason(const GuardProblem& problem) {
    using enum GuardProblem::Kind;
    switch (problem.What) {
    case NoPrivateFolder:
        return "XDG_RUNTIME_DIR не указывает на вашу личную папку, а папка " +
               InGuillemets(problem.Place) + " принадлежит не вам или открыта на запись другим";
    case LockInTheWay:
        return "на месте файла блокировки " + InGuillemets(problem.Place) +
               " лежит ссылка, папка или чужой файл";
    case LockNotMade:
        return "файл блокировки " + InGuillemets(problem.Place) + " не создаётся (" +
               std::strerror(problem.Error) + ")";
    case SocketNotMade:
        return "сокет " + InGuillemets(problem.Place) + " не создаётся (" + std::strerror(problem.Error) +
               ")";
    case PathTooLong:
        return "путь " + InGuillemets(problem.Place) + " слишком длинен для сокета";
    case None:
        break;
    }
    return {};
}

} // namespace

std::string GuardProblemText(const GuardProblem& problem) {
    return "Не удаётся проверить, не запущен ли уже Кварзель с этим файлом настроек: " +
           Reason(problem) +
           ". Программа будет работать, но другая её копия может открыться рядом и записать "
           "свои настройки поверх этих";
}

} // namespace kvarzel
