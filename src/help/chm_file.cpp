#include "help/chm_file.h"

#include <QFile>

#include <chm_lib.h>

namespace kvarzel {

namespace {
// Bounds what a damaged file can make us allocate; the pages are a few kilobytes.
constexpr LONGUINT64 maxObjectSize = 64 * 1024 * 1024;
} // namespace

void ChmFile::Closer::operator()(chmFile* file) const {
    chm_close(file);
}

std::optional<ChmFile> ChmFile::open(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    chmFile* file = chm_open(QFile::encodeName(path).constData());
    if (file == nullptr) {
        return std::nullopt;
    }
    return ChmFile(std::shared_ptr<chmFile>(file, Closer{}));
}

std::optional<QByteArray> ChmFile::read(const QString& objectPath) const {
    chmUnitInfo unit{};
    const QByteArray path = objectPath.toUtf8();
    if (chm_resolve_object(file_.get(), path.constData(), &unit) != CHM_RESOLVE_SUCCESS) {
        return std::nullopt;
    }
    if (unit.length > maxObjectSize) {
        return std::nullopt;
    }
    QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    if (unit.length == 0) {
        return data;
    }
    const LONGINT64 got =
        chm_retrieve_object(file_.get(), &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) {
        return std::nullopt;
    }
    return data;
}

} // namespace kvarzel
